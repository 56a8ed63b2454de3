#pragma once

#include <QProcessEnvironment>
#include <QString>

// A Wine prefix: the folder that holds a Windows installation for Wine, with its drives
// (dosdevices/c: and so on, links to folders of this machine) and its registry files, and the
// wineserver that runs its programs and keeps its registry while it runs.
class WinePrefix {
public:
    // `folder` is made absolute; Wine refuses a relative one.
    explicit WinePrefix(const QString& folder);

    // The prefix Wine uses: $WINEPREFIX, or ~/.wine when it is unset or empty.
    static QString defaultFolder();

    const QString& folder() const { return folder_; }
    // The registry file of the current user's values, or of the local machine's.
    QString userRegistry() const { return folder_ + QStringLiteral("/user.reg"); }
    QString systemRegistry() const { return folder_ + QStringLiteral("/system.reg"); }

    // Fails with RunError when the prefix is missing or is not a folder.
    void checkFolder() const;

    // The path on this machine of a Windows path such as "C:\Games\Game\EXE\game.exe": its drive
    // letter through dosdevices, then each name matched without regard to case, as Windows
    // does (a name not found is kept as written). Empty when the path has no drive letter or the
    // prefix no such drive.
    QString hostPath(const QString& windowsPath) const;

    // Whether a wineserver runs for this prefix now (Linux: looked for in /proc).
    bool serverRunning() const;

    // The environment of a Wine program started in this prefix.
    QProcessEnvironment environment() const;

    // The `wine` program found on the PATH; fails with RunError when there is none.
    static QString wineProgram();

private:
    QString folder_;
};
