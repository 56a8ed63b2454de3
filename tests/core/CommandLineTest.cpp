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

TEST(IterpCmd, ReadsEverySwitch) {
    const Parsed cases[] = {
        {"/a=CODE /s=a.b.c.d:2302 /w /y", "CODE", "a.b.c.d:2302", true, true, {}},
        {"/A=Mixed.Case", "Mixed.Case", "", false, false, {}},
        {"/Windowed /yes /a=x", "x", "", true, true, {}},
        {"/a=first /a=  second  /S= 1.2.3.4:2302", "second", "1.2.3.4:2302", false, false, {}},
        {"/aXcode", "code", "", false, false, {}},
        {"/a", "", "", false, false, kForgot},
        {"/w", "", "", true, false, kForgot},
        {"hello", "", "", false, false, kForgot},
        {"/a=x /? /w", "x", "", false, false, "usage"},
        {"?", "", "", false, false, "usage"},
        {"//a=x//", "x", "", false, false, {}},
        {"/a=\xE4\xB8\xAD", "\u4E2D", "", false, false,
         "The account code holds characters that cannot be stored: \u4E2D"},
    };
    for (const Parsed& c : cases) {
        SCOPED_TRACE(c.text);
        AppFolder app;
        if (!c.ending.isEmpty()) {
            if (c.ending != "usage")
                app.dialogs.expect({c.ending});
            app.dialogs.expect({ClsComandos::usage()});
        }
        bool ended = false;
        try {
            EXPECT_TRUE(app.mv->comandos().IterpCmd(QString::fromUtf8(c.text)));
        } catch (const EndProgram&) {
            ended = true;
        }
        EXPECT_EQ(ended, !c.ending.isEmpty());
        EXPECT_EQ(app.mv->CuentaCmd, c.code);
        EXPECT_EQ(app.mv->ServidorCmd, c.server);
        EXPECT_EQ(app.mv->ModoVentana, c.windowed);
        EXPECT_EQ(app.mv->Forzar, c.force);
    }
}

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

TEST(IterpCmd, UsageText) {
    const QStringList lines = ClsComandos::usage().split("\r\n");
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], "Usage: ''<Path to program>'' /a=<Account> [/s=127.0.0.1:2302][/w] [/y] [/?]");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8],
              "Example: ''C:\\program files\\freelancer\\freelancer.exe'' /a=zxlvnbka-mtyqkdso37-k905612t4 /y /w");
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

// Offered, stored, and then the game cannot be found: said, and the program ends.
TEST(CommandLineMode, AnUnstoredCodeIsOfferedFirst) {
    AppFolder app;
    app.write("Accounts.dat", DatabaseText());
    app.mv->Command = "/a=fresh";
    app.dialogs.expect(ProgramBoxes::NewAccountFound, MsgAnswer::Yes);
    app.dialogs.expectInput("Named");
    app.dialogs.expect(ProgramBoxes::AccountAdded);
    app.dialogs.expect(ProgramBoxes::GameNotFound(QDir::toNativeSeparators("/EXE/Freelancer.exe")));
    EXPECT_THROW(app.main().Form_Load(), EndProgram);
    EXPECT_EQ(app.read("Accounts.dat"), DatabaseText().account("Named", "fresh", "").bytes());
    EXPECT_EQ(app.storeValue("MPAccountName"), "fresh");
}

