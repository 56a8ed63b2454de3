#include <gtest/gtest.h>
#include <optional>
#include <QDir>

#include "AppFolder.h"
#include "ClsBD.h"
#include "ClsPrincipal.h"
#include "FileTexts.h"
#include "Mod_Variables.h"
#include "Printers.h"
#include "ProgramBoxes.h"
#include "WinePrefix.h"

namespace {

const QByteArray kDatabase =
    DatabaseText().account("Main", "abc", "sig-main", "main comment\r\n").account("Other", "xyz", "sig-other");

using ProgramBoxes::NewAccountFound;
using ProgramBoxes::NoActiveAccount;

class ActiveAccountTest : public ::testing::Test {
protected:
    ActiveAccountTest() { app.write("Accounts.dat", kDatabase); }

    AppFolder app;
};

// In a Wine prefix the game folder is a Windows path: the game is found through the prefix's
// drives and started by wine (the one on the PATH) in its EXE folder.
TEST_F(ActiveAccountTest, InAWinePrefixTheGameStartsThroughWine) {
    app.mkdir("prefix/dosdevices");
    ASSERT_TRUE(QFile::link("../drive_c", app.path("prefix/dosdevices/c:")));
    app.write("prefix/drive_c/Games/My Game/EXE/Freelancer.exe", "");
    app.write("bin/wine", "#!/bin/sh\n");
    QFile::setPermissions(app.path("bin/wine"), QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(app.path("bin")));
    const WinePrefix prefix(app.path("prefix"));
    app.mv->winePrefix = &prefix;
    app.setStore("abc", "s", "C:\\games\\my game");
    app.main().Form_Load();

    app.mv->ServidorCmd = "1.2.3.4:2302";
    app.main().LaunchW_Click();
    const QString exe = QDir(app.path("prefix/drive_c")).canonicalPath() + "/Games/My Game/EXE";
    ASSERT_EQ(app.dialogs.started.size(), 1u);
    EXPECT_EQ(app.dialogs.started[0].program, app.path("bin/wine"));
    EXPECT_EQ(app.dialogs.started[0].arguments, '"' + exe + "/Freelancer.exe\" -w -s1.2.3.4:2302");
    EXPECT_EQ(app.dialogs.started[0].workingFolder, exe);

    for (const QString folder : {"C:\\Games\\Nowhere", "D:\\Games\\My Game", "/home/me/My Game", ""}) {
        app.setStore("abc", "s", folder);
        app.dialogs.expect(ProgramBoxes::GameNotFound(folder + "\\EXE\\Freelancer.exe"));
        app.main().Launch_Click();
    }
    EXPECT_EQ(app.dialogs.started.size(), 1u);

    app.setStore("abc", "s", "C:\\Games\\My Game");
    QFile::remove(app.path("bin/wine"));
    app.dialogs.expect(ScriptedDialogs::errorBox(
        "File not found: wine, which runs the game; install Wine or add it to the PATH", app.logPath("ClsMain.log")));
    app.main().Launch_Click();
    EXPECT_EQ(app.dialogs.started.size(), 1u);
    qputenv("PATH", path);
}

// The services load, find and offer to store the active account without the window models; built
// again over the same state, the window lists the same accounts and shows what the services report.
TEST_F(ActiveAccountTest, TheServicesWorkWithoutTheWindows) {
    app.windows.reset();
    Mod_Variables& mv = *app.mv;
    app.sv->bd.cargarbdallv();
    ASSERT_EQ(mv.Accounts.count(), 2);
    struct Case {
        const char* code;
        std::optional<MessageBoxSpec> box;
        MsgAnswer answer;
        QString selected;  // the row selected afterwards
    };
    const Case cases[] = {
        {"abc", std::nullopt, MsgAnswer::OK, "Main"},
        {"", NoActiveAccount, MsgAnswer::OK, "Main"},
        {"new-code", NewAccountFound, MsgAnswer::No, "Main"},
        {" xyz", std::nullopt, MsgAnswer::OK, "Other"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        if (c.box)
            app.dialogs.expect(*c.box, c.answer);
        app.sv->principal.SetCuentaAct(c.code, "sig");
        EXPECT_EQ(mv.Accounts.selectedRow().name, c.selected);
    }
    EXPECT_EQ(app.read("Accounts.dat"), kDatabase);

    app.windows = std::make_unique<WindowModels>(mv, *app.sv);
    EXPECT_EQ(&app.main().LvAccounts, &mv.Accounts);
    app.sv->principal.SetCuentaAct("abc", "sig-main");
    EXPECT_EQ(app.main().LblName.Caption, "Main");
    EXPECT_EQ(app.main().TxtComentarios.Text, "main comment");
}

}  // namespace
