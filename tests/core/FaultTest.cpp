// What a disk that fills up or a failing device must not do to the window: show what the files
// do not hold, or lose what the person did. That the files stay whole is the writers' matrix.
#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>

#include "AppFolder.h"
#include "ClsBD.h"
#include "FaultInjection.h"
#include "FileBytes.h"
#include "FileTexts.h"
#include "Printers.h"
#include "ProgramBoxes.h"

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
        app.sv->bd.guardarcambios();
        FaultInjection::disarm();
    }
    EXPECT_EQ(app.read("Accounts.dat"), kTwo);
    const QStringList names = QDir(app.path("Backups")).entryList({"Accounts *.dat"}, QDir::Files, QDir::Name);
    ASSERT_EQ(names.size(), 11) << "the ten genuine copies and the one of the database";
    EXPECT_EQ(app.read("Backups/" + names.last()), kTwo);
}

}  // namespace
