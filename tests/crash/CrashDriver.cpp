// One copy of the program in the hands of a person, driven through the window's handlers with
// fixed answers, for tests that kill it or run two of it on one application folder. Its writes go
// through a slow device (at most 64 KiB a write, each after 1 ms), so that a kill often lands
// inside one.
//
//   crash_driver <folder>                reads steps from its input, says "done" after each
//   crash_driver <folder> <n> <step>...  does the steps in turn, n times (0: until it is killed)
//   crash_driver <folder> hold           takes the database's lock, says "held" and waits
//
// It says "ready" once the database is loaded. A step is fields separated by tabs:
//   rename <name> <new name>      renames and lets the save timer save
//   delete <name> | sort          deletes the account | sorts the list by name
//   comment <name> <text>         edits the account's comment and saves it
//   import <file> [wait]          imports an account data file
//   add <name> <code> <signature> adds an account through the manual add dialog
//   store <code> <name> [wait]    the game's active account becomes <code>; a refresh offers to
//                                 store it, and it is stored as <name>
//   close                         closes the window and ends
// With "wait" the driver says "asked" at the step's first box or question, and answers it after
// a line of input. It answers Yes to every question but the offer to activate an added account,
// writes every box to its standard error ("box: <text>") and ends at a failure report.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <QDir>
#include <QLockFile>

#include "AppFolder.h"
#include "DatabaseFile.h"
#include "ScriptedDialogs.h"
#include "FaultInjection.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "RegistryFile.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_Main.h"
#include "forms/WindowModels.h"

namespace {

[[noreturn]] void fail(const QString& what) {
    std::fprintf(stderr, "crash_driver: %s\n", qPrintable(what));
    std::exit(2);
}

void say(const char* word) {
    std::printf("%s\n", word);
    std::fflush(stdout);
}

class Answers : public DefaultDialogs {
public:
    QString typed;  // the name given when asked for one; none cancels
    bool wait = false;

    QString InputBox(const QString&, const QString&, const QString&) override { return pause(), typed; }
    FileChoice ShowSave(const QString&, const QString&) override { fail("asked for a file to save"); }
    void Beep() override { fail("a failure that could not be reported"); }

protected:
    MsgAnswer showMessage(const MessageBoxSpec& box) override {
        if (box.title == ReportTitle)
            fail(box.text);
        std::fprintf(stderr, "box: %s\n", qPrintable(box.text));
        pause();
        if (box.buttons == MsgButtons::OK)
            return MsgAnswer::OK;
        return box.text.startsWith("Account added successfully") ? MsgAnswer::No : MsgAnswer::Yes;
    }

private:
    void pause() {
        if (!std::exchange(wait, false))
            return;
        say("asked");
        std::string line;
        std::getline(std::cin, line);
    }
};

void step(Mod_Variables& mv, Services& sv, WindowModels& windows, Answers& answers, const QStringList& fields) {
    Frm_Main& main = windows.main;
    const QString& what = fields.value(0);
    answers.wait = fields.last() == "wait";
    if (QStringList{"rename", "delete", "comment"}.contains(what) && !selectName(main.LvAccounts, fields.value(1)))
        fail("no account " + fields.value(1));
    if (what == "rename") {
        if (!main.LvAccounts_AfterLabelEdit(fields.value(2)))
            fail("the rename was refused");
        main.TiSave_Timer();
        main.TiSave_Timer();
    } else if (what == "delete") {
        main.Delete_Click();
    } else if (what == "sort") {
        main.LvAccounts.sortBy(0, AccountList::Order::Ascending);
    } else if (what == "comment") {
        main.LvAccounts_Click();
        main.CmdEdit_Click();
        main.TxtComentarios.Text = fields.value(2);
        main.CmdSalvaComentarios_Click();
    } else if (what == "import") {
        answers.chosen = QDir(mv.App).absoluteFilePath(fields.value(1));
        main.Import_Click();
    } else if (what == "add") {
        Frm_Add& add = windows.frmAdd;
        add.Show();
        add.TxtNombre.Text = fields.value(1);
        add.TxtCodigo.Text = fields.value(2);
        add.TxtFirma.Text = fields.value(3);
        add.CmdAdd_Click();
    } else if (what == "store") {
        sv.registry.WriteValues(RegistryAccess::CurrentUser, RegistryAccess::GameKey,
                                {{"MPAccountName", fields.value(1)}, {"MPAccountNameSig", "sig-" + fields.value(1)}});
        answers.typed = fields.value(2);
        main.Form_Load();  // the question of the name comes after the box that offers to store it
        answers.typed.clear();
    } else if (what == "close") {
        main.Form_Unload();
    } else {
        fail("unknown step " + what);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2)
        fail("usage: crash_driver <folder> [hold | <rounds> <step>...]");
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (argc == 3 && QByteArray(argv[2]) == "hold") {
        QLockFile lock(folder + "/Accounts.dat" + DatabaseFile::LockSuffix);
        if (!lock.tryLock(10000))
            fail("the lock is held");
        say("held");
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
    }
    FaultInjection::Plan slow{folder, folder + "/Logs"};
    slow.slowChunk = 64 * 1024;
    slow.slowMicroseconds = 1000;
    FaultInjection::arm(slow);
    Answers answers;
    RegistryFile registry(folder + '/' + RegistryFile::FileName);
    Mod_Variables mv(folder);
    Services sv(mv, answers, registry);
    WindowModels windows(mv, sv);
    windows.main.Form_Load();
    say("ready");
    if (argc > 3) {
        const int rounds = std::atoi(argv[2]);
        for (int i = 0; rounds == 0 || i < rounds * (argc - 3); ++i)
            step(mv, sv, windows, answers, QString::fromLocal8Bit(argv[3 + i % (argc - 3)]).split('\t'));
    } else {
        for (std::string line; std::getline(std::cin, line);) {
            const QStringList fields = QString::fromStdString(line).split('\t');
            step(mv, sv, windows, answers, fields);
            say("done");
            if (fields.value(0) == "close")
                break;
        }
    }
    FaultInjection::disarm();
    return 0;
}