// A command line loads only the accounts with the code it names; what it activates, asks and
// writes is what it would be with every account loaded.
TEST(CommandLineMode, ActsAsWithEveryAccountLoaded) {
    const QByteArray mixed = DatabaseText()
                                 .account("Last", "abc", "sig-last")
                                 .account("First", "ABC ", "sig-first")
                                 .account("Cedilla", "\xC7ode", "sig-c1")
                                 .account("Spaced", "  \xE7ODE", "sig-c2")
                                 .account("Caron", "\x9Ax", "sig-caron")
                                 .account("Acute", "\xE9", "sig-acute");
    const QByteArray truncated = DatabaseText().account("Other", "xyz", "sig-xyz").bytes() + "Cut\r\nabc\r\n";
    struct Case {
        const char* command;
        QByteArray database;
        QString code, signature;
        std::function<void(AppFolder&)> script;  // the boxes the person sees
        QByteArray added;                        // the record the run adds to the database
        QString arguments = "-s";                // the game's
    };
    const auto none = [](AppFolder&) {};
    const Case cases[] = {
        // The row whose code is exactly the one given: the code and the signature of one row.
        {"/a=abc /s=1.2.3.4:2302 /w /y", mixed, "abc", "sig-last", none, {}, "-w -s1.2.3.4:2302"},
        {"/a=ABC /y", mixed, "ABC ", "sig-first", none, {}},
        {"/a=aBc /y", mixed, "ABC ", "sig-first", none, {}},
        {"/a=\xC3\x87ODE /y", mixed, "  \u00E7ODE", "sig-c2", none, {}},
        {"/a=\xC5\xA0X /y", mixed, "\u0161x", "sig-caron", none, {}},
        {"/a=E /y", mixed, "E", "", none, {}},
        {"/a=abc", mixed, "abc", "sig-last", none, {}},
        // No row holds the code exactly: the code is offered for adding, as a new one.
        {"/a=aBc",
         mixed,
         "ABC ",
         "sig-first",
         [](AppFolder& app) { app.dialogs.expect(ProgramBoxes::NewAccountFound, MsgAnswer::No); },
         {}},
        // Adding checks the name against every account and appends to the whole database.
        {"/a=fresh", mixed, "fresh", "",
         [](AppFolder& app) {
             app.dialogs.expect(ProgramBoxes::NewAccountFound, MsgAnswer::Yes);
             app.dialogs.expectInput("Caron");
             app.dialogs.expect(ProgramBoxes::NameTaken);
             app.dialogs.expectInput("Fresh");
             app.dialogs.expect(ProgramBoxes::AccountAdded);
         },
         DatabaseText::record("Fresh", "fresh", "")},
        // A database that ends inside an account is reported once and offers nothing.
        {"/a=abc",
         truncated,
         "abc",
         "",
         [](AppFolder& app) {
             app.mkdir("Logs");
             app.dialogs.expect(ScriptedDialogs::errorBox(
                 "Input past end of file: " + QDir::toNativeSeparators(app.path("Accounts.dat")),
                 app.logPath("ClsBD.log")));
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        AppFolder app;
        prepare(app, c.database);
        c.script(app);
        app.mv->Command = QString::fromUtf8(c.command);
        EXPECT_THROW(app.main().Form_Load(), EndProgram);
        EXPECT_EQ(app.storeValue("MPAccountName"), c.code);
        EXPECT_EQ(app.storeValue("MPAccountNameSig"), c.signature);
        EXPECT_EQ(app.read("Accounts.dat"), c.database + c.added);
        ASSERT_EQ(app.dialogs.started.size(), 1u);
        EXPECT_EQ(app.dialogs.started[0].arguments, c.arguments);
    }
}

TEST_F(CommandLineModeTest, AFailureAfterTheCommandLineWasReadEndsTheProgram) {
    app.mkdir("Logs");
    // A signature holding a lone LF cannot go into the store file.
    app.write("Accounts.dat", "DB Version: 101\r\nOdd\r\nabc\r\ns\ng\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n");
    app.dialogs.expect(
        ScriptedDialogs::errorBox("Invalid procedure call or argument: a value with a line break cannot be stored in " +
                                      QDir::toNativeSeparators(app.path("GameSettings.reg")),
                                  app.logPath("Frm_Main.log")));
    run("/a=abc");
    EXPECT_EQ(app.storeValue("MPAccountName"), "before") << "the code and the signature go in together or not at all";
    EXPECT_EQ(app.storeValue("MPAccountNameSig"), "before-sig");
    EXPECT_TRUE(app.dialogs.started.empty());
}

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
