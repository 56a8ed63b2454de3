// The safety copies and the writers that work on the file as it is: backups that are copies of
// their own, kept ten, named after the newest even when the clock went back; the log of every
// overwritten active account; a change by another program seen even when it keeps the file's size
// and time; a database another program took away; the permissions of a private database.
#include <gtest/gtest.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <sys/stat.h>

#include "AppFolder.h"
#include "ClsBD.h"
#include "ClsRespaldos.h"
#include "FileTexts.h"
#include "Printers.h"
#include "RunError.h"
#include "forms/Frm_Add.h"

namespace {

const QByteArray kDatabase = DatabaseText().account("Main", "abc", "sig");

// Every box answered as the person pressing Enter would, unless `answers` says otherwise.
class BackupsTest : public ::testing::Test {
protected:
    BackupsTest() {
        app.write("Accounts.dat", kDatabase);
        app.write("Opciones.dat", optionsText(1, 1));
    }
    QStringList copies() { return QDir(app.path("Backups")).entryList({"Accounts *.dat"}, QDir::Files, QDir::Name); }
    QByteArray copy(int i) { return app.read("Backups/" + copies().value(i < 0 ? copies().size() + i : i)); }
    CaseApp app;
};

TEST_F(BackupsTest, EveryRewriteKeepsACopyOfTheDatabaseTheNewestTen) {
    app.setStore("abc", "sig");
    app.main().Form_Load();
    EXPECT_TRUE(copies().isEmpty()) << "loading rewrites nothing";
    for (int i = 0; i < 12; ++i) {
        app.main().LvAccounts.setName(1, QString("Name %1").arg(i));
        app.sv->bd.guardarcambios();
    }
    ASSERT_EQ(copies().size(), 10);
    const QRegularExpression pattern(R"(^Accounts \d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d\.\d{3}\.dat$)");
    EXPECT_TRUE(pattern.match(copies().last()).hasMatch()) << copies().last().toStdString();
    EXPECT_TRUE(copy(-1).contains("Name 10\r\n")) << "the database just before the last save";
    EXPECT_TRUE(copy(0).contains("Name 1\r\n"));
    app.main().Delete_Click();  // the deletion option is on
    EXPECT_TRUE(copy(-1).contains("Name 11\r\n"));
}

TEST_F(BackupsTest, EveryOverwriteOfTheActiveAccountIsLogged) {
    app.setStore("unstored \"quoted\\\"", "old-sig");
    app.dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes};  // not added; activated over it
    app.main().Form_Load();
    app.main().LvAccounts_DblClick();
    const QStringList lines = QString::fromLatin1(app.read("Backups/ActiveAccounts.log")).split("\r\n");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d  )").match(lines[0]).hasMatch());
    EXPECT_TRUE(lines[0].endsWith(R"("MPAccountName"="unstored \"quoted\\\""  "MPAccountNameSig"="old-sig")"))
        << lines[0].toStdString();
    EXPECT_EQ(app.storeValue("MPAccountName"), "abc");
}

// A backup that cannot be made is reported once and the work goes on: the save, the deletion
// and the activation.
TEST_F(BackupsTest, ABackupThatCannotBeMadeIsReportedOnceAndBlocksNothing) {
    app.mkdir("Logs");
    app.write("Backups", "a file where the folder should be");
    app.setStore("abc", "sig");
    app.main().Form_Load();
    app.main().LvAccounts.setName(1, "Renamed");
    app.sv->bd.guardarcambios();
    EXPECT_TRUE(app.read("Accounts.dat").contains("Renamed\r\n"));
    app.main().LvAccounts_DblClick();  // activation: the options ask nothing
    app.main().Delete_Click();
    EXPECT_EQ(app.read("Accounts.dat"), DatabaseText().bytes());
    ASSERT_EQ(app.dialogs.reports().size(), 1u);
    EXPECT_EQ(app.dialogs.reports()[0],
              ScriptedDialogs::errorBox("Path/File access error: " + QDir::toNativeSeparators(app.path("Backups")) +
                                            " is a file (the safety copy was not made; the work goes on without it)",
                                        app.logPath("ClsRespaldos.log")));
    EXPECT_EQ(app.read("Logs/ClsRespaldos.log").count("Respaldos."), 1);
}

