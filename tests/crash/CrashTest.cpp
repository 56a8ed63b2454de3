// Kills programs while they write the database (SIGKILL, at random moments): it must then be the
// database before the change or the one after it, whole, byte for byte. crash_driver repeats the
// window's changes on 10,000 accounts; the real VTR converts an older database at start-up.
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <random>

#include "FileTexts.h"
#include "Printers.h"
#include "Program.h"
#include "RegistryFile.h"
#include "TestFolder.h"

namespace {

constexpr int kAccounts = 10000;
// Kills per change: at most kMostKills, and no more once kFewestKills are done and kSeconds passed.
constexpr int kMostKills = 100, kFewestKills = 20, kSeconds = 15;

QByteArray number(int i) { return QByteArray::number(i).rightJustified(5, '0'); }

// The database as the program writes it (or, `older`, in the layout of three lines an account
// without header or comments; `converted`, as the conversion writes that one).
QByteArray database(bool renamed, bool zeta, bool older = false, bool converted = false) {
    DatabaseText text(converted ? "Version: 101\r\n" : DatabaseText::Header);
    QByteArray bytes;
    for (int i = 0; i < kAccounts; ++i) {
        const QByteArray name = "Account " + number(i) + (i == 0 && renamed ? " renamed" : "");
        bytes += name + "\r\ncode-" + number(i) + "\r\nsig-" + number(i) + "\r\n";
        text.account(name, "code-" + number(i), "sig-" + number(i),
                     converted     ? ""
                     : i % 10 == 0 ? "comment " + number(i) + "\r\n"
                                   : "\r\n");
    }
    if (zeta)
        text.account("Zeta", "code-zeta", "sig-zeta", "\r\n");
    return older ? bytes : text.bytes();
}

// An application folder with the database, a store whose active account is stored, a game that
// ends at once, and the file the import reads.
struct Folder : TestFolder {
    explicit Folder(const QByteArray& accounts) {
        mkdir("Logs");
        write("Accounts.dat", accounts);
        write("Opciones.dat", optionsText(0, 0));
        write("Zeta.ADF", DatabaseText().account("Zeta", "code-zeta", "sig-zeta", "\r\n"));
        write(RegistryFile::FileName, storeText("code-00005", "sig-00005", path("Game").toUtf8()));
        ok = QFile::copy(VTR_PATH, path("VTR"));
    }
    bool ok;
};

// Starts the program (`start` returns once the clock may start), kills it within `window`
// microseconds and reads the database, again and again; `reset` comes before each start.
void killRepeatedly(
    const Folder& folder, const QByteArray& before, const QByteArray& after,
    const std::function<std::unique_ptr<Program>()>& start, qint64 window, const std::function<void()>& reset = [] {}) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<qint64> within(0, window);
    int kills[2] = {0, 0};
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kMostKills && (i < kFewestKills || clock.elapsed() < kSeconds * 1000); ++i) {
        reset();
        const std::unique_ptr<Program> program = start();
        ASSERT_TRUE(program) << "kill " << i << ": the program did not get ready";
        QThread::usleep(static_cast<unsigned long>(within(random)));
        program->kill();
        const QByteArray bytes = folder.read("Accounts.dat");
        ASSERT_TRUE(bytes == before || bytes == after) << "kill " << i << ": " << bytes.size() << " bytes";
        ++kills[bytes == after];
    }
    std::printf("killed %d times: %d old, %d new\n", kills[0] + kills[1], kills[0], kills[1]);
}

struct Change {
    const char* name;
    QByteArray before, after;
    QStringList steps;  // there and back
};

void PrintTo(const Change& change, std::ostream* os) { *os << change.name; }

class CrashTest : public ::testing::TestWithParam<Change> {};

