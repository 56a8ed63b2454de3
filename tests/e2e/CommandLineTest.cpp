#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "FileBytes.h"
#include "FileTexts.h"
#include "Printers.h"
#include "Program.h"
#include "TestFolder.h"

namespace {

const QByteArray kDatabase = DatabaseText()
                                 .account("Main", "CODE-1", "sig-main", "first line /a=not-an-option\r\n")
                                 .account("Alt", "Code-2", "sig-alt");

// The settings store with an active account, an unrelated value in the same key and the game folder.
QByteArray settingsStore(const QByteArray& code, const QByteArray& signature, const QString& gameFolder) {
    return storeText(code, signature, gameFolder.toUtf8())
        .replace("\r\n\r\n[HKEY_LOCAL", "\r\n\"Other\"=\"kept\"\r\n\r\n[HKEY_LOCAL");
}

// Stands in for the game: records its working folder and then each argument on a line of its own.
// The record is renamed into place, so a reader never sees it half written.
const QByteArray kFakeGame = "#!/bin/sh\n"
                             "{ pwd -P; printf '%s\\n' \"$@\"; } > \"$0.tmp\" && mv \"$0.tmp\" \"$0.args\"\n";

// A folder holding a copy of the program, its database and settings store, and a game folder whose
// name holds a blank.
class Sandbox : public TestFolder {
public:
    Sandbox() {
        const QString exe = gameFolder() + "/EXE/Freelancer.exe";
        write("Free lancer/EXE/Freelancer.exe", kFakeGame);
        QFile::setPermissions(exe, QFile::permissions(exe) | QFileDevice::ExeOwner);
        write("Accounts.dat", kDatabase);
        write("GameSettings.reg", settingsStore("old-code", "old-sig", gameFolder()));
        ok_ = QFile::copy(QStringLiteral(VTR_PATH), program());
    }

    bool ok() const { return ok_; }
    QString program() const { return path("VTR"); }
    QString databasePath() const { return path("Accounts.dat"); }
    QString storePath() const { return path("GameSettings.reg"); }
    QString logsFolder() const { return path("Logs"); }
    QString gameFolder() const { return path("Free lancer"); }
    QString gameRecord() const { return gameFolder() + "/EXE/Freelancer.exe.args"; }

    // Runs the program to its end, on the offscreen platform or without any display; it must end
    // with `status`. A run that does not end in time waits on a message box, and whatever the
    // program logged explains the failure.
    ::testing::AssertionResult run(const QStringList& arguments, bool display = true, int status = 0) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        if (!display)
            for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"})
                env.remove(name);
        QByteArray bytes;
        const int ended = runProgram(program(), arguments, 10000, env, &bytes);
        errors = QString::fromLocal8Bit(bytes);
        if (ended == status)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "VTR ended with status " << ended
               << " (-1: it crashed, or still ran after 10 s); stderr: " << errors.toStdString()
               << "; logs: " << logs().toStdString();
    }
    QString errors;  // what the last run wrote to standard error

    // The game's record, once it has been written; the game starts detached, so it may come late.
    QStringList gameRecordLines() const {
        QDeadlineTimer deadline(5000);
        while (!QFileInfo::exists(gameRecord()) && !deadline.hasExpired())
            QThread::msleep(10);
        QString text = QString::fromUtf8(readFile(gameRecord()));
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        return text.split(QLatin1Char('\n'));
    }

    // The text of every log file, each after its name.
    QString logs() const {
        QString text;
        for (const QFileInfo& file : QDir(logsFolder()).entryInfoList(QDir::Files))
            text += file.fileName() + ":\n" + QString::fromLatin1(readFile(file.filePath()));
        return text;
    }

private:
    bool ok_ = false;
};

struct CommandCase {
    const char* name;
    QStringList arguments;
    QByteArray code;
    QByteArray signature;
    QStringList gameArguments;
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }

// What the program makes of a command line is in the case folders; here, what only the real
// program shows: how the arguments are joined, that Qt's own options are not taken out of them,
// and the game started for real in its folder.
const CommandCase kCases[] = {
    {"StoredCodeWithServerAndWindowed",
     {"/a=CODE-1", "/s= 1.2.3.4:2302", "/w"},
     "CODE-1",
     "sig-main",
     {"-w", "-s1.2.3.4:2302"}},
    {"ACodeSplitFromItsOption", {"/a=", "CODE-1", "/s=", "5.6.7.8:2303"}, "CODE-1", "sig-main", {"-s5.6.7.8:2303"}},
    {"QtOptionsArePartOfTheCode",
     {"/y", "/a=CODE-1", "-platform", "bogus", "-display", "nowhere:0", "-reverse", "-style", "fusion"},
     "CODE-1 -platform bogus -display nowhere:0 -reverse -style fusion",
     "",
     {"-s"}},
};

// Each case runs twice: with its arguments as given and joined into one argument, since the
// program only sees the arguments joined by one blank.
class CommandLine : public ::testing::TestWithParam<std::tuple<CommandCase, bool>> {};

TEST_P(CommandLine, ActivatesTheAccountStartsTheGameAndEnds) {
    const auto& [c, joined] = GetParam();
    Sandbox box;
    ASSERT_TRUE(box.ok());

    ASSERT_TRUE(box.run(joined ? QStringList{c.arguments.join(QLatin1Char(' '))} : c.arguments));

    EXPECT_EQ(readFile(box.storePath()), settingsStore(c.code, c.signature, box.gameFolder()));
    EXPECT_EQ(readFile(box.databasePath()), kDatabase) << "the command line never stores an account";
    const QStringList expectedRecord = QStringList{QDir(box.gameFolder() + "/EXE").canonicalPath()} + c.gameArguments;
    EXPECT_EQ(box.gameRecordLines(), expectedRecord);
    EXPECT_EQ(box.logs(), QString()) << "nothing failed";
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLine, ::testing::Combine(::testing::ValuesIn(kCases), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<CommandLine::ParamType>& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "_OneArgument" : "_SeparateArguments");
                         });

// Started by a game launcher or over SSH, with no display to reach: the command line works, its
// messages go to standard error and its questions are answered No; the window ends at once.
TEST(WithoutADisplay, TheCommandLineWorksAndAsksNothing) {
    const struct {
        QStringList arguments;
        int status;
        QByteArray code;  // left in the store
        QString told;
    } cases[] = {
        {{"/a=unstored"}, 0, "unstored", "New Account Found: The active account does not match"},
        {{"/w"}, 0, "old-code", "Vantor: You forgot to add the account... <.<\nVantor: Usage:"},
        {{}, 1, "old-code", "Vantor: no display can be reached"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        Sandbox box;
        ASSERT_TRUE(box.run(c.arguments, false, c.status));
        EXPECT_TRUE(box.errors.contains(c.told)) << box.errors.toStdString();
        EXPECT_TRUE(readFile(box.storePath()).contains("\"MPAccountName\"=\"" + c.code + '"'));
        EXPECT_EQ(readFile(box.databasePath()), kDatabase) << "a question nobody saw stores nothing";
    }
}

}  // namespace
