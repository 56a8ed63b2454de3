#include "BenchFolder.h"

#include <QDir>
#include <QFile>

#include "ArchivoOpciones.h"
#include "GeneratedDatabase.h"
#include "RegistryFile.h"

namespace BenchFolder {

QString databasePath(const QString& folder) { return folder + QStringLiteral("/Accounts.dat"); }

QString storePath(const QString& folder) { return folder + QLatin1Char('/') + RegistryFile::FileName; }

bool prepare(const QString& folder, const GeneratedDatabase& database) {
    const QString game = folder + QStringLiteral("/Game");
    const QString program = game + QStringLiteral("/EXE/Freelancer.exe");
    QFile script(program);
    if (!QDir(folder).mkpath(QStringLiteral("Logs")) || !QDir().mkpath(game + QStringLiteral("/EXE")) ||
        !script.open(QIODevice::WriteOnly) || script.write("#!/bin/sh\nexit 0\n") < 0 ||
        !script.setPermissions(script.permissions() | QFileDevice::ExeOwner) || !database.write(databasePath(folder)))
        return false;
    script.close();
    ArchivoOpciones::escribir(folder + QLatin1Char('/') + ArchivoOpciones::FileName, 0, 1);
    RegistryFile store(storePath(folder));
    store.WriteValue(RegistryAccess::LocalMachine, RegistryAccess::GameKey, QStringLiteral("AppPath"), game);
    store.WriteValues(RegistryAccess::CurrentUser, RegistryAccess::GameKey,
                      {{QStringLiteral("MPAccountName"), QString::fromLatin1(GeneratedDatabase::code(0))},
                       {QStringLiteral("MPAccountNameSig"), QString::fromLatin1(GeneratedDatabase::signature(0))}});
    return QFile::exists(storePath(folder));
}

}  // namespace BenchFolder