TEST_P(CrashTest, TheDatabaseIsTheOldOrTheNewOneWhole) {
    const Change& change = GetParam();
    Folder folder(change.before);
    const auto start = [&](int rounds) {
        auto driver = std::make_unique<Program>(CRASH_DRIVER_PATH,
                                                QStringList{folder.path(), QString::number(rounds)} + change.steps);
        return driver->says("ready") ? std::move(driver) : nullptr;
    };
    // Once there and back without a kill; the kills then come within as long after the load.
    const auto once = start(1);
    ASSERT_TRUE(once);
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(once->wait(120000), 0) << once->errors();
    const qint64 window = clock.nsecsElapsed() / 1000;
    ASSERT_EQ(folder.read("Accounts.dat"), change.before) << "there and back again";
    killRepeatedly(
        folder, change.before, change.after, [&] { return start(0); }, window);
}

const Change kChanges[] = {
    {"save",
     database(false, false),
     database(true, false),
     {"select Account 00000; rename Account 00000 renamed; timer; timer",
      "select Account 00000 renamed; rename Account 00000; timer; timer"}},
    {"import",
     database(false, false),
     database(false, true),
     {"file Zeta.ADF; import", "select Zeta; delete; sort 0; sort 0"}},
    {"delete",
     database(false, true),
     database(false, false),
     {"select Zeta; delete", "add Zeta | code-zeta | sig-zeta"}},
};

INSTANTIATE_TEST_SUITE_P(Driver, CrashTest, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.name); });

// The conversion at start-up (in command-line mode, which needs no window): watched once from
// its copy to Accounts.dat.old to the converted database in place, then killed within twice as
// long. The program then tells of the conversion and waits, so it is ended there.
TEST(CrashTest, ConversionAtStartUp) {
    const QByteArray older = database(false, false, true), converted = database(false, false, false, true);
    Folder folder(older);
    ASSERT_TRUE(folder.ok);
    const auto start = [&]() -> std::unique_ptr<Program> {
        auto vtr = std::make_unique<Program>(folder.path("VTR"), QStringList{"/a=code-00005", "/y"},
                                             environmentWith({"QT_QPA_PLATFORM=offscreen"}));
        for (QDeadlineTimer deadline(60000); !QFileInfo::exists(folder.path("Accounts.dat.old"));)
            if (!vtr->running() || deadline.hasExpired())
                return nullptr;
        return vtr;
    };
    auto once = start();
    ASSERT_TRUE(once);
    QElapsedTimer clock;
    clock.start();
    while (!folder.read("Accounts.dat").startsWith("Version:") && clock.elapsed() < 60000)
        QThread::usleep(100);
    const qint64 window = 2 * clock.nsecsElapsed() / 1000;
    once->kill();
    ASSERT_EQ(folder.read("Accounts.dat"), converted);
    killRepeatedly(folder, older, converted, start, window, [&] {
        folder.write("Accounts.dat", older);
        QFile::remove(folder.path("Accounts.dat.old"));
    });
}

// Another program cuts the database short while the real program reads it at start-up, at
// moments spread over the whole read: the program reads it whole, or reports the cut file (and
// waits at its report), but never dies of it.
TEST(CrashTest, ADatabaseCutShortWhileItIsRead) {
    DatabaseText text;
    for (int i = 0; i < 30 * kAccounts; ++i)
        text.account("Account " + QByteArray::number(i), "code-" + QByteArray::number(i), "sig", "comment\r\n");
    Folder folder(text);
    ASSERT_TRUE(folder.ok);
    for (int delay = 0; delay <= 400; delay += 20) {
        folder.write("Accounts.dat", text);
        Program vtr(folder.path("VTR"), {"/a=code-5", "/y"}, environmentWith({"QT_QPA_PLATFORM=offscreen"}));
        ASSERT_TRUE(vtr.running());
        QThread::msleep(static_cast<unsigned long>(delay));
        QFile::resize(folder.path("Accounts.dat"), 100);
        EXPECT_NE(vtr.wait(3000), Program::Crashed) << "cut after " << delay << " ms";
        EXPECT_FALSE(QFile::exists(folder.path("Accounts.dat.lock")));
    }
}

}  // namespace
