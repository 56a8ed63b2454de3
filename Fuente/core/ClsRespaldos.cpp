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
const QString kPrefix = QStringLiteral("Accounts ");
const QString kTime = QStringLiteral("yyyy-MM-dd HH.mm.ss.zzz");

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

QString ClsRespaldos::respaldarBD(const QByteArray& database) {
    QString written;
    safely(QStringLiteral("Respaldos.respaldarBD"), [&] {
        const QDir backups(folder());
        const QStringList names = copies(backups);
        if (!names.isEmpty()) {
            QFile newest(backups.filePath(names.last()));
            if (newest.size() == database.size() && newest.open(QIODevice::ReadOnly) && newest.readAll() == database)
                return;
        }
        // A file of its own: nothing done to the database later can change it.
        const QString path = backups.filePath(nextName(names));
        FileSystem::replaceFile(path, database, rutaBD_);
        written = path;
    });
    return written;
}

QString ClsRespaldos::nextName(const QStringList& names) {
    // Named by the time, so that the oldest copies come first; a copy is always named after the
    // newest one, even when the clock was put back, so that it is never the one pruned, and two
    // saves within one millisecond get the next free millisecond.
    const auto timeOf = [](const QString& name) {
        return QDateTime::fromString(name.mid(kPrefix.size(), kTime.size()), kTime);
    };
    QDateTime time = QDateTime::currentDateTime();
    for (const QString& name : names)
        if (const QDateTime taken = timeOf(name); taken.isValid() && taken >= time)
            time = taken.addMSecs(1);
    return kPrefix + time.toString(kTime) + QStringLiteral(".dat");
}

QString ClsRespaldos::guardarRescate(const std::function<void(TextWriter&)>& write) {
    const QString path = folder() + QStringLiteral("/Recovered accounts ") +
                         QDateTime::currentDateTime().toString(kTime) + QStringLiteral(".dat");
    TextWriter file(path, TextWriter::Mode::Rewrite, rutaBD_);
    write(file);
    file.close();
    return path;
}

void ClsRespaldos::copiaBak(const QByteArray& database, const QString& sameBytes) {
    safely(QStringLiteral("Respaldos.copiaBak"), [&] {
        // Sharing the copy's file saves writing and syncing the database once more. Neither name
        // is ever written in place (every write replaces a file whole), so neither can change
        // the other; the copy was made with the database's permissions a moment ago.
        const QString bak = rutaBD_ + QStringLiteral(".bak");
        if (sameBytes.isEmpty() || !FileSystem::linkFile(sameBytes, bak))
            FileSystem::replaceFile(bak, database, rutaBD_);
    });
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
        TextWriter log(folder() + '/' + ActiveLog, TextWriter::Mode::Append, rutaBD_);
        log.writeLine(line);
        log.close();
    });
    informar();
}
