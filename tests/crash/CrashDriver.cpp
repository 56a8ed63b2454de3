// Runs one of the window's operations over and over on an application folder, through the same
// handlers the window calls, with fixed answers to its questions, so that a test can kill it at
// any moment. Each operation takes the database from one of two states to the other:
//
//   save    renames the first account ("Account 00000" <-> "Account 00000 renamed") and saves
//   import  imports the account "Zeta" from Zeta.ADF, or deletes it when it is stored
//   delete  deletes "Zeta", or adds it again through the manual add dialog
//
// Usage: crash_driver <save|import|delete> <folder> [rounds]. Without rounds it goes on until it
// is killed. It prints "ready" once the database is loaded. Writes go through a slow device (at
// most 64 KiB a write, each after 1 ms) so that a kill often lands inside one.
//
// crash_driver steps <folder> is one copy of the program in the hands of a person: it loads, says
// "ready", then reads one step a line from its input (fields separated by tabs), does it through
// the window's handlers and says "done":
//
//   rename <name> <new name>      renames in place and lets the save timer save
//   delete <name>                 deletes the account
//   comment <name> <text>         edits the account's comment and saves it
//   import <file> [wait]          imports an account data file; with "wait", the driver says
//                                 "asked" at the first box the import shows and answers it after
//                                 one more line of input
//   add <name> <code> <signature> adds an account through the manual add dialog
//   store <code> <name> [wait]    the game's active account becomes <code>; a refresh offers to
//                                 store it and it is stored as <name>; with "wait", the driver
//                                 says "asked" when the name is asked and answers after one more
//                                 line of input, as a person who takes a while to type
//   close                         closes the window (a rename not saved yet is saved) and ends
//
// crash_driver hold <folder> takes the database's lock file, says "held" and waits to be killed.
//
// Every box the driver answers is written to its standard error, as "box: <text>".
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <utility>
#include <QDir>
#include <QLockFile>
#include <QString>
#include <QStringList>

#include "AppFolder.h"
#include "DatabaseFile.h"
#include "DefaultDialogs.h"
#include "FaultInjection.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "RegistryAccess.h"
#include "RegistryFile.h"
#include "RunError.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_Main.h"
#include "forms/WindowModels.h"

namespace {

const QString kFirst = QStringLiteral("Account 00000");
const QString kRenamed = QStringLiteral("Account 00000 renamed");
const QString kZeta = QStringLiteral("Zeta");

[[noreturn]] void fail(const QString& what) {
    std::fprintf(stderr, "crash_driver: %s\n", qPrintable(what));
    std::exit(2);
}

// Yes to every question but the offer to activate an added account; any failure report ends
// the driver, since the runs that are not killed must succeed.
class Answers : public DefaultDialogs {
public:
    explicit Answers(const QString& source) { chosen = source; }

    // The name to give when asked for one (none: the question is cancelled, when `cancel`), and
    // whether to wait for a line of input first.
    QString typed;
    bool wait = false;
    bool cancel = false;
    // Whether to wait for a line of input before the next message box is answered.
    bool waitAtBox = false;

