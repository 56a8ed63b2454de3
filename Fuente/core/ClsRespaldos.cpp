#include "ClsRespaldos.h"

#include <QDateTime>
#include <QDir>

#include "ClsRegistro.h"
#include "FileSystem.h"
#include "Mod_Variables.h"
#include "RegistryAccess.h"
#include "TextWriter.h"

QString ClsRespaldos::folder() {
    const QString path = mv_.App + Folder;
    FileSystem::createFolder(path);
    return path;
}

void ClsRespaldos::respaldarBD() {
    if (!FileSystem::fileExists(mv_.RutaBD))
        return;
    const QDir backups(folder());
    // The name sorts by time, so the oldest copies come first; two saves within one millisecond
    // get the next free millisecond.
    const auto name = [](const QDateTime& time) {
        return "Accounts " + time.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss.zzz")) + ".dat";
    };
    QDateTime time = QDateTime::currentDateTime();
    while (backups.exists(name(time)))
        time = time.addMSecs(1);
    FileSystem::copyFile(mv_.RutaBD, backups.filePath(name(time)));
    const QStringList copies = backups.entryList({QStringLiteral("Accounts *.dat")}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i + Kept < copies.size(); ++i)
        QFile::remove(backups.filePath(copies[i]));
}

void ClsRespaldos::anotarActiva() {
    const auto value = [this](const char* name) {
        return mv_.registry.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, QLatin1String(name));
    };
    const QString line = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                         "  \"MPAccountName\"=" + ClsRegistro::valorCitado(value("MPAccountName")) +
                         "  \"MPAccountNameSig\"=" + ClsRegistro::valorCitado(value("MPAccountNameSig"));
    TextWriter log(folder() + '/' + ActiveLog, TextWriter::Mode::Append);
    log.writeLine(line);
    log.close();
}
