#pragma once

#include <QString>

class ClsControlErrores;
class DatabaseFile;
class Dialogs;

// Brings database files of older versions up to the current one and refuses newer ones.
//
// The older layout (version 100) has no header and no comments: three lines per account, the
// name, the code and the signature. A file's version is read from its first line.
class ClsconvertirBaseVieja {
public:
    static inline const QString LogName = QStringLiteral("ClsConvertirDBVieja.log");

    // `appFolder` is named in the messages; `rutaBD` is the database's path, read at each use.
    ClsconvertirBaseVieja(const QString& appFolder, const QString& rutaBD, DatabaseFile& database, Dialogs& dialogs,
                          ClsControlErrores& errores)
        : appFolder_(appFolder), rutaBD_(rutaBD), database_(database), dialogs_(dialogs), errores_(errores) {}

    // Checks the database (import flag false) or the import's working copy (true) before it is
    // read. An empty file gets the header; an older file is converted in place and the person is
    // told; a newer one is refused with a message and the program ends without touching it.
    // Returns whether the file is now of the current version: false after a reported failure,
    // when the file must not be read as a current one.
    bool ConvDbOld(const QString& path, bool importFlag);

    // Converts the older layout to the current one, every comment empty: the database from its
    // ".old" copy, or the import's working copy through ".temp2". The converted file replaces the
    // old one only once it is complete. Returns whether the file is now of the current version;
    // `converted` says whether this call converted it (another copy of the program may have).
    bool ConvDBdesde100(bool importFlag, bool& converted);

    // A file's version: the last three characters of its first line, read as a number.
    static int version(const QString& firstLine);

private:
    const QString& appFolder_;
    const QString& rutaBD_;
    DatabaseFile& database_;
    Dialogs& dialogs_;
    ClsControlErrores& errores_;
};
