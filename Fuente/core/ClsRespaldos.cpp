#include "ClsRespaldos.h"

#include <filesystem>
#include <system_error>

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
    // A second name for the file costs nothing: the rewrite that follows puts a new file under the
    // database's name and leaves this one as it is. Where links are not possible, a copy.
    const QString copy = backups.filePath(name(time));
    std::error_code linkFailed;
    std::filesystem::create_hard_link(std::filesystem::path(mv_.RutaBD.toStdU16String()),
                                      std::filesystem::path(copy.toStdU16String()), linkFailed);
    if (linkFailed)
        FileSystem::copyFile(mv_.RutaBD, copy);
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
