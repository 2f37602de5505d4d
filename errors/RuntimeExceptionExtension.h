#pragma once

#include <QString>

#include <functional>

class RuntimeException;

namespace RuntimeExceptionExtension {

// The demangled name of the exception's dynamic class ("NilObjectException"), or empty text
// when it cannot be known. A failing lookup is shown in the alert form and answers empty.
QString Type(const RuntimeException &e);

// Test seam: replaces how the dynamic class name is found (may throw, may answer empty).
using TypeResolver = std::function<QString(const RuntimeException &)>;
TypeResolver setTypeResolver(TypeResolver resolver);

} // namespace RuntimeExceptionExtension
