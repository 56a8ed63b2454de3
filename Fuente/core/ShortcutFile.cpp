#include "ShortcutFile.h"

#include <QDir>
#include <QFile>

#include "FileSystem.h"
#include "RunError.h"

#ifdef Q_OS_WIN
#include "ShortcutLink.h"
#endif

namespace {

// One argument of an Exec command line: quoted, with " ` $ \ escaped inside the quotes and "%"
// doubled. The value's own string escapes come on top of this, once, in desktopValue.
QString execArgument(const QString& argument) {
    QString quoted = QStringLiteral("\"");
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

// A value of a .desktop key: line breaks and backslashes escaped.
QString desktopValue(QString text) {
    return text.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"));
}

}  // namespace

namespace ShortcutFile {

QString extension() {
#ifdef Q_OS_WIN
    return QStringLiteral(".lnk");
#else
    return QStringLiteral(".desktop");
#endif
}

QString filter() { return "Shortcut(*" + extension() + ")|*" + extension(); }

QString desktopExec(const QString& target, const QString& arguments, const QString& winePrefix) {
    const QString environment = winePrefix.isEmpty()
                                    ? QString()
                                    : "env " + execArgument("WINEPREFIX=" + winePrefix) + QLatin1Char(' ');
    return desktopValue(environment + execArgument(target) + QLatin1Char(' ') + execArgument(arguments));
}

QString write(const QString& folder, const QString& name, const QString& target, const QString& arguments,
              const QString& winePrefix) {
    const QString path = QDir(folder).filePath(name + extension());
#ifdef Q_OS_WIN
    Q_UNUSED(winePrefix)  // no prefixes on Windows
    const win32::Status status = win32::writeShortcut(QDir::toNativeSeparators(path).toStdWString(),
                                                      QDir::toNativeSeparators(target).toStdWString(),
                                                      arguments.toStdWString(), L"C:\\");
    if (!status.ok())
        throw RunError::fromWindows(status.code,
                                    QString::fromStdWString(status.message) + ": " + QDir::toNativeSeparators(path));
#else
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.0\nName=") + desktopValue(name) +
                         QStringLiteral("\nExec=") + desktopExec(target, arguments, winePrefix) +
                         QStringLiteral("\nTerminal=false\n");
    FileSystem::replaceFile(path, text.toUtf8());
    // Desktops start only launchers that may be executed.
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
#endif
    return path;
}

}  // namespace ShortcutFile
