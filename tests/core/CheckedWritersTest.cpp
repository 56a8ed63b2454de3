// Writers that never work from a list the file did not give, and a window that never shows
// state the file no longer has.
#include <functional>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "AppFolder.h"
#include "ClsBD.h"
#include "Printers.h"
#include "RegistryFile.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_Main.h"

namespace {

const QByteArray kHeader = "DB Version: 101\r\n";

QByteArray record(const QByteArray& name, const QByteArray& code, const QByteArray& comment = "") {
    return name + "\r\n" + code + "\r\ns-" + code + "\r\n<COMENTARIO>\r\n" + comment + "\r\n</COMENTARIO>\r\n";
}

const QByteArray kFive = kHeader + record("One", "c1") + record("Two", "c2") + record("Three", "c3") +
                         record("Four", "c4") + record("Five", "c5");

// Answers every box with its default button, gives a name when asked for one, and records the
// boxes' texts.
class Recorder : public Dialogs {
public:
    QStringList texts;
    QString chosen;
    QString InputBox(const QString& prompt, const QString&, const QString&) override {
        texts << "asked: " + prompt;
        return QStringLiteral("Typed name");
    }
    FileChoice ShowOpen(const QString&, const QString&) override { return {chosen, QFileInfo(chosen).fileName()}; }
    FileChoice ShowSave(const QString&, const QString&) override { return {}; }
    void SetClipboard(const QString&) override {}
    void Beep() override { texts << "beep"; }
    void OpenLink(const QString&) override {}
    void StartProgram(const QString&, const QString&, const QString&, Show) override {}
    bool saw(const QString& part) const {
        return std::any_of(texts.begin(), texts.end(), [&](const QString& t) { return t.contains(part); });
    }

protected:
    MsgAnswer showMessage(const MessageBoxSpec& box) override {
        texts << box.text;
        return box.defaultButton;
    }
};

class Folder {
    QTemporaryDir dir_;

public:
    Folder() {
        QDir(dir_.path()).mkdir("Logs");
        write(RegistryFile::FileName,
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0]\r\n"
              "\"MPAccountName\"=\"unstored\"\r\n\"MPAccountNameSig\"=\"sig\"\r\n");
        write("Source.ADF", kHeader + record("Imported", "c-imported"));
        dialogs.chosen = path("Source.ADF");
    }
    QString path(const QString& name) const { return dir_.path() + '/' + name; }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    Frm_Main& main() { return mv.main(); }

    Recorder dialogs;
    RegistryFile registry{path(RegistryFile::FileName)};
    Mod_Variables mv{dir_.path(), dialogs, registry};
};

TEST(CheckedWriters, TheSaveButtonIsDisabledBeforeAnyRuleRan) {
    Folder f;
    EXPECT_FALSE(f.main().Toolbar1.button(3).Enabled);
}

// Start-up that stops before the list holds the whole file, or a file that did not load whole:
// no writer touches the file, and nothing is announced as done.
TEST(CheckedWriters, NothingIsWrittenFromAListTheFileDidNotGive) {
    struct State {
        const char* what;
        std::function<void(Folder&)> make;
        QByteArray database = kFive;
    };
    const State states[] = {
        {"the options file is a folder", [](Folder& f) { QDir(f.path("")).mkdir("Opciones.dat"); }},
        {"the settings store is malformed", [](Folder& f) { f.write(RegistryFile::FileName, "garbage\r\n"); }},
        {"a record in the middle is cut", [](Folder&) {},
         kHeader + record("One", "c1") + "Cut\r\nc-cut\r\ns\r\n<COMENTARIO>\r\n"},
        {"an older database whose conversion fails", [](Folder&) {}, "One\r\nc1\r\ns1\r\nTwo\r\nc2\r\ns2\r\n\r\n"},
    };
    const std::pair<const char*, std::function<void(Folder&)>> writers[] = {
        {"the toolbar's save", [](Folder& f) { f.main().Toolbar1_ButtonClick("SAVE"); }},
        {"the save timer", [](Folder& f) {
             f.main().TiSave_Timer();
             f.main().TiSave_Timer();
         }},
        {"closing the window", [](Folder& f) { f.main().Form_Unload(); }},
        {"import", [](Folder& f) { f.main().Import_Click(); }},
        {"the manual add", [](Folder& f) {
             Frm_Add& add = f.mv.frmAdd();
             add.Show();
             add.TxtNombre.Text = "Added";
             add.TxtCodigo.Text = "c-added";
             add.TxtFirma.Text = "s-added";
             add.CmdAdd_Click();
         }},
        {"a rename, a deletion and a comment of a row that did load", [](Folder& f) {
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
            EXPECT_FALSE(f.dialogs.saw("New Account Found")) << "nothing can be stored";
            EXPECT_FALSE(f.dialogs.saw("asked: ")) << "nothing can be stored";
            act(f);
            EXPECT_EQ(f.read("Accounts.dat"), state.database);
            EXPECT_FALSE(f.dialogs.saw("Accounts imported successfuly"));
            EXPECT_FALSE(f.dialogs.saw("Account added successfully"));
            EXPECT_FALSE(f.main().Toolbar1.button(3).Enabled);
        }
    }
}

// A conversion that fails leaves the file as it was, says so once in plain words, and the next
// start does the same: the good copy in ".old" is never replaced by anything else.
TEST(CheckedWriters, AFailedConversionIsToldOnceAndChangesNothing) {
    const QByteArray older = "One\r\nc1\r\ns1\r\nTwo\r\nc2\r\ns2\r\n\r\n";
    Folder f;
    f.write("Accounts.dat", older);
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        f.dialogs.texts.clear();
        f.main().Form_Load();
        ASSERT_EQ(f.dialogs.texts.size(), 1) << f.dialogs.texts.join("|").toStdString();
        EXPECT_TRUE(f.dialogs.texts[0].startsWith("The database could not be converted from the older format"));
        EXPECT_TRUE(f.dialogs.texts[0].contains(QDir::toNativeSeparators(f.path("Accounts.dat.old"))));
        EXPECT_EQ(f.read("Accounts.dat"), older);
        EXPECT_EQ(f.read("Accounts.dat.old"), older);
    }
}

