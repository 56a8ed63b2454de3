// The Linux program against the real thing: a new Wine prefix, made here without a display, with
// a stand-in for the game (a Windows program, StandInGame.cpp) in its drive C, the game folder set
// with Wine's own reg, and the real VTR and its window models switching the account in it, with
// and without the prefix's wineserver running.
#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include "AppFolder.h"
#include "Cp1252.h"
#include "FileBytes.h"
#include "ScriptedDialogs.h"
#include "FileTexts.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "Printers.h"
#include "Program.h"
#include "QtDialogs.h"
#include "RegistryWine.h"
#include "forms/Frm_Main.h"
#include "forms/Frm_ShortCut.h"
#include "forms/WindowModels.h"

namespace {

const QString kKey = RegistryAccess::GameKey;
const QString kGameFolder = "C:\\Games\\Free Lancer";
// A code and signature with quotes, backslashes and letters outside ASCII, all in the game's ANSI
// code page, so that the stand-in reads them as they are.
const QString kOddCode = "q\"u\\o t\u00e9-\u00fc", kOddSignature = "s\\\\ig\"\u00e9";

// The prefix, made once for all tests: setting one up takes Wine many seconds.
class Prefix : public ::testing::Environment {
public:
    static inline Prefix* instance = nullptr;

    void SetUp() override {
        instance = this;
        // No display, no .NET or HTML engine installers, no menu entries made on this machine; the
        // game and Wine's reg, started by the code under test, run in this prefix.
        environment_ = environmentWith(
            {"WINEPREFIX=" + folder(), "WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d",
             "XDG_DATA_HOME=" + root_.filePath("data"), "XDG_CONFIG_HOME=" + root_.filePath("config")},
            {"DISPLAY", "WAYLAND_DISPLAY"});
        for (const QString& name : QProcessEnvironment::systemEnvironment().keys())
            if (!environment_.contains(name))
                qunsetenv(name.toLocal8Bit());
        for (const QString& name : environment_.keys())
            qputenv(name.toLocal8Bit(), environment_.value(name).toLocal8Bit());
        ASSERT_EQ(run("wineboot", {"--init"}), 0);
        ASSERT_TRUE(QDir().mkpath(gameExe()));
        ASSERT_TRUE(QFile::copy(STAND_IN_GAME, gameExe() + "/Freelancer.exe"));
        ASSERT_EQ(run("wine", {"reg", "add", "HKLM\\" + kKey, "/v", "AppPath", "/d", kGameFolder, "/f", "/reg:32"}), 0);
        stopServer();
    }
    // Waits for the server's end too: a program of the prefix left running would hold the test's
    // output open after the prefix is gone.
    void TearDown() override { stopServer(); }

    QString folder() const { return root_.filePath("prefix"); }
    QString gameExe() const { return folder() + "/drive_c/Games/Free Lancer/EXE"; }

