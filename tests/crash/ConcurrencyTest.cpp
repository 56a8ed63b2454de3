// Two copies of the program on one folder, as when a person with the window open starts a
// desktop shortcut: two crash_driver processes, each changing the database through the window's
// handlers. One copy changes the file while the other's list is older than it; the other's
// change must then be made to the file as it is, so that nothing either of them did is lost.
#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QThread>

#include "FileTexts.h"
#include "Printers.h"
#include "Program.h"
#include "RegistryFile.h"
#include "TestFolder.h"

namespace {

QByteArray record(const QByteArray& name, const QByteArray& code, const QByteArray& comment = "") {
    return DatabaseText::record(name, code, "s" + code, comment + "\r\n");
}

// Each copy (1 and 2) has accounts of its own to rename (R), delete (D) and comment (C), and an
// account data file of its own to import; the game's active account is stored.
struct Folder : TestFolder {
    Folder() {
        QByteArray database = DatabaseText() + record("Active", "c-active");
        for (const char* copy : {"1", "2"})
            for (const char* kind : {"R", "D", "C"})
                database += record(QByteArray(kind) + copy, "c-" + QByteArray(kind).toLower() + copy, "kept");
        mkdir("Logs");
        write("Accounts.dat", database);
        write("Opciones.dat", optionsText(1, 1));
        write(RegistryFile::FileName, storeText("c-active", "sc-active"));
        for (const QByteArray copy : {"1", "2"})
            write("Z" + copy + ".ADF", DatabaseText() + record("Z" + copy, "c-z" + copy));
    }
    QByteArray database() const { return read("Accounts.dat"); }
};

// A copy of the program, ready for steps.
struct Copy : Program {
    explicit Copy(const Folder& folder, const QString& hold = {})
        : Program(CRASH_DRIVER_PATH, hold.isEmpty() ? QStringList{folder.path()} : QStringList{folder.path(), hold}) {}
};

// A change made by copy %1: its step, the text it leaves in the file and the text it takes out.
struct Writer {
    const char* name;
    QString step;
    QString leaves;
    QString removes;
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
    Folder folder;
    Copy one(folder), two(folder);
    ASSERT_TRUE(one.says("ready") && two.says("ready"));
    const bool waits = second.step.startsWith("wait ");
    if (waits) {
        two.send(second.step.arg(2));
        ASSERT_TRUE(two.says("asked"));
    }
    ASSERT_TRUE(one.step(QString(first.step).remove("wait ").arg(1)));
    ASSERT_TRUE(waits ? (two.send("go"), two.says("done")) : two.step(second.step.arg(2)));
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
    Folder folder;
    Copy one(folder), two(folder);
    ASSERT_TRUE(one.says("ready") && two.says("ready"));
    constexpr int kRounds = 15;
    for (int i = 1; i <= kRounds; ++i) {
        one.send(QString("select R1%1; rename R1 %2; timer; timer")
                     .arg(i == 1 ? QString() : QString(" %1").arg(i - 1))
                     .arg(i));
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
    Folder folder;
    Copy holder(folder, "hold");
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
    Folder folder;
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
    Folder folder;
    folder.write("Accounts.dat", "Active\r\nc-active\r\nsc-active\r\nR1\r\nc-r1\r\nsc-r1\r\n");
    Copy holder(folder, "hold");
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
