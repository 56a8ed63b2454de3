#pragma once

#include <memory>
#include <vector>
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "Mod_Variables.h"
#include "RegistryFile.h"
#include "RegistryWine.h"
#include "ScriptedDialogs.h"
#include "Services.h"
#include "TestFailure.h"
#include "TestFolder.h"
#include "forms/WindowModels.h"

// Selects the first account of the list with this name; false when there is none.
inline bool selectName(AccountList& list, const QString& name) {
    for (int i = 1; i <= list.count(); ++i)
        if (list.row(i).name == name) {
            list.select(i);
            return true;
        }
    return false;
}

// A temporary application folder with the program's shared values, services and window models, the given test dialogs
// and the registry script store.
template <class TestDialogs>
class BasicAppFolder : public TestFolder {
public:
    // In a temporary folder, or in `root`.
    explicit BasicAppFolder(const QString& root = {})
        : TestFolder(root),
          mv(std::make_unique<Mod_Variables>(path())),
          sv(std::make_unique<Services>(*mv, dialogs, registry)),
          windows(std::make_unique<WindowModels>(*mv, *sv)) {
        mv->RutaBD = path("Accounts.dat");
    }

    // Sets the game's active account and folder in the store.
    void setStore(const QString& code, const QString& signature, const QString& gameFolder = {}) {
        registry.WriteValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, "MPAccountName", code);
        registry.WriteValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, "MPAccountNameSig", signature);
        registry.WriteValue(RegistryAccess::LocalMachine, RegistryAccess::GameKey, "AppPath", gameFolder);
    }
    QString storeValue(const QString& name) {
        return registry.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, name);
    }
    Frm_Main& main() { return windows->main; }
    // The names, and the rows, of the list in its order.
    QStringList names() {
        QStringList result;
        for (int i = 1; i <= main().LvAccounts.count(); ++i)
            result << main().LvAccounts.row(i).name;
        return result;
    }
    std::vector<AccountRow> rows() {
        std::vector<AccountRow> result;
        for (int i = 1; i <= main().LvAccounts.count(); ++i)
            result.push_back(main().LvAccounts.row(i));
        return result;
    }
    void select(const QString& name) {
        if (!selectName(main().LvAccounts, name))
            testFailure("no account named " + name.toStdString());
    }

    TestDialogs dialogs;
    RegistryFile registry{path(RegistryFile::FileName)};
    std::unique_ptr<RegistryWine> wine;  // the store instead of `registry` after a step "wine"
    std::unique_ptr<Mod_Variables> mv;
    std::unique_ptr<Services> sv;
    std::unique_ptr<WindowModels> windows;
};

// The usual one: every box the program shows must be expected.
using AppFolder = BasicAppFolder<ScriptedDialogs>;
// The one of the case folders: boxes answered from the steps, else with their default buttons.
using CaseApp = BasicAppFolder<DefaultDialogs>;
// Runs one step of a case folder (CaseSteps.cpp).
void runCaseStep(CaseApp& app, const QString& line);
