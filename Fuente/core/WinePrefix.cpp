#include "WinePrefix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <sys/stat.h>

#include "RunError.h"

WinePrefix::WinePrefix(const QString& folder) : folder_(QDir::cleanPath(QDir().absoluteFilePath(folder))) {}

QString WinePrefix::defaultFolder() {
    const QString folder = qEnvironmentVariable("WINEPREFIX");
    return folder.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : folder;
}

void WinePrefix::checkFolder() const {
    const QFileInfo info(folder_);
    if (!info.exists())
        throw RunError{RunError::PathNotFound, "Path not found: the Wine prefix " + folder_ + " does not exist"};
    if (!info.isDir())
        throw RunError{RunError::PathFileAccess,
                       "Path/File access error: the Wine prefix " + folder_ + " is not a folder"};
}

QString WinePrefix::hostPath(const QString& windowsPath) const {
    if (windowsPath.size() < 2 || !windowsPath[0].isLetter() || windowsPath[1] != QLatin1Char(':'))
        return {};
    QString path = QFileInfo(folder_ + QStringLiteral("/dosdevices/") + windowsPath[0].toLower() + QLatin1Char(':'))
                       .canonicalFilePath();
    if (path.isEmpty())
        return {};
    QStringList names;
    for (const QString& name :
         windowsPath.mid(2).split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts)) {
        if (name == QLatin1String("..")) {
            if (!names.isEmpty())
                names.removeLast();
        } else if (name != QLatin1String("."))
            names << name;
    }
    for (const QString& name : names) {
        QString found = name;
        if (!QFileInfo::exists(path + QLatin1Char('/') + name)) {
            const QStringList entries = QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
            for (const QString& entry : entries)
                if (entry.compare(name, Qt::CaseInsensitive) == 0)
                    found = entry;
        }
        path += (path.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + found;
    }
    return path;
}

bool WinePrefix::serverRunning() const {
    // A wineserver works in a folder named after the device and inode of its prefix, and it is
    // the only process of that name there.
    struct stat prefix {};
    if (::stat(QFile::encodeName(folder_).constData(), &prefix) != 0)
        return false;
    const QString serverFolder =
        QStringLiteral("server-%1-%2").arg(qulonglong(prefix.st_dev), 0, 16).arg(qulonglong(prefix.st_ino), 0, 16);
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!pid[0].isDigit())
            continue;
        QFile name(QStringLiteral("/proc/") + pid + QStringLiteral("/comm"));
        if (!name.open(QIODevice::ReadOnly) || !name.readAll().startsWith("wineserver"))
            continue;
        if (QFileInfo(QFileInfo(QStringLiteral("/proc/") + pid + QStringLiteral("/cwd")).symLinkTarget()).fileName() ==
            serverFolder)
            return true;
    }
    return false;
}

QProcessEnvironment WinePrefix::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), folder_);
    if (!environment.contains(QStringLiteral("WINEDEBUG")))
        environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    return environment;
}

QString WinePrefix::wineProgram() {
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (wine.isEmpty())
        throw RunError{RunError::FileNotFound,
                       QStringLiteral("File not found: wine, which runs the game; install Wine or add it to the PATH")};
    return wine;
}
