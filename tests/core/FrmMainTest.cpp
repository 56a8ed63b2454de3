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

// A damaged store or options file ends start-up at its step, with a report; the window still comes.
TEST_F(FormLoadTest, ADamagedFileIsReportedAndTheWindowStillComes) {
    const struct {
        const char* file;
        QByteArray text;
        QString description;
    } cases[] = {
        {"GameSettings.reg", "garbage\r\n",
         "Invalid file format: %1, line 1: the first line is neither \"REGEDIT4\" nor \"Windows Registry "
         "Editor Version 5.00\""},
        {"Opciones.dat", "OPC VERSION: 100\r\n1\r\n1\r\n1\r\n",
         "Subscript out of range: %1 holds more than 2 option values"},
    };
    for (const auto& c : cases) {
        AppFolder app;
        app.write("Accounts.dat", kDatabase);
        app.write(c.file, c.text);
        const QString description = c.description.arg(QDir::toNativeSeparators(app.path(c.file)));
        app.dialogs.expect(ScriptedDialogs::errorBox(description, app.logPath("Frm_Main.log")));
        app.mv->main().Form_Load();
        EXPECT_TRUE(app.read("Logs/Frm_Main.log").endsWith("\r\n       main.form_load\r\n"));
        EXPECT_EQ(app.mv->main().LvAccounts.headerIcon(0), AccountList::NoIcon) << "start-up ended at the failing step";
        EXPECT_EQ(app.mv->main().ChkActivation.Value, 0) << "the options are not shown";
    }
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
