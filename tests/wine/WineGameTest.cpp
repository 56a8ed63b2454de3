// The case folders of wine/cases (see the README there) against the real thing: a new Wine
// prefix with a stand-in for the game, the real VTR and the window models over the prefix.
#include <gtest/gtest.h>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "AppFolder.h"
#include "Cases.h"
#include "Cp1252.h"
#include "Printers.h"
#include "Program.h"
#include "QtDialogs.h"
#include "forms/Frm_Main.h"

namespace {

QTemporaryDir root;
const QString prefix = root.filePath("prefix"), game = prefix + "/drive_c/Games/Free Lancer/EXE";

int run(const QString& program, const QStringList& arguments) { return Program(program, arguments).wait(90000); }
// Ends the server, which writes the registry to the files first; or starts one that stays until
// it is ended or a minute after its last program.
void server(bool on) {
    run("wineserver", {"-k"}), run("wineserver", {"-w"});
    if (on)
        run("wineserver", {"-p60"});
}

// The prefix, made once (that takes Wine many seconds): no display, no .NET or HTML engine
// installers, no menu entries made on this machine. Every program started here runs in it.
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
    }
    // Waits for the server's end: a program of the prefix left running would hold the output open.
    void TearDown() override { server(false); }
};
const auto* const kPrefix = ::testing::AddGlobalTestEnvironment(new Prefix);

// Does a step of this test; false for the others.
bool wineStep(CaseApp& app, const QString& verb, const QString& rest) {
    QString& told = app.dialogs.transcript;
    RegistryWine store{WinePrefix(prefix)};
    if (verb == "server") {
        server(rest == "on");
    } else if (verb == "game-write") {
        told += QString("game-write exit %1\n")
                    .arg(run("wine",
                             {game + "/Freelancer.exe", "write", rest.section(' ', 0, 0), rest.section(' ', 1)}));
    } else if (verb == "values") {
        RegistryAccess::Values values;
        for (const QString& entry : rest.split(" | "))
            values.push_back({entry.section('=', 0, 0), entry.section('=', 1)});
        store.WriteValues(RegistryAccess::CurrentUser, RegistryAccess::GameKey, values);
    } else if (verb == "read") {
        told += "read " + rest + " = [" + store.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, rest) +
                "]\n";
    } else if (verb == "vtr" || verb == "desktop") {
        // The launcher's value unescaped once; what is left is quoted as the shell quotes.
        const QString exec = QRegularExpression("\nExec=(.*)\n").match(app.read(rest)).captured(1);
        Program program = verb == "vtr" ? Program(app.path("VTR"), rest.split(' '))
                                        : Program("/bin/sh", {"-c", "exec " + QString(exec).replace("\\\\", "\\")},
                                                  environmentWith({}, {"WINEPREFIX"}));
        told += QString("%1 exit %2\n").arg(verb).arg(program.wait()) + QString::fromStdString(program.errors());
    } else if (verb == "game") {
        // Waited for: the game starts detached, and puts its record in place whole.
        for (const auto& started : std::exchange(app.dialogs.started, {}))
            QtDialogs().StartProgram(started.program, started.arguments, started.workingFolder, Dialogs::Show::Normal);
        const QString record = game + "/recorded.txt";
        eventually(60000, [&] { return QFile::exists(record); });
        told += "game " + Cp1252::decode(readFile(record)).split('\n').mid(0, 5).join(" | ") + '\n';
        QFile::remove(record);
    } else {
        return false;
    }
    return true;
}

class WineCase : public ::testing::TestWithParam<QString> {};

TEST_P(WineCase, LeavesTheFilesAndShowsWhatIsExpected) {
    const QString name = GetParam();
    CaseApp app;
    Cases::prepare(app, name);
    ASSERT_TRUE(QFile::copy(VTR_PATH, app.path("VTR")) && QFile::link(prefix, app.path("prefix")));
    server(false);
    for (const QString& line : QString(readFile(Cases::dir(name) + "/steps")).split('\n', Qt::SkipEmptyParts))
        if (!line.startsWith('#') && !wineStep(app, line.section(' ', 0, 0), line.section(' ', 1)))
            runCaseStep(app, line);
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
