#include <functional>
#include <gtest/gtest.h>
#include <QDir>

#include "AppFolder.h"
#include "ClsComandos.h"
#include "FileTexts.h"
#include "Printers.h"
#include "ProgramBoxes.h"
#include "RunError.h"

namespace {

const QString kForgot = QStringLiteral("You forgot to add the account... <.<");

struct Parsed {
    const char* text;
    QString code, server;
    bool windowed, force;
    QString ending;  // the message before the usage; "usage" for the usage alone; empty when it goes on
};

TEST(IterpCmd, AnyLengthAndAnyNumberOfPieces) {
    AppFolder app;
    EXPECT_FALSE(app.mv->comandos().IterpCmd(""));
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += "/q";
    text += "/a=" + QString(100000, 'k') + " /w";
    EXPECT_TRUE(app.mv->comandos().IterpCmd(text));
    EXPECT_EQ(app.mv->CuentaCmd.size(), 100000);
    EXPECT_TRUE(app.mv->ModoVentana);
}

// A game to start, an active account before the run, and the database.
void prepare(AppFolder& app, const QByteArray& database) {
    app.write("game/EXE/Freelancer.exe", "");
    app.setStore("before", "before-sig", app.path("game"));
    app.write("Accounts.dat", database);
}

class CommandLineModeTest : public ::testing::Test {
protected:
    CommandLineModeTest() { prepare(app, DatabaseText().account("Last", "abc", "sig-last")); }
    void run(const QString& command) {
        app.mv->Command = command;
        EXPECT_THROW(app.main().Form_Load(), EndProgram);
    }
    AppFolder app;
};

// With argument text the window never shows: a failure before the command line was read is
// reported, and the program ends.
TEST_F(CommandLineModeTest, AFailureBeforeTheCommandLineWasReadEndsTheProgramToo) {
    app.mkdir("Logs");
    app.write("GameSettings.reg", "REGEDIT4\r\nbroken line\r\n");
    app.dialogs.expect(
        ScriptedDialogs::errorBox("Invalid file format: " + QDir::toNativeSeparators(app.path("GameSettings.reg")) +
                                      ", line 2: neither a key nor a value",
                                  app.logPath("Frm_Main.log")));
    app.mv->Command = "/a=abc";
    EXPECT_THROW(app.main().Form_Load(), EndProgram);
    EXPECT_TRUE(app.dialogs.started.empty());
}

}  // namespace
