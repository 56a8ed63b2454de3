#pragma once

#include <memory>
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "Mod_Variables.h"
#include "forms/Frm_Main.h"
#include "RegistryFile.h"
#include "ScriptedDialogs.h"

// A temporary application folder with the program's shared state, scripted dialogs and the
// registry script store in it.
class AppFolder {
    QTemporaryDir dir_;  // first: everything below lives in it

public:
    AppFolder();

    QString path(const QString& name) const { return dir_.path() + '/' + name; }
    QString logPath(const QString& logName) const { return path("Logs/" + logName); }

    void write(const QString& name, const QByteArray& bytes) const;
    // Sets the game's active account and folder in the store.
    void setStore(const QString& code, const QString& signature, const QString& gameFolder = {});
    QString storeValue(const QString& name);
    Frm_Main& main();
    QByteArray read(const QString& name) const;

    ScriptedDialogs dialogs;
    RegistryFile registry{path(RegistryFile::FileName)};
    std::unique_ptr<Mod_Variables> mv;
};