// After the clock went back, every new copy still sorts after the copies named later than now: it
// is never the one pruned, and the next save compares with it.
TEST_F(BackupsTest, TheCopyJustMadeSurvivesAClockPutBack) {
    app.setStore("abc", "sig");
    app.main().Form_Load();
    for (int i = 0; i < ClsRespaldos::Kept; ++i)
        app.write(QStringLiteral("Backups/Accounts 2099-01-01 00.00.00.%1.dat").arg(i, 3, 10, QLatin1Char('0')),
                  "future");
    app.main().LvAccounts.setName(1, "Renamed");
    for (int save = 0; save < 3; ++save)  // the last one finds the file as its newest copy holds it
        app.sv->bd.guardarcambios();
    ASSERT_EQ(copies().size(), ClsRespaldos::Kept);
    EXPECT_EQ(copies().first(), "Accounts 2099-01-01 00.00.00.002.dat") << "the oldest ones went";
    EXPECT_EQ(copies().last(), "Accounts 2099-01-01 00.00.00.011.dat");
    EXPECT_EQ(copy(8), kDatabase);
    EXPECT_TRUE(copy(-1).contains("Renamed\r\n"));
}

// Backups are files of their own, made when the database differs from the newest one; a symbolic
// link is backed up by what it points to, and kept.
TEST_F(BackupsTest, BackupsAreRealCopies) {
    QFile::rename(app.path("Accounts.dat"), app.path("Real.dat"));
    ASSERT_TRUE(QFile::link(app.path("Real.dat"), app.path("Accounts.dat")));
    app.setStore("abc", "sig");
    app.main().Form_Load();
    app.main().LvAccounts_AfterLabelEdit("Renamed");
    app.sv->bd.guardarcambios();
    app.sv->bd.guardarcambios();  // the file as saved is copied before its next rewrite ...
    app.sv->bd.guardarcambios();  // ... and not again while the newest copy holds it
    ASSERT_EQ(copies().size(), 2);
    EXPECT_EQ(copy(1), app.read("Accounts.dat"));
    EXPECT_FALSE(QFileInfo(app.path("Backups/" + copies()[0])).isSymLink());
    EXPECT_EQ(copy(0), kDatabase);
    EXPECT_TRUE(QFileInfo(app.path("Accounts.dat")).isSymLink()) << "the link is kept, its target replaced";

    Frm_Add& add = app.windows->frmAdd;
    app.dialogs.answers = {MsgAnswer::No};  // not activated
    add.Show();
    add.TxtNombre.Text = "Appended", add.TxtCodigo.Text = "c-p", add.TxtFirma.Text = "s-p";
    add.CmdAdd_Click();
    EXPECT_TRUE(app.read("Real.dat").contains("Appended\r\n"));
    EXPECT_EQ(copy(0), kDatabase) << "an append changes no backup";
}

