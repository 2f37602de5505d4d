#pragma once
// Writing a text into a file in one of the user's folders, with the path helpers it needs.
// Every folder these functions create or write into lies below the user's home folder, or in the
// user's own Desktop or Documents folder wherever the system puts it.

#include <QString>

namespace FileTools {

// Writes text (UTF-8, unchanged) to a file named stamp + fileName (+ ".txt" when it has no
// extension), cut to 50 characters, in folder. Folder forms: "Desktop", "Documents",
// "Desktop/Name", "Documents/Name/" (the user's folder as the system resolves it, used as it is),
// or any other path, which is put below home. An existing file that is read-only is kept: the
// write fails (alert form) instead. Style 1 to 9
// puts that rsAlphaDateTime stamp in front; other styles give no stamp. An empty fileName takes
// the folder argument as the file's own path when it ends in ".txt", else Desktop/SavedFile.
void TextToFile(const QString &text, const QString &fileName, const QString &folder, qint64 style);

// The path ending with "/".
QString PathFolderEndSlash(const QString &path);

// Creates every missing folder of the path below home. A path that is not below home is put
// below it; "." and empty pieces are skipped, and a ".." piece becomes a folder named "_.".
void CreateAllFoldersInPath(const QString &folderPath);

// An absolute path below home: "//" -> "/", "/." -> "/_", ":" -> "_"; the whole words
// "Desktop" and "Documents" (any letter case) give those folders.
QString rsViablePath(const QString &path);

// Whether the name ends in a dot and two to four characters. Names longer than 255
// characters, or holding "/" or a line feed, are refused with a message (answer false).
bool rbHasExtension(const QString &proposedFileName);

} // namespace FileTools
