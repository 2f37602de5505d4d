#include "toolkit/UserFolders.h"

#include "toolkit/RuntimeException.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#if defined(Q_OS_UNIX)
#include <pwd.h>
#include <unistd.h>

#include <vector>
#endif

namespace Toolkit::SpecialFolder {

namespace {

void requireHome()
{
    if (qEnvironmentVariableIsEmpty("HOME"))
        throw IOException(QStringLiteral("No home folder is available: HOME is not set"));
}

QString location(QStandardPaths::StandardLocation which, const char *name)
{
    requireHome();
    const QString path = QStandardPaths::writableLocation(which);
    if (path.isEmpty())
        throw IOException(QStringLiteral("No %1 folder is available").arg(QLatin1String(name)));
    return QDir::cleanPath(path);
}

QString accountHome()
{
#if defined(Q_OS_UNIX)
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size_t(size > 0 ? size : 16384));
    passwd entry{};
    passwd *found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return QFile::decodeName(found->pw_dir);
#endif
    return QString();
}

} // namespace

QString ApplicationData() { return location(QStandardPaths::GenericDataLocation, "application data"); }

QString Desktop() { return location(QStandardPaths::DesktopLocation, "Desktop"); }

QString Documents() { return location(QStandardPaths::DocumentsLocation, "Documents"); }

QString UserHome()
{
    requireHome();
    return QDir::cleanPath(QDir::homePath());
}

bool UseAccountHomeWhenUnset()
{
    if (!qEnvironmentVariableIsEmpty("HOME"))
        return true;
    const QString home = accountHome();
    if (home.isEmpty())
        return false;
    qputenv("HOME", QFile::encodeName(home));
    return true;
}

} // namespace Toolkit::SpecialFolder
