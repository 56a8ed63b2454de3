#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "ClsBD.h"
#include "FileBytes.h"
#include "forms/Frm_Main.h"

namespace {

constexpr unsigned kInputsBetweenLogCleanups = 512;

// The program syncs every rewritten file to the disk before it replaces the old one; in a memory
// file system that costs nothing, on a disk it makes each input take milliseconds. The folder is
// VANTOR_FUZZ_TMP when set, else /dev/shm when it can be written, else the temporary folder.
QString baseFolder() {
    const QString chosen = qEnvironmentVariable("VANTOR_FUZZ_TMP");
    if (!chosen.isEmpty())
        return chosen;
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
}

}  // namespace

Workspace& Workspace::instance() {
    static Workspace workspace;
    return workspace;
}

Workspace::Workspace() : dir_(baseFolder() + QStringLiteral("/vantor-fuzz-XXXXXX")) {
    if (!dir_.isValid())
        fuzzFailure("cannot create the temporary application folder");
    folder_ = dir_.path();
    if (!QDir(folder_).mkdir(QStringLiteral("Logs")))
        fuzzFailure("cannot create the Logs folder");
}

void Workspace::nextInput() {
    for (const char* name : {"Accounts.dat.old", "Accounts.dat.Aux", "Accounts.dat.temp2", "Accounts.dat.bak"})
        remove(QString::fromLatin1(name));
    if (++inputs_ % kInputsBetweenLogCleanups == 0) {
        QDir logs(path(QStringLiteral("Logs")));
        for (const QString& log : logs.entryList({QStringLiteral("*.log")}, QDir::Files))
            logs.remove(log);
    }
}

void Workspace::write(const QString& name, const QByteArray& bytes) const {
    if (!writeFile(path(name), bytes))
        fuzzFailure("cannot write a file of the temporary application folder");
}

void Workspace::write(const QString& name, const std::uint8_t* data, std::size_t size) const {
    write(name, QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
}

std::optional<QByteArray> Workspace::read(const QString& name) const {
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

void Workspace::remove(const QString& name) const { QFile::remove(path(name)); }

FuzzApp::FuzzApp(const Workspace& workspace)
    : registry(workspace.path(RegistryFile::FileName)), mv(workspace.folder()) {
    mv.RutaBD = workspace.path(QStringLiteral("Accounts.dat"));
}

std::vector<LoadedAccount> loadedAccounts(FuzzApp& app) {
    const AccountList& list = app.mv.Accounts;
    std::vector<LoadedAccount> accounts;
    accounts.reserve(std::size_t(list.count()));
    for (int i = 1; i <= list.count(); ++i) {
        const AccountRow& row = list.row(i);
        accounts.push_back({row.name, row.code, row.signature, app.sv.bd.traercomentario(row.code)});
    }
    return accounts;
}

void fuzzFailure(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}
