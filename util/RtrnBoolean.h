#pragma once
// Case-sensitive suffix and prefix tests; the path code relies on them being exact.

#include <QString>

namespace RtrnBoolean {

// True when text ends with suffix, letter case included; an empty suffix always matches.
bool rbDoesStringEndWith(const QString &text, const QString &suffix);
// True when text begins with prefix, letter case included; an empty prefix always matches.
bool rbDoesStringStartWith(const QString &text, const QString &prefix);

} // namespace RtrnBoolean
