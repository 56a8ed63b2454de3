// The Linux program against the real thing: a new Wine prefix, made here without a display, with
// a stand-in for the game (a Windows program, StandInGame.cpp) in its drive C, the game folder set
// with Wine's own reg, and the real VTR and its window models switching the account in it, with
// and without the prefix's wineserver running.
#include <functional>
#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <iostream>

#include "AppFolder.h"
#include "Cp1252.h"
#include "FileBytes.h"
#include "FileTexts.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "Printers.h"
#include "Program.h"
#include "ProgramBoxes.h"
#include "QtDialogs.h"
#include "RegistryWine.h"
#include "ScriptedDialogs.h"
#include "forms/Frm_Main.h"
#include "forms/Frm_ShortCut.h"
#include "forms/WindowModels.h"

namespace {

const QString kKey = RegistryAccess::GameKey;
const QString kGameFolder = QStringLiteral("C:\\Games\\Free Lancer");
// Codes and signatures with quotes, backslashes and letters outside ASCII (all in the game's
// ANSI code page, so that the stand-in reads them as they are).
const QString kOddCode = QStringLiteral("q\"u\\o t\u00e9-\u00fc");
const QString kOddSignature = QStringLiteral("s\\\\ig\"\u00e9");

QByteArray database() {
    return DatabaseText()
        .account("Main", "CODE-1", "sig-main")
        .account("Odd", Cp1252::encode(kOddCode), Cp1252::encode(kOddSignature));
}

// The prefix, made once for all tests: setting one up takes Wine many seconds.
class Prefix : public ::testing::Environment {
public:
    static inline Prefix* instance = nullptr;

    void SetUp() override {
        instance = this;
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert("WINEPREFIX", folder());
        environment_.insert("WINEDEBUG", "-all");
        // No .NET or HTML engine installers, no menu entries made on this machine.
        environment_.insert("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d");
        environment_.insert("XDG_DATA_HOME", root_.filePath("data"));
        environment_.insert("XDG_CONFIG_HOME", root_.filePath("config"));
        environment_.remove("DISPLAY");
        environment_.remove("WAYLAND_DISPLAY");
        // The game and Wine's reg, started by the code under test, run in this prefix.
        for (const QString& name : environment_.keys())
            qputenv(name.toLocal8Bit(), environment_.value(name).toLocal8Bit());
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");

        ASSERT_EQ(run("wineboot", {"--init"}), 0);
        stopServer();
        ASSERT_TRUE(QDir().mkpath(gameExe()));
        ASSERT_TRUE(QFile::copy(QStringLiteral(STAND_IN_GAME), gameExe() + "/Freelancer.exe"));
        ASSERT_EQ(run("wine", {"reg", "add", "HKLM\\" + kKey, "/v", "AppPath", "/d", kGameFolder, "/f", "/reg:32"}), 0);
        stopServer();
    }
    // Waits for the server's end too: a program of the prefix left running would hold the test's
    // output open after the prefix is gone.
    void TearDown() override { stopServer(); }

    QString folder() const { return root_.filePath("prefix"); }
    QString gameExe() const { return folder() + "/drive_c/Games/Free Lancer/EXE"; }
    QString record() const { return gameExe() + "/recorded.txt"; }

    // Runs a program in the prefix to its end; its exit code, -1 when it did not end.
    int run(const QString& program, const QStringList& arguments) {
        return runProgram(program, arguments, 90000, environment_);
    }
    // A server that stays, as while the game or another program runs (one that reg left would
    // end three seconds after it): until it is stopped, or a minute after its last program, so
    // that a test that dies leaves none behind for long.
    void startServer() {
        stopServer();
        ASSERT_EQ(run("wineserver", {"-p60"}), 0);
    }
    // Ends the server, which writes the registry to the files first.
    void stopServer() {
        run("wineserver", {"-k"});
        run("wineserver", {"-w"});
    }

