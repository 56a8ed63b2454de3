#include "ClsRespaldos.h"

#include <utility>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "ClsControlErrores.h"
#include "ClsRegistro.h"
#include "FileSystem.h"
#include "RegistryAccess.h"
#include "TextWriter.h"

namespace {

const QString kPattern = QStringLiteral("Accounts *.dat");

QStringList copies(const QDir& backups) { return backups.entryList({kPattern}, QDir::Files, QDir::Name); }

}  // namespace

QString ClsRespaldos::folder() {
    const QString path = appFolder_ + Folder;
    FileSystem::createFolder(path);
    return path;
}

void ClsRespaldos::safely(const QString& place, const std::function<void()>& work) {
    try {
        work();
        failureReported_ = false;
    } catch (const RunError& e) {
        if (failureReported_)
            return;
        failureReported_ = true;
        unreported_ = Failure{e, place};
    }
}

void ClsRespaldos::informar() {
    if (!unreported_)
        return;
    const Failure failure = *std::exchange(unreported_, std::nullopt);
    errores_.informarerror(errores_.logPath(LogName), failure.error.number,
                           failure.error.description + " (the safety copy was not made; the work goes on without it)",
                           failure.place);
}

void ClsRespaldos::respaldarBD(const QByteArray& database) {
    safely(QStringLiteral("Respaldos.respaldarBD"), [&] {
        const QDir backups(folder());
        const QStringList names = copies(backups);
        if (!names.isEmpty()) {
            QFile newest(backups.filePath(names.last()));
            if (newest.size() == database.size() && newest.open(QIODevice::ReadOnly) && newest.readAll() == database)
                return;
        }
        // The name sorts by time, so the oldest copies come first; two saves within one millisecond
        // get the next free millisecond.
        const auto name = [](const QDateTime& time) {
            return "Accounts " + time.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss.zzz")) + ".dat";
        };
        QDateTime time = QDateTime::currentDateTime();
        while (backups.exists(name(time)))
            time = time.addMSecs(1);
        // A file of its own: nothing done to the database later can change it.
        FileSystem::replaceFile(backups.filePath(name(time)), database);
    });
}

void ClsRespaldos::copiaBak(const QByteArray& database) {
    safely(QStringLiteral("Respaldos.copiaBak"),
           [&] { FileSystem::replaceFile(rutaBD_ + QStringLiteral(".bak"), database); });
}

void ClsRespaldos::podar() {
    const QDir backups(appFolder_ + Folder);
    const QStringList names = copies(backups);
    for (qsizetype i = 0; i + Kept < names.size(); ++i)
        QFile::remove(backups.filePath(names[i]));
}

void ClsRespaldos::anotarActiva() {
    safely(QStringLiteral("Respaldos.anotarActiva"), [this] {
        const auto value = [this](const char* name) {
            return registry_.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, QLatin1String(name));
        };
        const QString line = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                             "  \"MPAccountName\"=" + ClsRegistro::valorCitado(value("MPAccountName")) +
                             "  \"MPAccountNameSig\"=" + ClsRegistro::valorCitado(value("MPAccountNameSig"));
        TextWriter log(folder() + '/' + ActiveLog, TextWriter::Mode::Append);
        log.writeLine(line);
        log.close();
    });
    informar();
}
