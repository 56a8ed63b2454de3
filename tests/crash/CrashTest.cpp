// Real copies of the program on one application folder (crash_driver, a copy in the hands of a
// person, and the real VTR). Killed (SIGKILL, at random moments) while they write the database,
// they leave it as it was before the change or after it, whole, byte for byte. Two of them at
// once, as when a person with the window open starts a desktop shortcut, lose nothing either did:
// a change made while the other's list is older than the file is made to the file as it is.
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>
#include <random>

#include "FileTexts.h"
#include "Printers.h"
#include "Program.h"
#include "RegistryFile.h"
#include "TestFolder.h"

namespace {

// An application folder with the database, the options, a store whose active account is stored
// and the account data files Z1.ADF and Z2.ADF to import.
struct Folder : TestFolder {
    Folder(const QByteArray& accounts, int options, const QByteArray& active) {
        mkdir("Logs");
        write("Accounts.dat", accounts);
        write("Opciones.dat", optionsText(options, options));
        write(RegistryFile::FileName, storeText(active, "s" + active));
        for (const QByteArray copy : {"1", "2"})
            write("Z" + copy + ".ADF", DatabaseText().account("Z" + copy, "c-z" + copy, "sc-z" + copy, "\r\n"));
    }
    QByteArray database() const { return read("Accounts.dat"); }
};

// A copy of the program on the folder: ready for lines of steps, or doing `lines` over and over.
struct Copy : Program {
    explicit Copy(const Folder& folder, const QStringList& lines = {})
        : Program(CRASH_DRIVER_PATH, QStringList{folder.path()} + lines) {}
};

// --- Killed copies ---

constexpr int kAccounts = 10000;

QByteArray number(int i) { return QByteArray::number(i).rightJustified(5, '0'); }

// The database as the program writes it (or, `older`, in the layout of three lines an account
// without header or comments; `converted`, as the conversion writes that one).
QByteArray database(bool renamed, bool z1, bool older = false, bool converted = false) {
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
    if (z1)
        text.account("Z1", "c-z1", "sc-z1", "\r\n");
    return older ? bytes : text.bytes();
}

// Starts a copy (`start` returns it once the clock may start), kills it within `window`
// microseconds and reads the database, again and again: at most 100 kills, and no more once 20
// are done and 15 seconds have passed.
void killRepeatedly(const Folder& folder, const QByteArray& before, const QByteArray& after, qint64 window,
                    const std::function<std::unique_ptr<Program>()>& start) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<qint64> within(0, window);
    int kills[2] = {0, 0};
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 100 && (i < 20 || clock.elapsed() < 15000); ++i) {
        const std::unique_ptr<Program> program = start();
        ASSERT_TRUE(program) << "kill " << i << ": the program did not get ready";
        QThread::usleep(static_cast<unsigned long>(within(random)));
        program->kill();
        const QByteArray bytes = folder.database();
        ASSERT_TRUE(bytes == before || bytes == after) << "kill " << i << ": " << bytes.size() << " bytes";
        ++kills[bytes == after];
    }
    std::printf("killed %d times: %d old, %d new\n", kills[0] + kills[1], kills[0], kills[1]);
}

struct Change {
    const char* name;
    QByteArray before, after;
    QStringList lines;  // there and back
};

void PrintTo(const Change& change, std::ostream* os) { *os << change.name; }

class Killed : public ::testing::TestWithParam<Change> {};

TEST_P(Killed, TheDatabaseIsTheOldOrTheNewOneWhole) {
    const Change& change = GetParam();
    Folder folder(change.before, 0, "code-00005");
    // Once there and back without a kill; the kills then come within as long after the load.
    Copy once(folder);
    ASSERT_TRUE(once.says("ready"));
    QElapsedTimer clock;
    clock.start();
    for (const QString& line : change.lines)
        ASSERT_TRUE(once.step(line));
    const qint64 window = clock.nsecsElapsed() / 1000;
    once.kill();
    ASSERT_EQ(folder.database(), change.before) << "there and back again";
    killRepeatedly(folder, change.before, change.after, window, [&] {
        auto copy = std::make_unique<Copy>(folder, change.lines);
        return copy->says("ready") ? std::move(copy) : nullptr;
    });
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
     {"file Z1.ADF; import", "select Z1; delete; sort 0; sort 0"}},
    {"delete", database(false, true), database(false, false), {"select Z1; delete", "add Z1 | c-z1 | sc-z1"}},
};

INSTANTIATE_TEST_SUITE_P(, Killed, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.name); });

