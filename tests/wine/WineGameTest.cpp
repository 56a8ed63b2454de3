// The case folders of tests/wine/cases against the real thing: a new Wine prefix, made here
// without a display, with a stand-in for the game (StandInGame.cpp, a Windows program) in its
// drive C and the game folder set with Wine's own reg. A case's application folder holds the real
// VTR and, as prefix/, a link to the prefix. Its steps are those of tests/cases, and:
//   server on|off            the prefix's wineserver kept running (as while the game runs), or ended
//   vtr <command line>       the real VTR; its exit code and what it wrote to standard error
//   game                     starts for real what the window models started, and tells what the
//                            stand-in game recorded at its start
//   game-write <code> <sig>  the game stores an account of its own, as when it makes one
//   values <name>=<text> | ...  the game's values of the current user, written through the store
//   read user|machine <name>    a value of the game's key, read through the store
//   desktop <file>           the launcher's Exec line, run by the shell without WINEPREFIX
#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include "AppFolder.h"
#include "Cases.h"
#include "Cp1252.h"
#include "Printers.h"
#include "Program.h"
#include "QtDialogs.h"
#include "RegistryWine.h"
#include "forms/Frm_Main.h"

namespace {

QTemporaryDir root;
const QString prefix = root.filePath("prefix"), game = prefix + "/drive_c/Games/Free Lancer/EXE";

int run(const QString& program, const QStringList& arguments) { return Program(program, arguments).wait(90000); }
// Ends the server, which writes the registry to the files first, or starts one that stays (as
// while the game runs) until it is ended or a minute after its last program.
void server(bool on) {
    run("wineserver", {"-k"}), run("wineserver", {"-w"});
    if (on)
        run("wineserver", {"-p60"});
}

// The prefix, made once for all cases (setting one up takes Wine many seconds). No display, no
// .NET or HTML engine installers, no menu entries made on this machine; every program the test
// starts runs in this prefix.
struct Prefix : ::testing::Environment {
    void SetUp() override {
        for (const QString& entry :
             {"WINEPREFIX=" + prefix, QString("WINEDEBUG=-all"),
              QString("WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d"),
              "XDG_DATA_HOME=" + root.filePath("data"), "XDG_CONFIG_HOME=" + root.filePath("config")})
            qputenv(entry.section('=', 0, 0).toLatin1(), entry.section('=', 1).toLocal8Bit());
        qunsetenv("DISPLAY"), qunsetenv("WAYLAND_DISPLAY");
        ASSERT_EQ(run("wineboot", {"--init"}), 0);
        ASSERT_TRUE(QDir().mkpath(game) && QFile::copy(STAND_IN_GAME, game + "/Freelancer.exe"));
        const QString key = "HKLM\\" + RegistryAccess::GameKey;
        ASSERT_EQ(run("wine", {"reg", "add", key, "/v", "AppPath", "/d", "C:\\Games\\Free Lancer", "/f", "/reg:32"}),
                  0);
        server(false);
    }
    // Waits for the server's end: a program of the prefix left running would hold the output open.
    void TearDown() override { server(false); }
};

QString step(CaseApp& app, const QString& verb, const QString& rest) {
    RegistryWine store{WinePrefix(prefix)};
    const auto value = [&](quint32 root, const QString& name) {
        return "read " + name + " = [" + store.ReadValue(root, RegistryAccess::GameKey, name) + "]\n";
    };
    if (verb == "server")
        return server(rest == "on"), "";
    if (verb == "game-write")
        return QString("game-write exit %1\n")
            .arg(run("wine", QStringList{game + "/Freelancer.exe", "write"} + rest.split(' ')));
    if (verb == "values") {
        RegistryAccess::Values values;
        for (const QString& entry : rest.split(" | "))
            values.push_back({entry.section('=', 0, 0), entry.section('=', 1)});
        return store.WriteValues(RegistryAccess::CurrentUser, RegistryAccess::GameKey, values), "";
    }
    if (verb == "read")
        return value(rest.startsWith("machine") ? RegistryAccess::LocalMachine : RegistryAccess::CurrentUser,
                     rest.section(' ', 1));
    if (verb == "vtr" || verb == "desktop") {
        // The launcher's value unescaped once; what is left is quoted as the shell quotes.
        const QString exec = QRegularExpression("\nExec=(.*)\n").match(app.read(rest)).captured(1);
        Program program = verb == "vtr" ? Program(app.path("VTR"), rest.split(' '))
                                        : Program("/bin/sh", {"-c", "exec " + QString(exec).replace("\\\\", "\\")},
                                                  environmentWith({}, {"WINEPREFIX"}));
        const int status = program.wait();
        return QString("%1 exit %2\n").arg(verb).arg(status) + QString::fromStdString(program.errors());
    }
    // What the stand-in game recorded when it was last started; waited for, as the game starts
    // detached and puts its record in place whole.
    for (const auto& started : std::exchange(app.dialogs.started, {}))
        QtDialogs().StartProgram(started.program, started.arguments, started.workingFolder, Dialogs::Show::Normal);
    const QString record = game + "/recorded.txt";
    for (QDeadlineTimer deadline(60000); !QFile::exists(record) && !deadline.hasExpired();)
        QThread::msleep(50);
    const QStringList lines = Cp1252::decode(readFile(record)).split('\n');
    QFile::remove(record);
    return "game " + lines.mid(0, 5).join(" | ") + '\n';
}

class WineCase : public ::testing::TestWithParam<QString> {};

TEST_P(WineCase, LeavesTheFilesAndShowsWhatIsExpected) {
    const QString name = GetParam();
    CaseApp app;
    Cases::prepare(app, name);
    ASSERT_TRUE(QFile::copy(VTR_PATH, app.path("VTR")) && QFile::link(prefix, app.path("prefix")));
    for (const QString& line : QString(readFile(Cases::dir(name) + "/steps")).split('\n', Qt::SkipEmptyParts)) {
        const QString verb = line.section(' ', 0, 0), rest = line.section(' ', 1);
        if (QStringList{"server", "vtr", "game", "game-write", "values", "read", "desktop"}.contains(verb))
            app.dialogs.transcript += step(app, verb, rest);
        else if (!line.startsWith('#'))
            runCaseStep(app, line);
    }
    server(false);
    QFile::remove(app.path("VTR"));
    QString transcript = app.dialogs.transcript + "---\nactive " + app.main().LblName.Caption + "\nfiles " +
                         Cases::filesUnder(app.path()).join(' ') + '\n';
    transcript.replace(QDir(prefix).canonicalPath(), "$PREFIX").replace(app.path(), "$APP");
    transcript.replace(WinePrefix::wineProgram(), "wine");
    if (Cases::updating())
        writeFile(Cases::dir(name) + "/transcript", transcript.toUtf8());
    EXPECT_EQ(transcript, QString(readFile(Cases::dir(name) + "/transcript")));
    EXPECT_EQ(Cases::differences(app, name), "");
}

INSTANTIATE_TEST_SUITE_P(, WineCase, ::testing::ValuesIn(Cases::names()),
                         [](const auto& info) { return QString(info.param).replace('-', '_').toStdString(); });

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new Prefix);
    return RUN_ALL_TESTS();
}
