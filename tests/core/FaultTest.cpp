// What a disk that fills up or a failing device must not do to the files: the file layer's
// guarantees, and the two places above it that wrote or announced more than reached the disk.
#include <functional>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "AppFolder.h"
#include "ClsBD.h"
#include "ClsPrincipal.h"
#include "FaultInjection.h"
#include "FileBytes.h"
#include "FileTexts.h"
#include "Printers.h"
#include "ProgramBoxes.h"
#include "RunError.h"
#include "TextWriter.h"

namespace {

using FaultInjection::Plan;

// Every write here is synced, which on a disk costs milliseconds each: the tests' folders go to
// memory when the system has a memory file system and no other folder was asked for.
class MemoryFolders : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("TMPDIR") && QFileInfo(QStringLiteral("/dev/shm")).isDir())
            qputenv("TMPDIR", "/dev/shm");
    }
};
::testing::Environment* const kMemoryFolders = ::testing::AddGlobalTestEnvironment(new MemoryFolders);

// Whatever is written (a few bytes, which Qt would hold back until the end, or many, which go
// out at once) and wherever the writing fails, the file stays as it was, nothing else is left in
// the folder, and the failure says why.
TEST(FileLayer, AFailedWriteLeavesTheFileAsItWas) {
    struct Case {
        const char* what;
        std::function<void(Plan&, qint64 bytes)> fault;
        int number;
        bool rewriteOnly = false;
    };
    const Case cases[] = {
        {"the disk is full", [](Plan& p, qint64) { p.spaceLeft = 0; }, RunError::DiskFull},
        {"the disk fills up half-way", [](Plan& p, qint64 bytes) { p.spaceLeft = bytes / 2; }, RunError::DiskFull},
        {"the disk fills up at the last byte", [](Plan& p, qint64 bytes) { p.spaceLeft = bytes - 1; },
         RunError::DiskFull},
        {"the device cannot sync",
         [](Plan& p, qint64) {
             p.failing = FaultInjection::Call::Sync;
             p.failOn = 1;
         },
         RunError::DeviceIo},
        {"the new file cannot be put in place",
         [](Plan& p, qint64) {
             p.failing = FaultInjection::Call::Commit;
             p.failOn = 1;
         },
         RunError::DeviceIo, true},
    };
    const QByteArray old = "DB Version: 101\r\nkept\r\n";
    for (const Case& c : cases) {
        for (const int length : {10, 100000}) {
            for (const TextWriter::Mode mode : {TextWriter::Mode::Rewrite, TextWriter::Mode::Append}) {
                if (c.rewriteOnly && mode == TextWriter::Mode::Append)
                    continue;
                SCOPED_TRACE(std::string(c.what) + ", " + std::to_string(length) + " bytes, " +
                             (mode == TextWriter::Mode::Rewrite ? "rewrite" : "append"));
                QTemporaryDir dir;
                const QString path = dir.path() + "/Accounts.dat";
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
                file.close();

                TextWriter writer(path, mode);
                writer.writeLine(QString(length, 'x'));
                Plan plan{dir.path(), {}};
                c.fault(plan, length + 2);
                FaultInjection::arm(plan);
                int number = 0;
                try {
                    writer.close();
                } catch (const RunError& e) {
                    number = e.number;
                }
                FaultInjection::disarm();
                EXPECT_EQ(number, c.number);
                EXPECT_EQ(readFile(path), old);
                EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Accounts.dat"});
            }
        }
    }
}

