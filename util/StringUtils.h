#pragma once

#include <QString>

namespace StringUtils {

// True for a non-empty run of the ASCII digits 0 to 9 (leading zeros allowed, no sign).
bool IsPosInteger(const QString &s);

// The text without the characters that occur in `chars`, ignoring letter case. A text shorter
// than two UTF-8 bytes comes back unchanged, even when its one character is listed.
QString Remove(const QString &text, const QString &chars);

} // namespace StringUtils
