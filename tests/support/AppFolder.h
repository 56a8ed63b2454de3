#pragma once

#include <memory>
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "Mod_Variables.h"
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
    QByteArray read(const QString& name) const;

    ScriptedDialogs dialogs;
    RegistryFile registry{path(RegistryFile::FileName)};
    std::unique_ptr<Mod_Variables> mv;
};