// Another program changes the file without changing its size or its time: the save still sees it,
// and makes its change to the file as it is.
TEST_F(BackupsTest, AChangeOfTheSameSizeAndTimeIsSeen) {
    app.write("Accounts.dat", DatabaseText().account("Alpha", "c-a", "s-a").account("Beta", "c-b", "s-b"));
    app.setStore("c-a", "s-a");
    app.main().Form_Load();
    const QDateTime time = QFileInfo(app.path("Accounts.dat")).lastModified();
    app.write("Accounts.dat", DatabaseText().account("Alpho", "c-a", "s-a").account("Beta", "c-b", "s-b"));
    QFile file(app.path("Accounts.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.setFileTime(time, QFileDevice::FileModificationTime));
    file.close();
    app.sv->bd.renombrar(2, "Bravo");
    app.sv->bd.guardarcambios();
    const QByteArray saved = app.read("Accounts.dat");
    EXPECT_TRUE(saved.contains("Alpho\r\n") && saved.contains("Bravo\r\n")) << saved.toStdString();
}

// Every file written from a private database is as private as the database: its conversion, an
// import of an older file, a deletion and an activation.
TEST(PrivateDatabase, CopiesOfTheDatabaseKeepItsPermissions) {
    for (const mode_t mode : {0600, 0640}) {
        CaseApp app;
        app.write("Accounts.dat", "Old\r\nold-code\r\nold-sig\r\nOther\r\nother-code\r\nother-sig\r\n");
        ASSERT_EQ(::chmod(QFile::encodeName(app.path("Accounts.dat")).constData(), mode), 0);
        app.write("Opciones.dat", optionsText(1, 1));
        app.write("Older.ADF", "Imported\r\nnew-code\r\nnew-sig\r\n");
        app.dialogs.chosen = app.path("Older.ADF");
        app.setStore("old-code", "old-sig");
        app.main().Form_Load();
        app.main().Import_Click();
        app.select("Other");
        app.main().Delete_Click();
        app.select("Imported");
        app.main().LvAccounts_DblClick();
        ASSERT_EQ(app.storeValue("MPAccountName"), "new-code") << app.dialogs.lastMessage.toStdString();

        QStringList written = QDir(app.path()).entryList({"Accounts.dat*"}, QDir::Files);
        for (const QString& name : QDir(app.path("Backups")).entryList(QDir::Files))
            written << "Backups/" + name;
        // The database, .bak, .old, three copies and the log.
        EXPECT_EQ(written.size(), 7) << written.join(", ").toStdString();
        for (const QString& name : written) {
            struct stat st {};
            ASSERT_EQ(::stat(QFile::encodeName(app.path(name)).constData(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, mode) << name.toStdString();
        }
    }
}

// Another program deletes, empties or cuts the database under the window: that is no new
// database. The next save writes nothing over it and keeps the window's accounts, with their
// comments and the new name, in a copy of their own, and says where.
TEST(LostDatabase, TheWindowsAccountsAreKeptAndNothingIsWrittenOverTheFile) {
    for (const char* left : {"", "DB Ver", static_cast<const char*>(nullptr)}) {
        CaseApp app;
        app.write("Accounts.dat", DatabaseText().account("A", "a", "sa", "note\r\n").account("B", "b", "sb"));
        app.write("Opciones.dat", optionsText(1, 1));
        app.setStore("a", "sa");
        app.main().Form_Load();
        left ? app.write("Accounts.dat", left) : void(QFile::remove(app.path("Accounts.dat")));
        app.sv->bd.renombrar(2, "B renamed");
        app.sv->bd.guardarcambios();

        EXPECT_EQ(app.read("Accounts.dat"), left ? QByteArray(left) : QByteArray("<missing>"));
        const QStringList kept = QDir(app.path("Backups")).entryList({"Recovered accounts *.dat"});
        ASSERT_EQ(kept.size(), 1) << left;
        EXPECT_EQ(app.read("Backups/" + kept[0]),
                  DatabaseText().account("A", "a", "sa", "note\r\n").account("B renamed", "b", "sb", "\r\n").bytes());
        const QString database = QDir::toNativeSeparators(app.path("Accounts.dat"));
        ASSERT_EQ(app.dialogs.shown.size(), 1u) << app.dialogs.lastMessage.toStdString();
        EXPECT_EQ(app.dialogs.shown[0].text,
                  database + (left ? " was emptied" : " was deleted") +
                      " by another program while this window held its 2 accounts. Nothing was written over it: the "
                      "2 accounts are kept in " +
                      QDir::toNativeSeparators(app.path("Backups/" + kept[0])) +
                      ". To get them back, close the program and copy that file over " + database + ".");
        EXPECT_EQ(app.names(), QStringList({"A", "B renamed"}));
    }
}

}  // namespace
