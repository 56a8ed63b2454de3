#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>

#include "FileBytes.h"
#include "TestFolder.h"

// A case is a folder: before/ (the application folder's files as a run finds them), steps (what
// the person does, one step a line), after/ (files as the run must leave them, byte for byte) and
// transcript (what the person saw). "$APP" in any of them stands for the application folder.
// A Wine prefix in the folder, prefix/, is compared whole, changed or not.
// VANTOR_UPDATE_CASES=1 rewrites transcript and after/ from the run: read the difference.
namespace Cases {

inline QStringList names() {
    return QDir(QStringLiteral(CASES_DIR)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}
inline QString dir(const QString& name) { return QStringLiteral(CASES_DIR) + '/' + name; }
inline bool updating() { return qEnvironmentVariableIntValue("VANTOR_UPDATE_CASES") == 1; }

// The files under `root`, relative to it, in name order.
inline QStringList filesUnder(const QString& root) {
    QStringList result;
    for (QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        result << QDir(root).relativeFilePath(it.next());
    result.sort();
    return result;
}

// Copies before/ into the folder; a file ending in .exe may be run.
inline void prepare(const TestFolder& app, const QString& name) {
    const QString before = dir(name) + "/before";
    for (const QString& file : filesUnder(before)) {
        app.write(file, readFile(before + '/' + file).replace("$APP", app.path().toUtf8()));
        if (file.endsWith(".exe"))
            QFile::setPermissions(app.path(file), QFile::permissions(app.path(file)) | QFileDevice::ExeOwner);
    }
}

// Logs and safety copies are named and stamped by the clock: they are listed, not compared.
inline bool compared(const QString& file) {
    return !file.startsWith("Logs/") && !file.startsWith("Backups/") && !file.endsWith(".args");
}

// The files of after/ that differ in the folder, each with both texts; empty when all match.
inline QString differences(const TestFolder& app, const QString& name) {
    const QString after = dir(name) + "/after";
    if (updating()) {
        QDir(after).removeRecursively();
        const QStringList kept{"Accounts.dat", "GameSettings.reg", "Opciones.dat"};
        for (const QString& file : filesUnder(app.path())) {
            const QByteArray bytes = app.read(file).replace(app.path().toUtf8(), "$APP");
            if (compared(file) && (kept.contains(file) || file.startsWith("prefix") ||
                                   bytes != readFile(dir(name) + "/before/" + file))) {
                QDir().mkpath(QFileInfo(after + '/' + file).path());
                writeFile(after + '/' + file, bytes);
            }
        }
    }
    QString result;
    for (const QString& file : filesUnder(after)) {
        const QByteArray expected = readFile(after + '/' + file).replace("$APP", app.path().toUtf8());
        if (app.read(file) != expected)
            result += file + ":\nexpected: " + expected + "\nactual:   " + app.read(file) + '\n';
    }
    return result;
}

}  // namespace Cases