    QString InputBox(const QString& prompt, const QString&, const QString&) override {
        if (typed.isEmpty() && !cancel)
            fail("asked: " + prompt);
        if (wait)
            waitForInput();
        return typed;
    }
    FileChoice ShowSave(const QString&, const QString&) override { fail(QStringLiteral("asked for a file to save")); }
    void Beep() override { fail(QStringLiteral("a failure that could not be reported")); }

private:
    static void waitForInput() {
        std::printf("asked\n");
        std::fflush(stdout);
        std::string line;
        std::getline(std::cin, line);
    }

protected:
    MsgAnswer showMessage(const MessageBoxSpec& box) override {
        if (box.title == ReportTitle)
            fail(box.text);
        std::fprintf(stderr, "box: %s\n", qPrintable(box.text));
        if (std::exchange(waitAtBox, false))
            waitForInput();
        if (box.buttons == MsgButtons::OK)
            return MsgAnswer::OK;
        return box.text.startsWith(QLatin1String("Account added successfully")) ? MsgAnswer::No : MsgAnswer::Yes;
    }
};

void deleteZeta(Frm_Main& main) {
    selectName(main.LvAccounts, kZeta);
    main.Delete_Click();
}

void round(WindowModels& windows, const QString& mode) {
    Frm_Main& main = windows.main;
    const bool zeta = selectName(main.LvAccounts, kZeta);
    if (mode == QLatin1String("save")) {
        const bool first = selectName(main.LvAccounts, kFirst);
        if (!first && !selectName(main.LvAccounts, kRenamed))
            fail(QStringLiteral("no first account"));
        if (!main.LvAccounts_AfterLabelEdit(first ? kRenamed : kFirst))
            fail(QStringLiteral("the rename was refused"));
        main.Toolbar1_ButtonClick(QStringLiteral("SAVE"));  // saves and loads again
    } else if (mode == QLatin1String("import")) {
        if (zeta) {
            deleteZeta(main);
            // The deletion reloads the list in file order; the window shows it sorted by name,
            // and the import writes the stored accounts in the window's order.
            main.LvAccounts.sortBy(0, AccountList::Order::Ascending);
        } else {
            main.Import_Click();  // imports and loads again
        }
    } else if (mode == QLatin1String("delete")) {
        if (zeta) {
            deleteZeta(main);
        } else {
            Frm_Add& add = windows.frmAdd;
            add.Show();
            add.TxtNombre.Text = kZeta;
            add.TxtCodigo.Text = QStringLiteral("code-zeta");
            add.TxtFirma.Text = QStringLiteral("sig-zeta");
            add.CmdAdd_Click();  // appends and loads again
        }
    } else {
        fail("unknown operation " + mode);
    }
}

void step(const QString& folder, Services& sv, WindowModels& windows, Answers& answers, const QStringList& fields) {
    Frm_Main& main = windows.main;
    const QString& what = fields.value(0);
    const auto need = [&](const QString& name) {
        if (!selectName(main.LvAccounts, name))
            fail("no account " + name);
    };
    if (what == QLatin1String("rename")) {
        need(fields.value(1));
        if (!main.LvAccounts_AfterLabelEdit(fields.value(2)))
            fail(QStringLiteral("the rename was refused"));
        main.TiSave_Timer();
        main.TiSave_Timer();
    } else if (what == QLatin1String("delete")) {
        need(fields.value(1));
        main.Delete_Click();
    } else if (what == QLatin1String("comment")) {
        need(fields.value(1));
        main.LvAccounts_Click();
        main.CmdEdit_Click();
        main.TxtComentarios.Text = fields.value(2);
        main.CmdSalvaComentarios_Click();
    } else if (what == QLatin1String("import")) {
        answers.chosen = QDir(folder).absoluteFilePath(fields.value(1));
        answers.waitAtBox = fields.value(2) == QLatin1String("wait");
        main.Import_Click();
    } else if (what == QLatin1String("add")) {
        Frm_Add& add = windows.frmAdd;
        add.Show();
        add.TxtNombre.Text = fields.value(1);
        add.TxtCodigo.Text = fields.value(2);
        add.TxtFirma.Text = fields.value(3);
        add.CmdAdd_Click();
    } else if (what == QLatin1String("store")) {
        sv.registry.WriteValues(RegistryAccess::CurrentUser, RegistryAccess::GameKey,
                                {{QStringLiteral("MPAccountName"), fields.value(1)},
                                 {QStringLiteral("MPAccountNameSig"), "sig-" + fields.value(1)}});
        answers.typed = fields.value(2);
        answers.wait = fields.value(3) == QLatin1String("wait");
        main.Form_Load();
        answers.typed.clear();
    } else if (what == QLatin1String("close")) {
        main.Form_Unload();
    } else {
        fail("unknown step " + what);
    }
}

void steps(const QString& folder, Services& sv, WindowModels& windows, Answers& answers) {
    for (std::string line; std::getline(std::cin, line);) {
        const QStringList fields = QString::fromStdString(line).split(QLatin1Char('\t'));
        step(folder, sv, windows, answers, fields);
        std::printf("done\n");
        std::fflush(stdout);
        if (fields.value(0) == QLatin1String("close"))
            return;
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3)
        fail(QStringLiteral("usage: crash_driver <save|import|delete> <folder> [rounds]"));
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 0;
    if (mode == QLatin1String("hold")) {
        QLockFile lock(folder + QStringLiteral("/Accounts.dat") + DatabaseFile::LockSuffix);
        if (!lock.tryLock(10000))
            fail(QStringLiteral("the lock is held"));
        std::printf("held\n");
        std::fflush(stdout);
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
    }

    FaultInjection::Plan slow{folder, folder + QStringLiteral("/Logs")};
    slow.slowChunk = 64 * 1024;
    slow.slowMicroseconds = 1000;
    FaultInjection::arm(slow);

    Answers dialogs(folder + QStringLiteral("/Zeta.ADF"));
    RegistryFile registry(folder + '/' + RegistryFile::FileName);
    Mod_Variables mv(folder);
    Services sv(mv, dialogs, registry);
    WindowModels windows(mv, sv);
    windows.main.Form_Load();
    std::printf("ready\n");
    std::fflush(stdout);
    dialogs.cancel = mode == QLatin1String("steps");  // a person may decline to store an account
    if (mode == QLatin1String("steps"))
        steps(folder, sv, windows, dialogs);
    else
        for (int i = 0; rounds == 0 || i < rounds; ++i)
            round(windows, mode);
    FaultInjection::disarm();
    return 0;
}