// The conversion at start-up (in command-line mode, which needs no window): watched once from
// its copy to Accounts.dat.old to the converted database in place, then killed within twice as
// long. The program then tells of the conversion and waits, so it is ended there.
TEST(KilledProgram, TheConversionAtStartUp) {
    const QByteArray older = database(false, false, true), converted = database(false, false, false, true);
    Folder folder(older, 0, "code-00005");
    ASSERT_TRUE(QFile::copy(VTR_PATH, folder.path("VTR")));
    const auto start = [&]() -> std::unique_ptr<Program> {
        folder.write("Accounts.dat", older);
        QFile::remove(folder.path("Accounts.dat.old"));
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
    while (!folder.database().startsWith("Version:") && clock.elapsed() < 60000)
        QThread::usleep(100);
    const qint64 window = 2 * clock.nsecsElapsed() / 1000;
    once->kill();
    ASSERT_EQ(folder.database(), converted);
    killRepeatedly(folder, older, converted, window, start);
}

// Another program cuts the database short while the real program reads it at start-up, at
// moments spread over the whole read: the program reads it whole, or reports the cut file (and
// waits at its report), but never dies of it.
TEST(KilledProgram, NotByADatabaseCutShortWhileItIsRead) {
    DatabaseText text;
    for (int i = 0; i < 30 * kAccounts; ++i)
        text.account("Account " + QByteArray::number(i), "code-" + QByteArray::number(i), "sig", "comment\r\n");
    Folder folder(text, 0, "code-5");
    ASSERT_TRUE(QFile::copy(VTR_PATH, folder.path("VTR")));
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

// --- Two copies at once ---

// Each copy (1 and 2) has accounts of its own to rename (R), delete (D) and comment (C); the
// game's active account is stored.
struct TwoCopiesFolder : Folder {
    TwoCopiesFolder() : Folder(accounts(), 1, "c-active") {}
    static QByteArray accounts() {
        DatabaseText text;
        text.account("Active", "c-active", "sc-active", "\r\n");
        for (const char* copy : {"1", "2"})
            for (const char* kind : {"R", "D", "C"})
                text.account(QByteArray(kind) + copy, "c-" + QByteArray(kind).toLower() + copy,
                             "sc-" + QByteArray(kind).toLower() + copy, "kept\r\n");
        return text;
    }
};

// A change made by copy %1: its line, the text it leaves in the file and the text it takes out.
struct Writer {
    const char* name;
    QString line, leaves, removes;
};

const Writer kWriters[] = {
    {"rename", "select R%1; rename R%1 renamed; timer; timer", "R%1 renamed\r\nc-r%1\r\n", "R%1\r\nc-r%1\r\n"},
    {"delete", "select D%1; delete", "", "c-d%1\r\n"},
    {"comment", "select C%1; click; edit; comment note %1; save", "c-c%1\r\nsc-c%1\r\n<COMENTARIO>\r\nnote %1\r\n", ""},
    {"import", "file Z%1.ADF; import", "Z%1\r\nc-z%1\r\n", ""},
    {"add", "add Added %1 | c-added%1 | sig", "Added %1\r\nc-added%1\r\n", ""},
    // stops at its question until told to go on
    {"store", "wait store c-new%1 | sc-new%1; input New %1; load", "New %1\r\nc-new%1\r\n", ""},
};

class TwoCopies : public ::testing::TestWithParam<std::tuple<Writer, Writer>> {};

// Both copies load; the second starts its change (a waiting one stops at its question); the first
// makes its change; then the second makes its own, from a list older than the file.
TEST_P(TwoCopies, NeitherChangeIsLost) {
    const auto& [first, second] = GetParam();
    TwoCopiesFolder folder;
    Copy one(folder), two(folder);
    ASSERT_TRUE(one.says("ready") && two.says("ready"));
    const bool waits = second.line.startsWith("wait ");
    if (waits) {
        two.send(second.line.arg(2));
        ASSERT_TRUE(two.says("asked"));
    }
    ASSERT_TRUE(one.step(QString(first.line).remove("wait ").arg(1)));
    ASSERT_TRUE(waits ? (two.send("go"), two.says("done")) : two.step(second.line.arg(2)));
    ASSERT_TRUE(one.step("unload") && two.step("unload"));

    const QByteArray file = folder.database();
    for (const auto& [writer, copy] : {std::pair{&first, 1}, std::pair{&second, 2}}) {
        EXPECT_TRUE(writer->leaves.isEmpty() || file.count(writer->leaves.arg(copy).toLatin1()) == 1)
            << writer->name << copy;
        EXPECT_TRUE(writer->removes.isEmpty() || !file.contains(writer->removes.arg(copy).toLatin1()))
            << writer->name << copy;
    }
    // Every other account is there, once.
    for (const QByteArray code : {"c-active", "c-r1", "c-r2", "c-d1", "c-d2", "c-c1", "c-c2"}) {
        const bool deleted = (code == "c-d1" && QByteArray(first.name) == "delete") ||
                             (code == "c-d2" && QByteArray(second.name) == "delete");
        EXPECT_EQ(file.count("\r\n" + code + "\r\n"), deleted ? 0 : 1) << code.data();
    }
    EXPECT_EQ(folder.read("Logs/ClsBD.log"), "<missing>");
    EXPECT_FALSE(QFile::exists(folder.path("Accounts.dat.lock")));
}

INSTANTIATE_TEST_SUITE_P(EveryPairOfWriters, TwoCopies,
                         ::testing::Combine(::testing::ValuesIn(kWriters), ::testing::ValuesIn(kWriters)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_then_" + std::get<1>(info.param).name;
                         });

// Both copies write at the same time, over and over, through a slow device: the lock lets one
// write at a time, and each change lands on the file the other left.
TEST(TwoCopiesAtOnce, EveryRenameAndEveryAddIsKept) {
    TwoCopiesFolder folder;
    Copy one(folder), two(folder);
    ASSERT_TRUE(one.says("ready") && two.says("ready"));
    constexpr int kRounds = 15;
    for (int i = 1; i <= kRounds; ++i) {
        one.send(
            QString("select R1%1; rename R1 %2; timer; timer").arg(i == 1 ? "" : " " + QString::number(i - 1)).arg(i));
        two.send(QString("add Added %1 | c-added%1 | sig").arg(i));
    }
    for (int i = 1; i <= kRounds; ++i)
        ASSERT_TRUE(one.says("done") && two.says("done")) << i;
    ASSERT_TRUE(one.step("unload") && two.step("unload"));
    const QByteArray file = folder.database();
    EXPECT_EQ(file.count(QString("R1 %1\r\nc-r1\r\n").arg(kRounds).toLatin1()), 1);
    for (int i = 1; i <= kRounds; ++i)
        EXPECT_EQ(file.count(QString("Added %1\r\nc-added%1\r\n").arg(i).toLatin1()), 1) << i;
    EXPECT_EQ(file.count("<COMENTARIO>"), 7 + kRounds);
}

// A copy killed while it held the lock leaves the lock file behind; the next write takes it over
// at once.
TEST(TwoCopiesAtOnce, ALockLeftByAKilledCopyIsTakenOver) {
    TwoCopiesFolder folder;
    Copy holder(folder, {"hold"});
    ASSERT_TRUE(holder.says("held"));
    holder.kill();
    ASSERT_TRUE(QFile::exists(folder.path("Accounts.dat.lock")));
    Copy copy(folder);
    ASSERT_TRUE(copy.says("ready"));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(copy.step("select R1; rename R1 renamed; timer; timer"));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(folder.database().contains("R1 renamed\r\nc-r1\r\n"));
}

// Two copies import at the same time: the second waits while the first works on its working copy
// (stopped at the box that says its source is older), and each imports its own file.
TEST(TwoCopiesAtOnce, EachImportKeepsItsOwnWorkingCopy) {
    TwoCopiesFolder folder;
    folder.write("Old1.ADF", "Y1\r\nc-y1\r\nsc-y1\r\n");
    Copy one(folder), two(folder);
    ASSERT_TRUE(one.says("ready") && two.says("ready"));
    one.send("wait file Old1.ADF; import");
    ASSERT_TRUE(one.says("asked"));
    two.send("file Z2.ADF; import");
    QThread::msleep(1000);
    one.send("go");
    ASSERT_TRUE(one.says("done") && two.says("done"));
    EXPECT_EQ(folder.database().count("Y1\r\nc-y1\r\n"), 1);
    EXPECT_EQ(folder.database().count("Z2\r\nc-z2\r\n"), 1);
    EXPECT_FALSE(QFile::exists(folder.path("Accounts.dat.Aux")));
}

// Two copies start on an older database at once: it is converted once, and the person told once.
TEST(TwoCopiesAtOnce, AnOlderDatabaseIsConvertedAndAnnouncedOnce) {
    TwoCopiesFolder folder;
    folder.write("Accounts.dat", "Active\r\nc-active\r\nsc-active\r\nR1\r\nc-r1\r\nsc-r1\r\n");
    Copy holder(folder, {"hold"});
    ASSERT_TRUE(holder.says("held"));
    Copy one(folder), two(folder);
    QThread::msleep(2000);  // both have read the old header and wait for the lock
    holder.kill();
    ASSERT_TRUE(one.says("ready") && two.says("ready"));
    const QString boxes = QString::fromStdString(one.errors() + two.errors());
    EXPECT_EQ(boxes.count("  The Database has been converted"), 1) << boxes.toStdString();
    EXPECT_TRUE(folder.database().startsWith("Version: 101\r\nActive\r\n"));
}

}  // namespace
