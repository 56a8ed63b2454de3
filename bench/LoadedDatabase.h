#pragma once

#include <QTemporaryDir>

#include "ScriptedDialogs.h"
#include "GeneratedDatabase.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "RegistryFile.h"
#include "forms/WindowModels.h"

class AccountList;

// A generated database of n accounts in an application folder of its own, with the program's
// state over it (not loaded until asked).
struct LoadedDatabase {
    explicit LoadedDatabase(int accounts);

    // One per size for the whole run: generating the larger files costs more than timing them.
    static LoadedDatabase& of(int accounts);

    AccountList& list();
    QString path() const { return mv.RutaBD; }
    // Whether the file on disk is what saving the loaded database must write.
    bool fileSaved() const;
    // Writes the generated file again (after a benchmark changed it) and empties the list.
    void restore();
    // Empties the list and the comment table and hands the freed memory back, so that a load
    // starts from nothing, as it does when the program starts.
    void unload();
    // Loads the file unless the list already holds it; false when the load reported an error.
    bool ensureLoaded();

    GeneratedDatabase generated;
    QTemporaryDir dir;
    DefaultDialogs dialogs;
    RegistryFile registry;
    Mod_Variables mv;
    Services sv{mv, dialogs, registry};
    WindowModels windows{mv, sv};
    QByteArray savedDigest;
};
