#include "LoadedDatabase.h"

#include <QCryptographicHash>
#include <QFile>

#include <map>
#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "AccountList.h"
#include "BenchFolder.h"
#include "ClsBD.h"
#include "forms/Frm_Main.h"

LoadedDatabase::LoadedDatabase(int accounts)
    : generated(accounts),
      registry(BenchFolder::storePath(dir.path())),
      mv(dir.path()),
      savedDigest(generated.savedDigest()) {
    if (!BenchFolder::prepare(dir.path(), generated))
        qFatal("cannot write the benchmark folder");
    mv.RutaBD = BenchFolder::databasePath(dir.path());
    mv.Opciones[1] = 1;  // deletions ask nothing
}

LoadedDatabase& LoadedDatabase::of(int accounts) {
    static std::map<int, std::unique_ptr<LoadedDatabase>> cache;
    auto& slot = cache[accounts];
    if (!slot)
        slot = std::make_unique<LoadedDatabase>(accounts);
    return *slot;
}

AccountList& LoadedDatabase::list() { return mv.Accounts; }

bool LoadedDatabase::fileSaved() const {
    QFile file(mv.RutaBD);
    QCryptographicHash digest(QCryptographicHash::Sha1);
    return file.open(QIODevice::ReadOnly) && digest.addData(&file) && digest.result() == savedDigest;
}

void LoadedDatabase::restore() {
    unload();
    if (!generated.write(mv.RutaBD))
        qFatal("cannot write the benchmark database");
}

void LoadedDatabase::unload() {
    list().clear();
    mv.Comentarios.assign({});
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

bool LoadedDatabase::ensureLoaded() {
    if (list().count() != generated.accounts) {
        unload();
        sv.bd.cargarbdallv();
    }
    return dialogs.messages == 0 && list().count() == generated.accounts;
}