// Making an account the game's active one changes the code and the signature together or not at
// all, wherever the disk fills up: never one account's code with another's signature.
TEST(Activation, TheGameKeepsAWholePair) {
    AppFolder app;
    app.mkdir("Logs");
    app.setStore("old-code", "old-sig");
    for (qint64 room = 0;; room += 5) {
        SCOPED_TRACE(room);
        FaultInjection::arm({app.path(""), app.path("Logs"), room});
        // The log of active accounts may be what does not fit: that is reported, once, and the
        // activation goes on.
        if (room == 0)
            app.dialogs.expect(ScriptedDialogs::errorBox(
                "Disk full: " + QDir::toNativeSeparators(app.path("Backups/ActiveAccounts.log")) +
                    ": No space left on device (the safety copy was not made; the work goes on without it)",
                app.logPath("ClsRespaldos.log")));
        bool failed = false;
        try {
            app.mv->principal().EscribirActiva("new-code", "new-sig");
        } catch (const RunError& e) {
            failed = true;
            EXPECT_EQ(e.number, RunError::DiskFull);
        }
        FaultInjection::disarm();
        const QString code = app.storeValue("MPAccountName");
        const QString signature = app.storeValue("MPAccountNameSig");
        if (!failed) {
            EXPECT_EQ(code + ' ' + signature, "new-code new-sig");
            break;
        }
        ASSERT_EQ(code + ' ' + signature, "old-code old-sig");
    }
}

const QByteArray kTwo = DatabaseText().account("Alpha", "c-a", "s-a", "\r\n").account("bravo", "c-b", "s-b", "\r\n");

// A new active account that cannot be stored is neither announced as added nor listed: the
// window shows it as not stored, as the file has it.
TEST(NewActiveAccount, OneThatCannotBeStoredIsNotShownAsStored) {
    AppFolder app;
    app.mkdir("Logs");
    const QByteArray database = DatabaseText().account("Kept", "c-k", "s-k", "\r\n");
    app.write("Accounts.dat", database);
    app.write("Opciones.dat", optionsText(0, 0));
    app.setStore("fresh", "sig-fresh");
    app.dialogs.expect(ProgramBoxes::NewAccountFound, MsgAnswer::Yes);
    app.dialogs.expectInput("Fresh one");
    app.dialogs.expect(ScriptedDialogs::errorBox(
        "Disk full: " + QDir::toNativeSeparators(app.path("Accounts.dat.lock")) + ": No space left on device",
        app.logPath("ClsMain.log")));

    FaultInjection::arm({app.path(""), app.path("Logs"), 0});
    app.main().Form_Load();
    FaultInjection::disarm();

    EXPECT_EQ(app.read("Accounts.dat"), database);
    EXPECT_EQ(app.main().LvAccounts.count(), 1);
    EXPECT_EQ(app.main().LblName.Caption, "Warning! Not in the database");
    EXPECT_EQ(app.main().LblName.ForeColor, Colores::Red);
}

// The two accounts loaded; the options ask nothing before an activation or a deletion.
void startWithTwo(AppFolder& app) {
    app.mkdir("Logs");
    app.write("Accounts.dat", kTwo);
    app.write("Opciones.dat", optionsText(1, 1));
    app.setStore("c-a", "s-a");
    app.main().Form_Load();
}

// A deletion whose rewrite of the database fails leaves the account in the list, where the file
// still has it, and selected, so that deleting it again works.
TEST(Deletion, AnAccountThatCouldNotBeDeletedStaysListed) {
    const auto deleteBravo = [&](AppFolder& app) {
        app.main().LvAccounts.select(2);
        ASSERT_EQ(app.main().LvAccounts.selectedRow().name, "bravo");
        app.main().Delete_Click();
    };
    // How many files a deletion puts in place; the last one is the database.
    AppFolder clean;
    startWithTwo(clean);
    FaultInjection::arm({clean.path(""), clean.path("Logs")});
    deleteBravo(clean);
    const int commits = FaultInjection::disarm().commits;
    ASSERT_GT(commits, 0);

    AppFolder app;
    startWithTwo(app);
    Plan plan{app.path(""), app.path("Logs")};
    plan.failing = FaultInjection::Call::Commit;
    plan.failOn = commits;
    app.dialogs.expect(ScriptedDialogs::errorBox(
        "Device I/O error: " + QDir::toNativeSeparators(app.path("Accounts.dat")) + ": Input/output error",
        app.logPath("Frm_Main.log")));
    FaultInjection::arm(plan);
    deleteBravo(app);
    FaultInjection::disarm();
    EXPECT_EQ(app.read("Accounts.dat"), kTwo);
    ASSERT_EQ(app.main().LvAccounts.count(), 2);
    EXPECT_EQ(app.main().LvAccounts.selectedRow().name, "bravo");

    app.main().Delete_Click();
    EXPECT_EQ(app.read("Accounts.dat"), clean.read("Accounts.dat"));
}

