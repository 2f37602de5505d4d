#pragma once
#include "common/TestMain.h"

#include <QApplication>

// A test with widgets (offscreen platform).
#define VANTREL_TEST_MAIN_GUI(TestObject) VANTREL_TEST_MAIN_IMPL(TestObject, QApplication)
