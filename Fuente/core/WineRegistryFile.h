#pragma once

#include <QByteArray>
#include <QString>

#include "RegistryAccess.h"

// The registry text that Wine writes, read only:
// - the files of a prefix (user.reg, system.reg) as its wineserver saves them: a first line
//   "WINE REGISTRY Version 2", keys relative to the file's root as "[Software\\Wine] <time>",
//   values as "name"="text" with \\, \", \n-style and \x<hex> escapes;
// - what `reg export` writes (UTF-16 with a byte order mark, "Windows Registry Editor Version
//   5.00", absolute key names with single backslashes).
// Only text values are returned; names keep their letter case.
namespace WineRegistryFile {

// The text values of `keyPath` (compared without regard to case) in a prefix's file; none when
// the file or the key is missing. The whole file is checked first: a file that Wine would not
// have written fails with RunError, naming the line.
RegistryAccess::Values readKey(const QString& path, const QString& keyPath);

// Fails with RunError when the file is not one that Wine would have written.
void check(const QString& path);

// The text values of the first key of an export.
RegistryAccess::Values readExport(const QByteArray& bytes);

// A value written in the export's syntax: "name"="text" with \\ and \" escaped.
QString exportLine(const QString& name, const QString& text);

}  // namespace WineRegistryFile
