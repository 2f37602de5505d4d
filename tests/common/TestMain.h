#pragma once
// Test entry points. Each test runs with HOME pointing at a fresh temporary folder and no XDG
// variables, so special folders (Desktop, Documents, application data) lie inside it and
// nothing is written to the real home.

#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

namespace TestHome {

inline QTemporaryDir *&dir()
{
    static QTemporaryDir *d = nullptr;
    return d;
}

inline void setUp()
{
    dir() = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/vantrel-home-XXXXXX"));
    qputenv("HOME", dir()->path().toLocal8Bit());
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_DESKTOP_DIR",
                             "XDG_DOCUMENTS_DIR", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"})
        qunsetenv(name);
}

inline QString path() { return dir()->path(); }

inline void tearDown()
{
    delete dir();
    dir() = nullptr;
}

} // namespace TestHome

#define VANTREL_TEST_MAIN_IMPL(TestObject, AppClass)                                                                   \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        TestHome::setUp();                                                                                             \
        int rc = 0;                                                                                                    \
        {                                                                                                              \
            AppClass app(argc, argv);                                                                                  \
            TestObject tc;                                                                                             \
            QTEST_SET_MAIN_SOURCE_PATH                                                                                 \
            rc = QTest::qExec(&tc, argc, argv);                                                                        \
        }                                                                                                              \
        TestHome::tearDown();                                                                                          \
        return rc;                                                                                                     \
    }

// A test without widgets.
#define VANTREL_TEST_MAIN_CORE(TestObject) VANTREL_TEST_MAIN_IMPL(TestObject, QCoreApplication)