// After a deletion the comment box shows the comment of the row now selected, so that saving it
// unchanged writes nothing over another account's comment.
TEST(CheckedWriters, TheCommentBoxFollowsEveryReload) {
    AppFolder app;
    app.write("Accounts.dat", kHeader + record("Alpha", "c-a", "about alpha") + record("Bravo", "c-b", "about bravo"));
    app.write("Opciones.dat", "OPC VERSION: 100\r\n1\r\n1\r\n");
    app.setStore("c-b", "s-c-b");
    app.main().Form_Load();
    AccountList& list = app.main().LvAccounts;
    list.select(1);
    ASSERT_EQ(list.selectedRow().name, "Alpha");
    app.main().LvAccounts_Click();
    EXPECT_EQ(app.main().TxtComentarios.Text, "about alpha");
    app.main().Delete_Click();
    ASSERT_EQ(list.selectedRow().name, "Bravo");
    EXPECT_EQ(app.main().TxtComentarios.Text, "about bravo");
    app.main().CmdEdit_Click();
    app.main().CmdSalvaComentarios_Click();
    EXPECT_EQ(app.read("Accounts.dat"), kHeader + record("Bravo", "c-b", "about bravo"));
}

// Backups are files of their own, made when the database differs from the newest one; a
// symbolic link is backed up by what it points to.
TEST(CheckedWriters, BackupsAreRealCopies) {
    AppFolder app;
    const QByteArray first = kHeader + record("Alpha", "c-a");
    app.write("Real.dat", first);
    ASSERT_TRUE(QFile::link(app.path("Real.dat"), app.path("Accounts.dat")));
    app.write("Opciones.dat", "OPC VERSION: 100\r\n1\r\n1\r\n");
    app.setStore("c-a", "s-c-a");
    app.main().Form_Load();
    const auto backups = [&] { return QDir(app.path("Backups")).entryInfoList({"Accounts *.dat"}, QDir::Files, QDir::Name); };

    app.main().LvAccounts_AfterLabelEdit("Renamed");
    app.mv->bd().guardarcambios();
    app.mv->bd().guardarcambios();  // the file as saved is copied before its next rewrite ...
    app.mv->bd().guardarcambios();  // ... and not again while the newest copy holds it
    ASSERT_EQ(backups().size(), 2);
    EXPECT_EQ(app.read("Backups/" + backups()[1].fileName()), app.read("Accounts.dat"));
    EXPECT_FALSE(backups()[0].isSymLink());
    EXPECT_EQ(app.read("Backups/" + backups()[0].fileName()), first);
    EXPECT_TRUE(QFileInfo(app.path("Accounts.dat")).isSymLink()) << "the link is kept, its target replaced";

    Frm_Add& add = app.mv->frmAdd();
    app.dialogs.expect({"Account added successfully. Do you wish to activate the new account?", {}, MsgButtons::YesNo,
                        MsgIcon::Question, MsgAnswer::Yes},
                       MsgAnswer::No);
    add.Show();
    add.TxtNombre.Text = "Appended";
    add.TxtCodigo.Text = "c-p";
    add.TxtFirma.Text = "s-p";
    add.CmdAdd_Click();
    EXPECT_TRUE(app.read("Real.dat").contains("Appended\r\n"));
    EXPECT_EQ(app.read("Backups/" + backups()[0].fileName()), first) << "an append changes no backup";
}

}  // namespace
