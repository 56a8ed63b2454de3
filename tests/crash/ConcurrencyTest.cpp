// Two copies of the program on one folder, as when a person with the window open starts a
// desktop shortcut: two real processes (crash_driver steps), each changing the database through
// the window's handlers. For every pair of writers, one copy changes the file while the other's
// list is older than it; the other's change must then be made to the file as it is, so that
// nothing either of them did is lost.
#include <functional>
#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include "FileBytes.h"
#include "FileTexts.h"
#include "Printers.h"
#include "RegistryFile.h"
#include "TestFolder.h"

namespace {

QByteArray record(const QByteArray& name, const QByteArray& code, const QByteArray& comment = "") {
    return DatabaseText::record(name, code, "s" + code, comment + "\r\n");
}

// Each copy (1 and 2) has accounts of its own to rename (R), delete (D) and comment (C), and an
// account data file of its own to import; A is the game's active account.
class Folder : public TestFolder {
public:
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
};

// One copy of the program, driven a step at a time.
class Copy {
public:
    explicit Copy(const Folder& folder, const QString& mode = QStringLiteral("steps")) {
        process_.start(QStringLiteral(CRASH_DRIVER_PATH), {mode, folder.path()});
    }
    ~Copy() {
        process_.kill();
        process_.waitForFinished(10000);
    }
    ::testing::AssertionResult says(const QByteArray& word) {
        QElapsedTimer clock;
        clock.start();
        while (!process_.canReadLine()) {
            if (clock.elapsed() > 60000 ||
                (!process_.waitForReadyRead(100) && process_.state() == QProcess::NotRunning))
                return ::testing::AssertionFailure() << "waiting for \"" << word.toStdString()
                                                     << "\": " << process_.readAllStandardError().toStdString();
        }
        const QByteArray line = process_.readLine().trimmed();
        if (line != word)
            return ::testing::AssertionFailure() << "said \"" << line.toStdString() << "\", not " << word.toStdString();
        return ::testing::AssertionSuccess();
    }
    // Sent at once, not when the test next waits for the copy.
    void send(const QString& step) {
        process_.write(step.toUtf8() + "\n");
        process_.waitForBytesWritten(10000);
    }
    ::testing::AssertionResult run(const QString& step) {
        send(step);
        return says("done");
    }
    QProcess& process() { return process_; }

private:
    QProcess process_;
};

// One writer: the step copy n takes, and what it leaves in the file.
struct Writer {
    const char* name;
    std::function<QString(int)> step;
    std::function<QByteArray(int)> leaves;                                      // text the file holds afterwards
    std::function<QByteArray(int)> removes = [](int) { return QByteArray(); };  // text it no longer holds
    bool waits = false;  // stops at its question until told to go on
};

const std::vector<Writer>& writers() {
    static const std::vector<Writer> list{
        {"rename", [](int n) { return QStringLiteral("rename\tR%1\tR%1 renamed").arg(n); },
         [](int n) { return QStringLiteral("R%1 renamed\r\nc-r%1\r\n").arg(n).toLatin1(); },
         [](int n) { return QStringLiteral("R%1\r\nc-r%1\r\n").arg(n).toLatin1(); }},
        {"delete", [](int n) { return QStringLiteral("delete\tD%1").arg(n); }, [](int) { return QByteArray(); },
         [](int n) { return QStringLiteral("c-d%1\r\n").arg(n).toLatin1(); }},
        {"comment", [](int n) { return QStringLiteral("comment\tC%1\tnote %1").arg(n); },
         [](int n) { return QStringLiteral("c-c%1\r\nsc-c%1\r\n<COMENTARIO>\r\nnote %1\r\n").arg(n).toLatin1(); }},
        {"import", [](int n) { return QStringLiteral("import\tZ%1.ADF").arg(n); },
         [](int n) { return QStringLiteral("Z%1\r\nc-z%1\r\n").arg(n).toLatin1(); }},
        {"add", [](int n) { return QStringLiteral("add\tAdded %1\tc-added%1\tsig").arg(n); },
         [](int n) { return QStringLiteral("Added %1\r\nc-added%1\r\n").arg(n).toLatin1(); }},
        {"store", [](int n) { return QStringLiteral("store\tc-new%1\tNew %1\twait").arg(n); },
         [](int n) { return QStringLiteral("New %1\r\nc-new%1\r\n").arg(n).toLatin1(); },
         [](int) { return QByteArray(); }, true},
    };
    return list;
}

using Pair = std::pair<std::size_t, std::size_t>;

class TwoCopies : public ::testing::TestWithParam<Pair> {};

// Both copies load; the second starts its change (and, for a new active account, stops at the
// question of its name); the first makes its change; then the second makes its own, from a list
// older than the file.
TEST_P(TwoCopies, NeitherChangeIsLost) {
    const Writer& first = writers()[GetParam().first];
    const Writer& second = writers()[GetParam().second];
    Folder folder;
    Copy one(folder), two(folder);
    ASSERT_TRUE(one.says("ready"));
    ASSERT_TRUE(two.says("ready"));
    if (second.waits) {
        two.send(second.step(2));
        ASSERT_TRUE(two.says("asked"));
    }
    ASSERT_TRUE(one.run(QString(first.step(1)).remove("\twait")));
    if (second.waits) {
        two.send(QStringLiteral("go"));
        ASSERT_TRUE(two.says("done"));
    } else {
        ASSERT_TRUE(two.run(second.step(2)));
    }
    ASSERT_TRUE(one.run("close"));
    ASSERT_TRUE(two.run("close"));

    const QByteArray file = readFile(folder.path("Accounts.dat"));
    for (const auto& [writer, copy] : {std::pair{&first, 1}, std::pair{&second, 2}}) {
        const QByteArray leaves = writer->leaves(copy);
        if (!leaves.isEmpty()) {
            EXPECT_EQ(file.count(leaves), 1) << writer->name << " of copy " << copy << " kept once";
        }
        const QByteArray removes = writer->removes(copy);
        if (!removes.isEmpty()) {
            EXPECT_FALSE(file.contains(removes)) << writer->name << " of copy " << copy;
        }
    }
    // Nothing else changed: every other account is there, once.
    for (const char* code : {"c-active", "c-r1", "c-r2", "c-d1", "c-d2", "c-c1", "c-c2"}) {
        const bool deleted = (QByteArray(code) == "c-d1" && QByteArray(first.name) == "delete") ||
                             (QByteArray(code) == "c-d2" && QByteArray(second.name) == "delete");
        EXPECT_EQ(file.count(QByteArray("\r\n") + code + "\r\n"), deleted ? 0 : 1) << code;
    }
    EXPECT_FALSE(QFile::exists(folder.path("Logs/ClsBD.log"))) << readFile(folder.path("Logs/ClsBD.log")).toStdString();
    EXPECT_FALSE(QFile::exists(folder.path("Accounts.dat.lock")));
}

std::vector<Pair> everyPair() {
    std::vector<Pair> pairs;
    for (std::size_t a = 0; a < writers().size(); ++a)
        for (std::size_t b = 0; b < writers().size(); ++b)
            pairs.emplace_back(a, b);
    return pairs;
}

INSTANTIATE_TEST_SUITE_P(
    EveryPairOfWriters, TwoCopies, ::testing::ValuesIn(everyPair()), [](const ::testing::TestParamInfo<Pair>& info) {
        return std::string(writers()[info.param.first].name) + "_then_" + writers()[info.param.second].name;
    });

// Both copies write at the same time, over and over, through a slow device: the lock lets one
// write at a time, and each change lands on the file the other left.
TEST(TwoCopiesAtOnce, EveryRenameAndEveryAddIsKept) {
    Folder folder;
    Copy one(folder), two(folder);
    ASSERT_TRUE(one.says("ready"));
    ASSERT_TRUE(two.says("ready"));
    constexpr int kRounds = 15;
    for (int i = 1; i <= kRounds; ++i) {
        one.send(
            QStringLiteral("rename\tR1%1\tR1 %2").arg(i == 1 ? QString() : QStringLiteral(" %1").arg(i - 1)).arg(i));
        two.send(QStringLiteral("add\tAdded %1\tc-added%1\tsig").arg(i));
    }
    for (int i = 1; i <= kRounds; ++i) {
        ASSERT_TRUE(one.says("done")) << i;
        ASSERT_TRUE(two.says("done")) << i;
    }
    ASSERT_TRUE(one.run("close"));
    ASSERT_TRUE(two.run("close"));
    const QByteArray file = readFile(folder.path("Accounts.dat"));
    EXPECT_EQ(file.count(QStringLiteral("R1 %1\r\nc-r1\r\n").arg(kRounds).toLatin1()), 1);
    for (int i = 1; i <= kRounds; ++i)
        EXPECT_EQ(file.count(QStringLiteral("Added %1\r\nc-added%1\r\n").arg(i).toLatin1()), 1) << i;
    EXPECT_EQ(file.count("<COMENTARIO>"), 7 + kRounds);
}

// A copy killed while it held the lock leaves the lock file behind; the next write takes it over.
TEST(TwoCopiesAtOnce, ALockLeftByAKilledCopyIsTakenOver) {
    Folder folder;
    {
        Copy holder(folder, QStringLiteral("hold"));
        ASSERT_TRUE(holder.says("held"));
        holder.process().kill();
        holder.process().waitForFinished(10000);
    }
    ASSERT_TRUE(QFile::exists(folder.path("Accounts.dat.lock")));
    Copy copy(folder);
    ASSERT_TRUE(copy.says("ready"));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(copy.run(QStringLiteral("rename\tR1\tR1 renamed")));
    EXPECT_LT(clock.elapsed(), 5000) << "taken over without waiting for it to age";
    EXPECT_TRUE(readFile(folder.path("Accounts.dat")).contains("R1 renamed\r\nc-r1\r\n"));
}

// Two copies import at the same time: the second waits while the first works on its working
// copy (here stopped at the box that says its source was written by an older version), and
// each imports its own file.
TEST(TwoCopiesAtOnce, EachImportKeepsItsOwnWorkingCopy) {
    Folder folder;
    folder.write("Old1.ADF", "Y1\r\nc-y1\r\nsc-y1\r\n");
    Copy one(folder), two(folder);
    ASSERT_TRUE(one.says("ready"));
    ASSERT_TRUE(two.says("ready"));
    one.send(QStringLiteral("import\tOld1.ADF\twait"));
    ASSERT_TRUE(one.says("asked"));
    two.send(QStringLiteral("import\tZ2.ADF"));
    QThread::msleep(1000);
    one.send(QStringLiteral("go"));
    ASSERT_TRUE(one.says("done"));
    ASSERT_TRUE(two.says("done"));
    const QByteArray file = readFile(folder.path("Accounts.dat"));
    EXPECT_EQ(file.count("Y1\r\nc-y1\r\n"), 1);
    EXPECT_EQ(file.count("Z2\r\nc-z2\r\n"), 1);
    EXPECT_FALSE(QFile::exists(folder.path("Accounts.dat.Aux")));
}

// Two copies start on an older database at the same time: it is converted once, and the person
// is told once.
TEST(TwoCopiesAtOnce, AnOlderDatabaseIsConvertedAndAnnouncedOnce) {
    Folder folder;
    folder.write("Accounts.dat", "Active\r\nc-active\r\nsc-active\r\nR1\r\nc-r1\r\nsc-r1\r\n");
    Copy holder(folder, QStringLiteral("hold"));
    ASSERT_TRUE(holder.says("held"));
    Copy one(folder), two(folder);
    QThread::msleep(2000);  // both have read the old header and wait for the lock
    holder.process().kill();
    ASSERT_TRUE(one.says("ready"));
    ASSERT_TRUE(two.says("ready"));
    const QByteArray boxes = one.process().readAllStandardError() + two.process().readAllStandardError();
    EXPECT_EQ(boxes.count("box: The Database has been converted"), 1) << boxes.toStdString();
    EXPECT_TRUE(readFile(folder.path("Accounts.dat")).startsWith("Version: 101\r\nActive\r\n"));
}

}  // namespace