    int run(const QString& program, const QStringList& arguments) {
        return Program(program, arguments, environment_).wait(90000);
    }
    // A server that stays, as while the game runs, until it is stopped or a minute after its last
    // program (one that reg left would end three seconds after it).
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
    // code, signature, game folder. Waited for, as the game starts detached.
    QStringList recorded() {
        const QString record = gameExe() + "/recorded.txt";
        for (QDeadlineTimer deadline(60000); !QFile::exists(record) && !deadline.hasExpired();)
            QThread::msleep(50);
        const QStringList lines = Cp1252::decode(readFile(record)).split('\n');
        QFile::remove(record);
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

// An application folder with two accounts, one of them the game's active one.
struct App : QTemporaryDir {
    App() {
        writeFile(filePath("Accounts.dat"),
                  DatabaseText()
                      .account("Main", "CODE-1", "sig-main")
                      .account("Odd", Cp1252::encode(kOddCode), Cp1252::encode(kOddSignature)));
        writeFile(filePath("Opciones.dat"), optionsText(1, 0));  // activate silently
        QFile::copy(VTR_PATH, filePath("VTR"));
        store.WriteValues(RegistryAccess::CurrentUser, kKey,
                          {{"MPAccountName", "CODE-1"}, {"MPAccountNameSig", "sig-main"}});
    }
    Prefix& prefix = *Prefix::instance;
    RegistryWine store{WinePrefix(prefix.folder())};
};

class WineGameTest : public ::testing::TestWithParam<bool> {
protected:
    // The server's state of this test, as the code under test finds it.
    void serverAsSet() {
        if (GetParam())
            prefix.startServer();
        else
            prefix.stopServer();
    }
    void TearDown() override { prefix.stopServer(); }

    Prefix& prefix = *Prefix::instance;
};

// The real program in command-line mode, as a shortcut starts it.
TEST_P(WineGameTest, TheCommandLineSwitchesTheAccountAndStartsTheGame) {
    App app;
    const std::pair<QStringList, QStringList> cases[] = {
        {{"/a=" + kOddCode, "/s=1.2.3.4:2302", "/w"}, expectedRecord("-w -s1.2.3.4:2302", kOddCode, kOddSignature)},
        {{"/A=CODE-1"}, expectedRecord("-s", "CODE-1", "sig-main")},
    };
    for (const auto& [arguments, record] : cases) {
        serverAsSet();
        Program vtr(app.filePath("VTR"), arguments);
        EXPECT_EQ(vtr.wait(), 0) << vtr.errors();
        EXPECT_EQ(prefix.recorded(), record);
        EXPECT_EQ(QDir(app.filePath("Logs")).entryList(QDir::Files), QStringList()) << "nothing was reported";
    }
}

// Values come back as they were written, through the server and through the files; what the
// game reads through its ANSI calls is checked above.
TEST_P(WineGameTest, ValuesRoundTrip) {
    App app;
    const RegistryAccess::Values values{{"MPAccountName", "plain"},
                                        {"MPAccountNameSig", "q\"u\\o\\\\ \\\""},
                                        {"Other", "\u00e9\u20ac \u4e2d\u6587 \u0436"},
                                        {"Empty", ""},
                                        {"Blanks", " blanks "}};
    serverAsSet();
    app.store.WriteValues(RegistryAccess::CurrentUser, kKey, values);
    if (!GetParam())
        prefix.stopServer();
    for (const auto& [name, value] : values)
        EXPECT_EQ(app.store.ReadValue(RegistryAccess::CurrentUser, kKey, name.toLower()), value);
    EXPECT_EQ(app.store.ReadValue(RegistryAccess::LocalMachine, kKey, "AppPath"), kGameFolder);
}

INSTANTIATE_TEST_SUITE_P(Wine, WineGameTest, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "ServerRunning" : "ServerStopped"); });

// Default answers, the name "Fresh" when asked, and real program starts, as in the window.
struct StartingDialogs : DefaultDialogs {
    void StartProgram(const QString& program, const QString& arguments, const QString& folder, Show show) override {
        QtDialogs().StartProgram(program, arguments, folder, show);
    }
};

// The window models: activation and the launch with no server, Scan noticing the account the game
// made while the server runs, and a shortcut that runs in the prefix from a desktop that has none.
TEST(WineWindowTest, TheWindowSwitchesLaunchesNoticesAndMakesShortcuts) {
    App app;
    Prefix& prefix = *Prefix::instance;
    prefix.stopServer();
    StartingDialogs dialogs;
    dialogs.name = "Fresh";
    Mod_Variables mv(app.path());
    Services sv(mv, dialogs, app.store);
    WindowModels windows(mv, sv);
    mv.RutaBD = app.filePath("Accounts.dat");
    mv.winePrefix = &app.store.prefix();
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
    ASSERT_EQ(prefix.run("wine", {prefix.gameExe() + "/Freelancer.exe", "write", "NEW-CODE", "new-sig"}), 0);
    main.Scan_Click();
    EXPECT_EQ(main.LblName.Caption, "Fresh");
    EXPECT_TRUE(readFile(mv.RutaBD).endsWith(DatabaseText::record("Fresh", "NEW-CODE", "new-sig")));

    // A shortcut for Main, started with the prefix nowhere in the desktop's environment.
    Frm_ShortCut& shortcut = windows.frmShortCut;
    shortcut.Show();
    selectName(main.LvAccounts, "Main");
    shortcut.TxtPath.Text = app.path() + '/';
    shortcut.TxtNombre.Text = "Main";
    shortcut.CmdOk_Click();
    EXPECT_EQ(dialogs.reports().size(), 0u) << dialogs.lastMessage.toStdString();
    prefix.stopServer();
    const QString exec = QRegularExpression("\nExec=(.*)\n").match(readFile(app.filePath("Main.desktop"))).captured(1);
    ASSERT_TRUE(exec.startsWith("env \"WINEPREFIX=" + prefix.folder() + '"')) << exec.toStdString();
    // The launcher's value unescaped once; what is left is quoted as the shell quotes.
    Program launcher("/bin/sh", {"-c", "exec " + QString(exec).replace("\\\\", "\\")},
                     environmentWith({}, {"WINEPREFIX"}));
    EXPECT_EQ(launcher.wait(), 0) << launcher.errors();
    EXPECT_EQ(prefix.recorded(), expectedRecord("-s", "CODE-1", "sig-main"));
    EXPECT_EQ(app.store.ReadValue(RegistryAccess::CurrentUser, kKey, "MPAccountName"), "CODE-1");
    prefix.stopServer();
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new Prefix);
    return RUN_ALL_TESTS();
}
