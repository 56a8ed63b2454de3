// Writers that work on the file as it is: backups that are copies of their own, a change by
// another program seen even when it keeps the file's size and time.
#include <gtest/gtest.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "AppFolder.h"
#include "ClsBD.h"
#include "FileTexts.h"
#include "ProgramBoxes.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_Main.h"

namespace {

// Backups are files of their own, made when the database differs from the newest one; a
// symbolic link is backed up by what it points to.
TEST(CheckedWriters, BackupsAreRealCopies) {
    AppFolder app;
    const QByteArray first = DatabaseText().account("Alpha", "c-a", "s-c-a", "\r\n");
    app.write("Real.dat", first);
    ASSERT_TRUE(QFile::link(app.path("Real.dat"), app.path("Accounts.dat")));
    app.write("Opciones.dat", optionsText(1, 1));
    app.setStore("c-a", "s-c-a");
    app.main().Form_Load();
    const auto backups = [&] {
        return QDir(app.path("Backups")).entryInfoList({"Accounts *.dat"}, QDir::Files, QDir::Name);
    };

    app.main().LvAccounts_AfterLabelEdit("Renamed");
    app.sv->bd.guardarcambios();
    app.sv->bd.guardarcambios();  // the file as saved is copied before its next rewrite ...
    app.sv->bd.guardarcambios();  // ... and not again while the newest copy holds it
    ASSERT_EQ(backups().size(), 2);
    EXPECT_EQ(app.read("Backups/" + backups()[1].fileName()), app.read("Accounts.dat"));
    EXPECT_FALSE(backups()[0].isSymLink());
    EXPECT_EQ(app.read("Backups/" + backups()[0].fileName()), first);
    EXPECT_TRUE(QFileInfo(app.path("Accounts.dat")).isSymLink()) << "the link is kept, its target replaced";

    Frm_Add& add = app.windows->frmAdd;
    app.dialogs.expect(ProgramBoxes::AddedActivate, MsgAnswer::No);
    add.Show();
    add.TxtNombre.Text = "Appended";
    add.TxtCodigo.Text = "c-p";
    add.TxtFirma.Text = "s-p";
    add.CmdAdd_Click();
    EXPECT_TRUE(app.read("Real.dat").contains("Appended\r\n"));
    EXPECT_EQ(app.read("Backups/" + backups()[0].fileName()), first) << "an append changes no backup";
}

// Another program changes the file without changing its size or its time: the save still sees it,
// and makes its change to the file as it is.
TEST(CheckedWriters, AChangeOfTheSameSizeAndTimeIsSeen) {
    AppFolder app;
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

}  // namespace
