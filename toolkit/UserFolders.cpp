#include "toolkit/UserFolders.h"

#include "toolkit/RuntimeException.h"

#include <QDir>
#include <QStandardPaths>

namespace Toolkit::SpecialFolder {

namespace {

QString location(QStandardPaths::StandardLocation which, const char *name)
{
    const QString path = QStandardPaths::writableLocation(which);
    if (path.isEmpty())
        throw IOException(QStringLiteral("No %1 folder is available").arg(QLatin1String(name)));
    return QDir::cleanPath(path);
}

} // namespace

QString ApplicationData() { return location(QStandardPaths::GenericDataLocation, "application data"); }

QString Desktop() { return location(QStandardPaths::DesktopLocation, "Desktop"); }

QString Documents() { return location(QStandardPaths::DocumentsLocation, "Documents"); }

QString UserHome() { return QDir::cleanPath(QDir::homePath()); }

} // namespace Toolkit::SpecialFolder