// A disk with no room left, not even for the reports: each failure is still shown, and a rename
// whose save failed is not lost: a refresh shows it again, the next save writes it, and closing
// the window tries once more and says so when it still cannot.
TEST(FullDisk, ARenameWhoseSaveFailedIsSavedLaterOrTold) {
    AppFolder app;
    startWithTwo(app);
    AccountList& list = app.main().LvAccounts;
    list.select(list.lastWithTrimmedCode("c-b"));
    ASSERT_TRUE(app.main().LvAccounts_AfterLabelEdit("Bravo two"));
    const auto fails = [&] {
        const auto shown = [](const QString& path) { return QDir::toNativeSeparators(path); };
        app.dialogs.expect(ScriptedDialogs::unwrittenErrorBox(
            "Disk full: " + shown(app.path("Accounts.dat.lock")) + ": No space left on device",
            "Disk full: " + shown(app.logPath("ClsBD.log")) + ": No space left on device"));
    };
    fails();
    FaultInjection::arm({app.path(""), {}, 0});
    app.main().TiSave_Timer();
    app.main().TiSave_Timer();
    FaultInjection::disarm();
    EXPECT_EQ(app.read("Accounts.dat"), kTwo);

    app.main().Form_Load();  // a refresh: the name not saved is shown again
    EXPECT_NE(list.lastWithTrimmedCode("c-b"), 0);
    EXPECT_EQ(list.row(list.lastWithTrimmedCode("c-b")).name, "Bravo two");

    fails();
    FaultInjection::arm({app.path(""), {}, 0});
    app.main().Form_Unload();  // closing: told again
    FaultInjection::disarm();
    EXPECT_EQ(app.read("Accounts.dat"), kTwo);

    app.main().Form_Unload();
    EXPECT_EQ(app.read("Accounts.dat"), QByteArray(kTwo).replace("bravo", "Bravo two"));
}

// A rewrite that fails removes no backup: the older copies stay, whatever is tried.
TEST(Backups, AFailedRewriteRemovesNone) {
    AppFolder app;
    app.mkdir("Backups");
    for (int i = 0; i < 10; ++i)
        app.write(QStringLiteral("Backups/Accounts 2020-01-01 00.00.%1.000.dat").arg(i, 2, 10, QLatin1Char('0')),
                  "genuine " + QByteArray::number(i));
    startWithTwo(app);
    app.main().LvAccounts.select(1);
    ASSERT_TRUE(app.main().LvAccounts_AfterLabelEdit("Renamed"));
    FaultInjection::Plan plan{app.path(""), app.path("Logs")};
    plan.failing = FaultInjection::Call::Commit;
    for (int attempt = 0; attempt < 3; ++attempt) {
        app.dialogs.expect(ScriptedDialogs::errorBox(
            "Device I/O error: " + QDir::toNativeSeparators(app.path("Accounts.dat")) + ": Input/output error",
            app.logPath("ClsBD.log")));
        // The backup is put in place, then the database is not; later attempts find the copy made.
        plan.failOn = attempt == 0 ? 2 : 1;
        FaultInjection::arm(plan);
        app.mv->bd().guardarcambios();
        FaultInjection::disarm();
    }
    EXPECT_EQ(app.read("Accounts.dat"), kTwo);
    const QStringList names = QDir(app.path("Backups")).entryList({"Accounts *.dat"}, QDir::Files, QDir::Name);
    ASSERT_EQ(names.size(), 11) << "the ten genuine copies and the one of the database";
    EXPECT_EQ(app.read("Backups/" + names.last()), kTwo);
}

}  // namespace
