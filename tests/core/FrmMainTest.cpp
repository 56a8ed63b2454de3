#include <gtest/gtest.h>
#include <QDir>

#include "AppFolder.h"
#include "FileTexts.h"
#include "Printers.h"
#include "ProgramBoxes.h"
#include "forms/Frm_Main.h"

namespace {

const QByteArray kStore = storeText("c-b", "s-b", "C:\\\\Games\\\\Freelancer");

const QByteArray kDatabase =
    DatabaseText().account("bravo", "c-b", "s-b").account("Alpha", "c-a", "s-a").account("charlie", "c-c", "s-c");

class FormLoadTest : public ::testing::Test {
protected:
    Frm_Main& form() { return app.mv->main(); }
    AppFolder app;
};

TEST_F(FormLoadTest, FirstRunCreatesTheProgramsFiles) {
    app.dialogs.expect(ProgramBoxes::NoActiveAccount);
    form().Form_Load();
    EXPECT_TRUE(QFileInfo(app.path("Logs")).isDir());
    EXPECT_EQ(app.read("Opciones.dat"), optionsText(0, 0));
    EXPECT_EQ(app.read("Accounts.dat"), DatabaseText().bytes());
    EXPECT_EQ(form().LvAccounts.count(), 0);
    EXPECT_EQ(form().ChkActivation.Value, 0);
    EXPECT_EQ(form().ChkActivation.BackColor, Colores::ButtonFace);
    EXPECT_EQ(form().LblCode.Caption, "N/A");
    EXPECT_EQ(app.mv->RutaBD, app.path("Accounts.dat"));
}

TEST_F(FormLoadTest, LoadsTheStoreAndTheDatabaseSortedByName) {
    app.write("GameSettings.reg", kStore);
    app.write("Accounts.dat", kDatabase);
    form().Form_Load();
    EXPECT_EQ(app.mv->RutaJuego, "") << "the game's folder is read when the game is launched";
    EXPECT_EQ(app.mv->CuentaActiva, "c-b");
    EXPECT_EQ(form().LblCode.Caption, "c-b");
    EXPECT_EQ(form().LblSignature.Caption, "s-b");
    EXPECT_EQ(app.names(), (QStringList{"Alpha", "bravo", "charlie"}));
    EXPECT_EQ(form().LvAccounts.headerIcon(0), AccountList::AscendingMark);

    form().Form_Load();  // a refresh loads the same rows again, not twice
    EXPECT_EQ(app.names(), (QStringList{"Alpha", "bravo", "charlie"}));
    EXPECT_EQ(app.read("Accounts.dat"), kDatabase);
}

TEST_F(FormLoadTest, OptionsAreReadLeniently) {
    struct Case {
        const char* what;
        QByteArray file;
        int activation, deletion;
    };
    const Case cases[] = {
        {"ticked activation", optionsText(1, 0), 1, 0},
        {"blanks and a greyed box", "anything\r\n  1  \r\n2\r\n", 1, 2},
        {"junk reads 0", "OPC VERSION: 100\r\nyes\r\n1,5\r\n", 0, 1},
        {"values out of range are held to 0..2", "OPC VERSION: 100\r\n7\r\n-3\r\n", 2, 0},
        {"rounding", "OPC VERSION: 100\r\n0.6\r\n1.5\r\n", 1, 2},
        {"more than two values", "OPC VERSION: 100\r\n1\r\n1\r\n1\r\n\r\n", 1, 1},
        {"header only keeps the values", "OPC VERSION: 100\r\n", 1, 1},
        {"an empty file keeps the values", "", 1, 1},
    };
    app.write("Accounts.dat", kDatabase);
    app.write("GameSettings.reg", kStore);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        app.write("Opciones.dat", c.file);
        form().ChkActivation.BackColor = form().ChkDeletion.BackColor = Colores::ButtonFace;
        form().Form_Load();
        EXPECT_EQ(app.mv->Opciones[0], c.activation);
        EXPECT_EQ(app.mv->Opciones[1], c.deletion);
        EXPECT_EQ(form().ChkActivation.Value, c.activation);
        EXPECT_EQ(form().ChkDeletion.Value, c.deletion);
        EXPECT_EQ(form().ChkActivation.BackColor, c.activation == 1 ? Colores::LightRed : Colores::ButtonFace);
        EXPECT_EQ(form().ChkDeletion.BackColor, c.deletion == 1 ? Colores::LightRed : Colores::ButtonFace);
        EXPECT_FALSE(form().Cargando);
        EXPECT_EQ(app.read("Opciones.dat"), c.file) << "start-up never rewrites the options";
        EXPECT_EQ(form().LvAccounts.count(), 3) << "the database is loaded whatever the options say";
    }
}

TEST_F(FormLoadTest, AMalformedStoreIsReportedAndTheWindowStillComes) {
    app.mkdir("Logs");
    app.write("GameSettings.reg", "garbage\r\n");
    app.dialogs.expect(ScriptedDialogs::errorBox(
        "Invalid file format: " + QDir::toNativeSeparators(app.path("GameSettings.reg")) +
            ", line 1: the first line is neither \"REGEDIT4\" nor \"Windows Registry Editor Version 5.00\"",
        app.logPath("Frm_Main.log")));
    form().Form_Load();
    EXPECT_TRUE(app.read("Logs/Frm_Main.log").endsWith("\r\n       main.form_load\r\n"));
    EXPECT_EQ(form().LvAccounts.headerIcon(0), AccountList::NoIcon) << "start-up ended at the failing step";
}

TEST_F(FormLoadTest, ALogsPathThatIsAFileEndsStartUpAndIsStillShown) {
    app.write("Logs", "");
    const QString logs = QDir::toNativeSeparators(app.path("Logs"));
    app.dialogs.expect(ScriptedDialogs::unwrittenErrorBox("Path/File access error: " + logs + " is a file",
                                                          "Path not found: " + logs));
    form().Form_Load();
    EXPECT_EQ(app.dialogs.beeps, 0);
    EXPECT_EQ(app.read("Accounts.dat"), "<missing>");
}

TEST_F(FormLoadTest, TheSaveTimerSavesOnItsSecondTick) {
    app.write("Accounts.dat", kDatabase);
    app.write("GameSettings.reg", kStore);
    form().Form_Load();
    form().LvAccounts.setName(1, "Renamed");
    form().TiSave.Enabled = true;
    form().CmdEdit.Enabled = false;
    form().Toolbar1.button(3).Enabled = true;

    form().TiSave_Timer();
    EXPECT_EQ(app.read("Accounts.dat"), kDatabase) << "the first tick only arms";
    form().TiSave_Timer();
    EXPECT_TRUE(app.read("Accounts.dat").startsWith("DB Version: 101\r\nRenamed\r\nc-a\r\n"));
    EXPECT_FALSE(form().TiSave.Enabled);
    EXPECT_FALSE(form().Toolbar1.button(3).Enabled);
    EXPECT_TRUE(form().CmdEdit.Enabled);

    form().LvAccounts.setName(1, "Again");
    form().TiSave.Enabled = true;
    form().TiSave_Timer();
    EXPECT_FALSE(app.read("Accounts.dat").contains("Again")) << "armed again from the start";
}

}  // namespace
