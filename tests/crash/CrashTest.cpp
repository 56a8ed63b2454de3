// Real copies of the program (crash_driver, a copy in the hands of a person) on one application
// folder. Killed (SIGKILL, at random moments) while they write the database, they leave it as it
// was before the change or after it, whole, byte for byte. Two at once, as when a person with the
// window open starts a desktop shortcut, lose nothing either did: a change made while the other's
// list is older than the file is made to the file as it is.
#include <gtest/gtest.h>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <random>

#include "Cases.h"
#include "FileTexts.h"
#include "Printers.h"
#include "Program.h"

namespace {

// An application folder (crash/folder/before): the database with the game's active account and,
// for each copy (1 and 2), accounts to rename (R), delete (D) and comment (C, in comments that
// keep their size), the options on, the active account stored, account data files to import and
// the database in the older layout of three lines an account (Accounts.older, in its place when
// `older`), with `more` accounts added.
struct Folder : TestFolder {
    explicit Folder(int more = 0, bool older = false) {
        Cases::prepare(*this, "folder");
        QByteArray database = read(older ? "Accounts.older" : "Accounts.dat");
        for (int i = 0; i < more; ++i) {
            const QByteArray n = QByteArray::number(i);
            database += older ? "Account " + n + "\r\nc-" + n + "\r\nsc-" + n + "\r\n"
                              : DatabaseText::record("Account " + n, "c-" + n, "sc-" + n, "kept 0\r\n");
        }
        write("Accounts.dat", database);
    }
    QByteArray database() const { return read("Accounts.dat"); }
};

// A copy of the program on the folder that does `lines` (by default: loads, and says it is ready).
struct Copy : Program {
    explicit Copy(const Folder& folder, const QStringList& lines = {"load", "ready"})
        : Program(CRASH_DRIVER_PATH, QStringList{folder.path()} + lines) {}
};

// A change made by copy %1: its line, the text it leaves in the file and the text it takes out.
struct Writer {
    const char* name;
    QString line, leaves, removes;
};

void PrintTo(const Writer& writer, std::ostream* os) { *os << writer.name; }

const Writer kWriters[] = {
    {"rename", "select R%1; rename R%1 renamed; timer; timer", "R%1 renamed\r\nc-r%1\r\n", "R%1\r\nc-r%1\r\n"},
    {"delete", "select D%1; delete", "", "c-d%1\r\n"},
    {"comment", "select C%1; click; edit; comment note %1; save", "c-c%1\r\nsc-c%1\r\n<COMENTARIO>\r\nnote %1\r\n", ""},
    {"import", "file Z%1.ADF; import", "Z%1\r\nc-z%1\r\n", ""},
    {"add", "add Added %1 | c-added%1 | sig", "Added %1\r\nc-added%1\r\n", ""},
    // stops at its question until told to go on
    {"store", "wait store c-new%1 | sc-new%1; input New %1; load", "New %1\r\nc-new%1\r\n", ""},
    {"conversion", {}, {}, {}},  // at the load, of an older database
};

class Killed : public ::testing::TestWithParam<Writer> {};

// A copy makes the change on 10,000 accounts once, timed from the moment it takes the lock to its
// end; then copies that make it on the database as it was are killed within twice as long after
// they take the lock: at most 100 times, and no more once 20 are done and 15 seconds have passed.
TEST_P(Killed, LeaveTheDatabaseAsItWasOrAsTheChangeLeftIt) {
    const Writer& writer = GetParam();
    const bool conversion = writer.line.isEmpty();
    Folder folder(10000, conversion);
    // The copy holds the lock, or has held it already: on a busy machine a short write can begin
    // and end between two looks.
    QDateTime written;
    const auto locks = [&] {
        return eventually(60000, [&] {
            return QFile::exists(folder.path("Accounts.dat.lock")) ||
                   QFileInfo(folder.path("Accounts.dat")).lastModified() != written;
        });
    };
    const QByteArray before = folder.database();
    written = QFileInfo(folder.path("Accounts.dat")).lastModified();
    const QStringList lines = conversion
                                  ? QStringList{"ready", "load", "ready"}
                                  : QStringList{"load", "ready", QString(writer.line).remove("wait ").arg(1), "ready"};
    Copy once(folder, lines);
    ASSERT_TRUE(once.says("ready") && locks());
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(once.says("ready"));
    std::uniform_int_distribution<qint64> within(0, clock.nsecsElapsed() / 500);
    once.kill();
    const QByteArray after = folder.database();
    ASSERT_NE(after, before);
    std::mt19937 random(20261206);
    int kills[2] = {0, 0};
    for (int i = 0; i < 100 && (i < 20 || clock.elapsed() < 15000); ++i) {
        folder.write("Accounts.dat", before);
        written = QFileInfo(folder.path("Accounts.dat")).lastModified();
        QFile::remove(folder.path("Accounts.dat.lock"));  // left by a copy killed before
        Copy copy(folder, lines);
        ASSERT_TRUE(copy.says("ready") && locks()) << "kill " << i;
        QThread::usleep(static_cast<unsigned long>(within(random)));
        copy.kill();
        const QByteArray bytes = folder.database();
        ASSERT_TRUE(bytes == before || bytes == after) << "kill " << i << ": " << bytes.size() << " bytes";
        ++kills[bytes == after];
    }
    std::printf("killed %d times: %d old, %d new\n", kills[0] + kills[1], kills[0], kills[1]);
}

INSTANTIATE_TEST_SUITE_P(, Killed, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

// Another program cuts the database short while a copy reads it as it starts, at moments spread
// over the whole read: the copy reads it whole, or reports the cut file, but never dies of it.
TEST(ADatabaseCutShort, WhileACopyReadsItDoesNotEndIt) {
    Folder folder(300000);
    const QByteArray database = folder.database();
    for (int delay = 0; delay <= 400; delay += 20) {
        folder.write("Accounts.dat", database);
        Copy copy(folder);
        ASSERT_TRUE(copy.running());
        QThread::msleep(static_cast<unsigned long>(delay));
        QFile::resize(folder.path("Accounts.dat"), 100);
        EXPECT_NE(copy.wait(3000), Program::Crashed) << "cut after " << delay << " ms";
    }
}

class TwoCopies : public ::testing::TestWithParam<std::tuple<Writer, Writer, bool>> {};

// Both copies load; the second starts its change (a waiting one stops at its question); the first
// makes its change; then the second makes its own, from a list older than the file, to accounts
// of its own or (same) to those the first changed.
TEST_P(TwoCopies, NeitherChangeIsLost) {
    const auto& [first, second, same] = GetParam();
    const int other = same ? 1 : 2;
    Folder folder;
    Copy one(folder), two(folder);
    ASSERT_TRUE(one.says("ready"));
    ASSERT_TRUE(two.says("ready"));
    const bool waits = second.line.startsWith("wait ");
    if (waits) {
        two.send(second.line.arg(other));
        ASSERT_TRUE(two.says("asked"));
    }
    ASSERT_TRUE(one.step(QString(first.line).remove("wait ").arg(1)));
    ASSERT_TRUE(waits ? (two.send("go"), two.says("done")) : two.step(second.line.arg(other)));
    ASSERT_TRUE(one.step("unload") && two.step("unload"));

    const QByteArray file = folder.database();
    for (const auto& [writer, copy] : {std::pair{&first, 1}, std::pair{&second, other}}) {
        EXPECT_TRUE(writer->leaves.isEmpty() || file.count(writer->leaves.arg(copy).toLatin1()) == 1)
            << writer->name << copy;
        EXPECT_TRUE(writer->removes.isEmpty() || !file.contains(writer->removes.arg(copy).toLatin1()))
            << writer->name << copy;
    }
    // Every other account is there, once.
    for (const QByteArray code : {"c-active", "c-r1", "c-r2", "c-d1", "c-d2", "c-c1", "c-c2"}) {
        const bool deleted = (code == "c-d1" && QByteArray(first.name) == "delete") ||
                             (code == "c-d" + QByteArray::number(other) && QByteArray(second.name) == "delete");
        EXPECT_EQ(file.count("\r\n" + code + "\r\n"), deleted ? 0 : 1) << code.data();
    }
    EXPECT_EQ(folder.read("Logs/ClsBD.log"), "<missing>");
    EXPECT_FALSE(QFile::exists(folder.path("Accounts.dat.lock")));
}

INSTANTIATE_TEST_SUITE_P(EveryPairOfWriters, TwoCopies,
                         ::testing::Combine(::testing::ValuesIn(kWriters, kWriters + 6),
                                            ::testing::ValuesIn(kWriters, kWriters + 6), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_then_" +
                                    std::get<1>(info.param).name + (std::get<2>(info.param) ? "_same" : "");
                         });

// Both copies write at the same time, over and over, through a slow device: the lock lets one
// write at a time, and each change lands on the file the other left.
TEST(TwoCopiesAtOnce, EveryRenameAndEveryAddIsKept) {
    Folder folder;
    Copy one(folder), two(folder);
    ASSERT_TRUE(one.says("ready") && two.says("ready"));
    for (int i = 1; i <= 15; ++i) {
        one.send(
            QString("select R1%1; rename R1 %2; timer; timer").arg(i == 1 ? "" : " " + QString::number(i - 1)).arg(i));
        two.send(QString("add Added %1 | c-added%1 | sig").arg(i));
    }
    for (int i = 1; i <= 15; ++i)
        ASSERT_TRUE(one.says("done") && two.says("done")) << i;
    ASSERT_TRUE(one.step("unload") && two.step("unload"));
    const QByteArray file = folder.database();
    EXPECT_EQ(file.count("R1 15\r\nc-r1\r\n"), 1);
    for (int i = 1; i <= 15; ++i)
        EXPECT_EQ(file.count(QString("Added %1\r\nc-added%1\r\n").arg(i).toLatin1()), 1) << i;
    EXPECT_EQ(file.count("<COMENTARIO>"), 7 + 15);
}

// Two copies import at the same time: the second waits while the first works on its working copy
// (stopped at the box that says its source is older), and each imports its own file.
TEST(TwoCopiesAtOnce, EachImportKeepsItsOwnWorkingCopy) {
    Folder folder;
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

// Two copies start on an older database while a third holds the lock; once it is killed, its
// lock file left behind is taken over at once, the database converted once and the person told
// once.
TEST(TwoCopiesAtOnce, AnOlderDatabaseIsConvertedAndAnnouncedOnce) {
    Folder folder(0, true);
    Copy holder(folder, {"hold"});
    ASSERT_TRUE(holder.says("held"));
    Copy one(folder), two(folder);
    QThread::msleep(2000);  // both have read the old header and wait for the lock
    holder.kill();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(QFile::exists(folder.path("Accounts.dat.lock")));
    ASSERT_TRUE(one.says("ready") && two.says("ready"));
    // A waiting copy looks again after sleeps that double up to 3.2 s, and then sees the holder
    // is gone; a lock waited on until it ages takes 8 s or more here.
    EXPECT_LT(clock.elapsed(), 6500) << "the lock left behind was waited on";
    const QString boxes = QString::fromStdString(one.errors() + two.errors());
    EXPECT_EQ(boxes.count("  The Database has been converted"), 1) << boxes.toStdString();
    EXPECT_TRUE(folder.database().startsWith("Version: 101\r\nActive\r\n"));
}

}  // namespace
