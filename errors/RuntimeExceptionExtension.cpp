#include "errors/RuntimeExceptionExtension.h"

#include "toolkit/RuntimeException.h"
#include "toolkit/System.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>
#include <utility>

namespace RuntimeExceptionExtension {

namespace {

QString demangledName(const RuntimeException &e)
{
    const char *mangled = typeid(e).name();
    if (!mangled || !*mangled)
        return QString();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     &std::free);
    if (status != 0 || !name)
        return QString();
    return QString::fromUtf8(name.get());
}

TypeResolver &resolver()
{
    static TypeResolver r = demangledName;
    return r;
}

} // namespace

QString Type(const RuntimeException &e)
{
    try {
        return resolver()(e);
    } catch (...) {
        // No TYPE line here, so the lookup never calls itself.
        Toolkit::MessageBox(QStringLiteral("Oops! RuntimeExceptionExtension.Type\n"
                                           "MODULE: RuntimeExceptionExtension\n"
                                           "METHOD: Type"));
        Toolkit::DebugLog(QStringLiteral("Exception - RuntimeExceptionExtension.Type"));
        return QString();
    }
}

TypeResolver setTypeResolver(TypeResolver r)
{
    return std::exchange(resolver(), r ? std::move(r) : TypeResolver(demangledName));
}

} // namespace RuntimeExceptionExtension
