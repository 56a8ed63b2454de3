// Writers that never work from a list the file did not give, and a window that never shows
// state the file no longer has.
#include <functional>
#include <gtest/gtest.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "AppFolder.h"
#include "ClsBD.h"
#include "DefaultDialogs.h"
#include "FileTexts.h"
#include "Printers.h"
#include "ProgramBoxes.h"
#include "RegistryFile.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_Main.h"

namespace {

QByteArray record(const QByteArray& name, const QByteArray& code, const QByteArray& comment = "") {
    return DatabaseText::record(name, code, "s-" + code, comment + "\r\n");
}

const QByteArray kFive = DatabaseText() + record("One", "c1") + record("Two", "c2") + record("Three", "c3") +
                         record("Four", "c4") + record("Five", "c5");

// Every box answered with its default button and recorded; a name typed when one is asked for.
class Folder : public BasicAppFolder<DefaultDialogs> {
public:
    Folder() {
        mkdir("Logs");
        write(RegistryFile::FileName, storeText("unstored", "sig"));
        write("Source.ADF", DatabaseText() + record("Imported", "c-imported"));
        dialogs.chosen = path("Source.ADF");
        dialogs.name = "Typed name";
    }
};

// Start-up that stops before the list holds the whole file, or a file that did not load whole:
// no writer touches the file, and nothing is announced as done.
TEST(CheckedWriters, NothingIsWrittenFromAListTheFileDidNotGive) {
    struct State {
        const char* what;
        std::function<void(Folder&)> make;
        QByteArray database = kFive;
    };
    const State states[] = {
        {"the options file is a folder", [](Folder& f) { f.mkdir("Opciones.dat"); }},
        {"a record in the middle is cut", [](Folder&) {},
         DatabaseText() + record("One", "c1") + "Cut\r\nc-cut\r\ns\r\n<COMENTARIO>\r\n"},
        {"an older database whose conversion fails", [](Folder&) {}, "One\r\nc1\r\ns1\r\nTwo\r\nc2\r\ns2\r\n\r\n"},
    };
    const std::pair<const char*, std::function<void(Folder&)>> writers[] = {
        {"the toolbar's save", [](Folder& f) { f.main().Toolbar1_ButtonClick("SAVE"); }},
        {"the save timer",
         [](Folder& f) {
             f.main().TiSave_Timer();
             f.main().TiSave_Timer();
         }},
        {"closing the window", [](Folder& f) { f.main().Form_Unload(); }},
        {"import", [](Folder& f) { f.main().Import_Click(); }},
        {"the manual add",
         [](Folder& f) {
             Frm_Add& add = f.windows->frmAdd;
             add.Show();
             add.TxtNombre.Text = "Added";
             add.TxtCodigo.Text = "c-added";
             add.TxtFirma.Text = "s-added";
             add.CmdAdd_Click();
         }},
        {"a rename, a deletion and a comment of a row that did load",
         [](Folder& f) {
             AccountList& list = f.main().LvAccounts;
             if (list.count() == 0)
                 return;
             list.select(1);
             f.main().LvAccounts_AfterLabelEdit("Renamed");
             f.main().Form_Unload();
             f.main().Delete_Click();
             f.main().CmdEdit_Click();
             f.main().TxtComentarios.Text = "typed";
             f.main().CmdSalvaComentarios_Click();
         }},
    };
    for (const State& state : states) {
        for (const auto& [writer, act] : writers) {
            SCOPED_TRACE(std::string(state.what) + ", " + writer);
            Folder f;
            f.write("Accounts.dat", state.database);
            state.make(f);
            f.main().Form_Load();
            EXPECT_FALSE(f.dialogs.showed(ProgramBoxes::NewAccountFound.text)) << "nothing can be stored";
            EXPECT_TRUE(f.dialogs.prompts.isEmpty()) << "nothing can be stored";
            act(f);
            EXPECT_EQ(f.read("Accounts.dat"), state.database);
            EXPECT_FALSE(f.dialogs.saw("Accounts imported successfuly"));
            EXPECT_FALSE(f.dialogs.saw("Account added successfully"));
            EXPECT_FALSE(f.main().Toolbar1.button(3).Enabled);
        }
    }
}

// Backups are files of their own, made when the database differs from the newest one; a
// symbolic link is backed up by what it points to.
TEST(CheckedWriters, BackupsAreRealCopies) {
    AppFolder app;
    const QByteArray first = DatabaseText() + record("Alpha", "c-a");
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
