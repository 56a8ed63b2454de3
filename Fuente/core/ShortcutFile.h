#pragma once

#include <QString>

// A desktop shortcut that starts a program with arguments: a .lnk file on Windows, a freedesktop
// .desktop launcher elsewhere.
namespace ShortcutFile {

// The shortcut kind of this platform, for the save dialog: ".lnk" or ".desktop".
QString extension();
QString filter();

// Writes `folder`/`name` + extension(); returns the file's path. Fails with RunError.
QString write(const QString& folder, const QString& name, const QString& target, const QString& arguments);

// The Exec value of a .desktop launcher that runs `target` with `arguments` as one argument:
// both quoted, with the characters the launcher format reserves escaped.
QString desktopExec(const QString& target, const QString& arguments);

}  // namespace ShortcutFile
