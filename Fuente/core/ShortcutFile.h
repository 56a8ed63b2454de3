#pragma once

#include <QString>

// A desktop shortcut that starts a program with arguments: a .lnk file on Windows, a freedesktop
// .desktop launcher elsewhere.
namespace ShortcutFile {

// The shortcut kind of this platform, for the save dialog: ".lnk" or ".desktop".
QString extension();
QString filter();

// Writes `folder`/`name` + extension(); returns the file's path. A launcher made with a Wine
// prefix runs the target in it (WINEPREFIX set), wherever the desktop starts it from.
// Fails with RunError.
QString write(const QString& folder, const QString& name, const QString& target, const QString& arguments,
              const QString& winePrefix = {});

// The Exec value, as written in a .desktop launcher, that runs `target` with `arguments` as one argument:
// both quoted, with the characters the launcher format reserves escaped; with a Wine prefix,
// through `env WINEPREFIX=<prefix>`.
QString desktopExec(const QString& target, const QString& arguments, const QString& winePrefix = {});

}  // namespace ShortcutFile
