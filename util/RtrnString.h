#pragma once
// File-name and path-piece helpers used by FileTools.

#include <QString>

namespace RtrnString {

// The name with ":", "/", blanks and control characters replaced by "_", cut to maxLength
// characters (a character is never split). "." and ".." come back as "_" and "__".
QString rsCorrectFileName(const QString &name, qint64 maxLength);

// The last "/"-separated piece of the path (empty when the path ends with "/").
QString rsOnlyFileName(const QString &path);

// The folder part of the path as an absolute folder path ending with "/"; empty pieces
// collapse, so a/b.txt gives /a/ and //a//b.txt gives /a/.
QString rsParentFolderPath(const QString &path);

} // namespace RtrnString