    // What the stand-in game recorded when it was last started: command line, working folder,
    // code, signature, game folder. Waits for it, as the game starts detached.
    QStringList recorded() {
        QDeadlineTimer deadline(60000);
        while (!QFile::exists(record()) && !deadline.hasExpired())
            QThread::msleep(50);
        const QStringList lines = Cp1252::decode(readFile(record())).split('\n');
        QFile::remove(record());
        return lines.mid(0, 5);
    }

private:
    QTemporaryDir root_;
    QProcessEnvironment environment_;
};

QStringList expectedRecord(const QString& arguments, const QString& code, const QString& signature) {
    return {'"' + kGameFolder + "\\EXE\\Freelancer.exe\" " + arguments, kGameFolder + "\\EXE", code, signature,
            kGameFolder};
}

// Runs the stand-in as the game that makes a new account: it stores the code and signature.
void gameMakesAccount(const QString& code, const QString& signature) {
    Prefix& prefix = *Prefix::instance;
    ASSERT_EQ(prefix.run("wine", {prefix.gameExe() + "/Freelancer.exe", "write", code, signature}), 0);
}

class WineGameTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (serverRunning())
            prefix.startServer();
        else
            prefix.stopServer();
    }
    void TearDown() override { prefix.stopServer(); }
    static bool serverRunning() { return GetParam(); }

    Prefix& prefix = *Prefix::instance;
    RegistryWine store{WinePrefix(prefix.folder())};
    QTemporaryDir app;
};

// The real program in command-line mode, as a shortcut starts it.
TEST_P(WineGameTest, TheCommandLineSwitchesTheAccountAndStartsTheGame) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(VTR_PATH), app.filePath("VTR")));
    ASSERT_TRUE(writeFile(app.filePath("Accounts.dat"), database()));
    store.WriteValues(RegistryAccess::CurrentUser, kKey,
                      {{"MPAccountName", "CODE-1"}, {"MPAccountNameSig", "sig-main"}});
    EXPECT_EQ(store.prefix().serverRunning(), true) << "reg leaves a server for a moment";

    const std::pair<QStringList, QStringList> cases[] = {
        {{"/a=" + kOddCode, "/s=1.2.3.4:2302", "/w"}, expectedRecord("-w -s1.2.3.4:2302", kOddCode, kOddSignature)},
        {{"/A=CODE-1"}, expectedRecord("-s", "CODE-1", "sig-main")},
    };
    for (const auto& [arguments, record] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        if (!serverRunning())
            prefix.stopServer();
        QByteArray errors;  // not the test's own: what the program starts must not hold that open
        EXPECT_EQ(runProgram(app.filePath("VTR"), arguments, 60000, QProcessEnvironment::systemEnvironment(), &errors),
                  0)
            << errors.toStdString();
        EXPECT_EQ(prefix.recorded(), record);
        EXPECT_FALSE(QDir(app.filePath("Logs")).entryList(QDir::Files).size()) << "nothing was reported";
    }
}

// A dialog layer whose program starts are real, as in the window.
class StartingDialogs : public ScriptedDialogs {
public:
    void StartProgram(const QString& program, const QString& arguments, const QString& workingFolder,
                      Show show) override {
        ScriptedDialogs::StartProgram(program, arguments, workingFolder, show);
        real_.StartProgram(program, arguments, workingFolder, show);
    }

private:
    QtDialogs real_;
};

// The window models: activation and the launch with no server, Scan noticing the account the
// game made while the server runs, and a shortcut that runs in the prefix from a desktop that has
// none.
TEST(WineWindowTest, TheWindowSwitchesLaunchesNoticesAndMakesShortcuts) {
    Prefix& prefix = *Prefix::instance;
    RegistryWine store{WinePrefix(prefix.folder())};
    QTemporaryDir app;
    ASSERT_TRUE(writeFile(app.filePath("Accounts.dat"), database()));
    ASSERT_TRUE(writeFile(app.filePath("Opciones.dat"), optionsText(1, 0)));  // activate silently
    store.WriteValues(RegistryAccess::CurrentUser, kKey,
                      {{"MPAccountName", "CODE-1"}, {"MPAccountNameSig", "sig-main"}});
    prefix.stopServer();
    StartingDialogs dialogs;
    Mod_Variables mv(app.path());
    Services sv(mv, dialogs, store);
    WindowModels windows(mv, sv);
    mv.RutaBD = app.filePath("Accounts.dat");
    mv.winePrefix = &store.prefix();
    Frm_Main& main = windows.main;

    main.Form_Load();
    EXPECT_EQ(main.LblName.Caption, "Main");
    selectName(main.LvAccounts, "Odd");
    main.LvAccounts_DblClick();
    EXPECT_EQ(main.LblName.Caption, "Odd");
    main.LaunchW_Click();
    EXPECT_EQ(prefix.recorded(), expectedRecord("-w -s", kOddCode, kOddSignature));

    // The game makes an account while the server keeps the registry; Scan finds it.
    prefix.startServer();
    gameMakesAccount("NEW-CODE", "new-sig");
    dialogs.expect(ProgramBoxes::NewAccountFound, MsgAnswer::Yes);
    dialogs.expectInput("Fresh");
    dialogs.expect(ProgramBoxes::AccountAdded);
    main.Scan_Click();
    EXPECT_EQ(main.LblName.Caption, "Fresh");
    EXPECT_TRUE(readFile(mv.RutaBD).endsWith(DatabaseText::record("Fresh", "NEW-CODE", "new-sig")));

    // A shortcut for Main, started with the prefix nowhere in the desktop's environment.
    ASSERT_TRUE(QFile::copy(QStringLiteral(VTR_PATH), app.filePath("VTR")));
    Frm_ShortCut& shortcut = windows.frmShortCut;
    shortcut.Show();
    selectName(main.LvAccounts, "Main");
    shortcut.TxtPath.Text = app.path() + '/';
    shortcut.TxtNombre.Text = "Main";
    dialogs.expect({"Shortcut Main Created at " + app.path() + '/', {}, MsgButtons::OK, MsgIcon::Exclamation});
    shortcut.CmdOk_Click();
    prefix.stopServer();
    const QString launcher = QString::fromUtf8(readFile(app.filePath("Main.desktop")));
    const QString exec = QRegularExpression("\nExec=(.*)\n").match(launcher).captured(1);
    ASSERT_TRUE(exec.startsWith("env \"WINEPREFIX=" + prefix.folder() + '"')) << exec.toStdString();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("WINEPREFIX");
    // The launcher's value unescaped once; what is left is quoted as the shell quotes.
    QByteArray errors;
    EXPECT_EQ(runProgram("/bin/sh", {"-c", "exec " + QString(exec).replace("\\\\", "\\")}, 60000, environment, &errors),
              0)
        << errors.toStdString();
    EXPECT_EQ(prefix.recorded(), expectedRecord("-s", "CODE-1", "sig-main"));
    EXPECT_EQ(store.ReadValue(RegistryAccess::CurrentUser, kKey, "MPAccountName"), "CODE-1");
    prefix.stopServer();
}

// Values come back as they were written, through the server and through the files; what the
// game reads through its ANSI calls is checked above.
TEST_P(WineGameTest, ValuesRoundTripAndReadingIsQuick) {
    const RegistryAccess::Values values{{"MPAccountName", "plain"},
                                        {"MPAccountNameSig", "q\"u\\o\\\\ \\\""},
                                        {"Other", "\u00e9\u20ac \u4e2d\u6587 \u0436"},
                                        {"Empty", ""},
                                        {"Blanks", " blanks "}};
    store.WriteValues(RegistryAccess::CurrentUser, kKey, values);
    if (!serverRunning())
        prefix.stopServer();
    for (const auto& [name, value] : values)
        EXPECT_EQ(store.ReadValue(RegistryAccess::CurrentUser, kKey, name.toLower()), value);
    EXPECT_EQ(store.ReadValue(RegistryAccess::LocalMachine, kKey, "AppPath"), kGameFolder);
    // Timed, the best of three: what start-up reads (the code and the signature), and an activation
    // (both written, then read again by the refresh), each from the server's state of this test.
    const auto best = [&](const std::function<void()>& work) {
        qint64 best = -1;
        for (int i = 0; i < 3; ++i) {
            QThread::msleep(1100);  // no export kept from the last round
            if (!serverRunning())
                prefix.stopServer();
            QElapsedTimer timer;
            timer.start();
            work();
            best = best < 0 ? timer.elapsed() : std::min(best, timer.elapsed());
        }
        return best;
    };
    const auto startUp = [&] {
        for (const char* name : {"MPAccountName", "MPAccountNameSig"})
            store.ReadValue(RegistryAccess::CurrentUser, kKey, name);
    };
    const qint64 read = best(startUp);
    const qint64 activation = best([&] {
        store.WriteValues(RegistryAccess::CurrentUser, kKey, {{"MPAccountName", "plain"}, {"MPAccountNameSig", "s"}});
        startUp();
    });
    std::cout << "Server " << (serverRunning() ? "running" : "stopped") << ": start-up reads " << read
              << " ms, activation " << activation << " ms\n";
}

INSTANTIATE_TEST_SUITE_P(Wine, WineGameTest, ::testing::Bool(), [](const ::testing::TestParamInfo<bool>& info) {
    return std::string(info.param ? "ServerRunning" : "ServerStopped");
});

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new Prefix);
    return RUN_ALL_TESTS();
}
