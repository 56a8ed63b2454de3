// Every operation that writes, under every kind of file system fault: a disk that is or becomes
// full, a write, a sync or the final rename that fails, a target that is a folder, a folder that
// is missing. After each one every file is whole (as it was, or as a successful run leaves it),
// the failure is reported where the operation reports its failures (or, with nowhere to write
// a report, by a beep), nothing is announced as a success, and the same operation started again
// without the fault succeeds.
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <gtest/gtest.h>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include "AppFolder.h"
#include "FaultInjection.h"
#include "FileTexts.h"
#include "Printers.h"
#include "ProgramBoxes.h"
#include "RunError.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_Main.h"
#include "forms/Frm_ShortCut.h"

namespace {

using Box = std::pair<MessageBoxSpec, MsgAnswer>;
using Files = std::map<QString, QByteArray>;  // by path inside the application folder

const QByteArray kDatabase = DatabaseText()
                                 .account("Alpha", "c-a", "s-a", "about alpha\r\n")
                                 .account("bravo", "c-b", "s-b", "\r\n")
                                 .account("Charlie", "c-c", "s-c", "first\r\nsecond\r\n");

// An application folder holding a database of three accounts (bravo active), the options, the
// store and two empty folders for exports and shortcuts. Its dialogs answer the boxes the
// operation lists, in any order, and keep the failure reports for the test to check.
class Folder : public BasicAppFolder<ScriptedDialogs> {
public:
    Folder() : BasicAppFolder(ScriptedDialogs::Order::AnyOrder) {
        write("Accounts.dat", kDatabase);
        write("Opciones.dat", optionsText(0, 0));
        write("GameSettings.reg", storeText("c-b", "s-b", path("Game").toUtf8()));
        write("Game/EXE/Freelancer.exe", "");
        for (const char* folder : {"Logs", "Exports", "Links"})
            mkdir(folder);
        dialogs.name = QString();  // an input box is cancelled unless the operation gives a name
    }

    void know(const std::vector<Box>& boxes) {
        dialogs.forgetExpected();
        for (const auto& [box, answer] : boxes)
            dialogs.expect(box, answer);
    }
    // Every file, those in `folder` alone or else all but the logs and the backups; the
    // folder's own path in them reads "<folder>", so that two folders compare.
    Files files(const QString& folder = {}) const {
        Files result;
        QDirIterator it(path(folder), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString name = QDir(path()).relativeFilePath(it.next());
            if (!folder.isEmpty() || !(name.startsWith("Logs/") || name.startsWith("Backups/"))) {
                QFile file(path(name));
                result[name] = file.open(QIODevice::ReadOnly) ? file.readAll().replace(path().toUtf8(), "<folder>")
                                                              : QByteArray("<unreadable>");
            }
        }
        return result;
    }
};

struct Report {
    QString log;
    QString place;
};

// One operation that writes: how to get the window to it, the operation, what it may ask, and
// where its failures are reported.
struct Writer {
    const char* what;
    std::vector<Report> reports;
    std::function<void(Folder&)> act;
    std::function<void(Folder&)> prepare = [](Folder&) {};
    std::function<std::vector<Box>(const Folder&)> boxes = [](const Folder&) { return std::vector<Box>{}; };
    // The box that only a success shows.
    std::function<QString(const Folder&)> success = [](const Folder&) { return QString(); };
    // Whether the window has loaded before the operation (otherwise the operation is the loading).
    bool loaded = true;
    // A file that, found to be a folder, makes the operation fail, and what that reports when it
    // is not the usual report.
    QString folderTarget = "Accounts.dat";
    std::vector<Report> folderReports = {};
    // The folder whose absence makes the operation fail; empty: the application folder, whose
    // absence leaves nowhere to report (a beep).
    QString missingFolder = {};
    std::vector<Report> missingReports = {};
    // Working copies that a failure may leave behind.
    QStringList workingCopies = {};
};

// Gets the window to the operation, its dialogs ready for what the operation asks.
void setUp(Folder& f, const Writer& w) {
    f.know(w.boxes(f));
    if (w.loaded)
        f.main().Form_Load();
    w.prepare(f);
}

void act(Folder& f, const Writer& w) {
    try {
        w.act(f);
    } catch (const EndProgram&) {
        // the command line ends the program
    }
}

void rename(Folder& f, const QString& newName) {
    // A rename whose save failed is still there, given again by the load: the next save saves it.
    for (const AccountRow& row : f.rows())
        if (row.name == newName)
            return;
    f.select("bravo");
    ASSERT_TRUE(f.main().LvAccounts_AfterLabelEdit(newName));
}

const Box kNewAccountFound{ProgramBoxes::NewAccountFound, MsgAnswer::Yes};
const QString kAdded = ProgramBoxes::AccountAdded.text;
const QString kAddedAsk = ProgramBoxes::AddedActivate.text;
const QString kImported = ProgramBoxes::Imported.text;
const QString kActivated = ProgramBoxes::Activated.text;
const QString kExported = ProgramBoxes::Exported.text;
const Box kExportAll{ProgramBoxes::ExportScope, MsgAnswer::Yes};
const Box kExportOne{ProgramBoxes::ExportScope, MsgAnswer::No};
const Box kExportSuccess{ProgramBoxes::Exported, MsgAnswer::OK};

QString exportedTo(const Folder&) { return kExported; }

std::vector<Writer> writers() {
    const Report save{"ClsBD.log", "ClsBD.guardarcambios"};
    const Report load{"ClsBD.log", "ClsBD.cargarbdallv"};
    std::vector<Writer> w;

    w.push_back(
        {"the toolbar's Save after a rename", {save}, [](Folder& f) { f.main().Toolbar1_ButtonClick("SAVE"); }});
    w.back().prepare = [](Folder& f) { rename(f, "Bravo two"); };
    w.back().folderReports = {save, load};  // the reload after the save finds no database either

    w.push_back({"the save timer after a rename", {save}, [](Folder& f) {
                     f.main().TiSave_Timer();
                     f.main().TiSave_Timer();
                 }});
    w.back().prepare = [](Folder& f) { rename(f, "Bravo two"); };

    w.push_back({"a new active account stored at start-up", {{"ClsMain.log", "ClsPrinc.SetCuentaAct"}}, [](Folder& f) {
                     f.main().Form_Load();
                 }});
    w.back().loaded = false;
    w.back().prepare = [](Folder& f) {
        f.write("GameSettings.reg", storeText("c-new", "s-new", f.path("Game").toUtf8()));
        f.dialogs.name = "Newcomer";
    };
    w.back().boxes = [](const Folder&) { return std::vector<Box>{kNewAccountFound, {ProgramBoxes::AccountAdded, {}}}; };
    w.back().success = [](const Folder&) { return kAdded; };
    w.back().folderReports = {load};  // a database that was not loaded offers nothing to store

    w.push_back({"the manual add dialog", {{"Frm_Add.log", "Add.CmdAdd"}}, [](Folder& f) {
                     f.windows->frmAdd.CmdAdd_Click();
                 }});
    w.back().prepare = [](Folder& f) {
        Frm_Add& add = f.windows->frmAdd;
        add.Show();
        add.TxtNombre.Text = "Delta";
        add.TxtCodigo.Text = "c-d";
        add.TxtFirma.Text = "s-d";
        add.TxtComentarios.Text = "typed\r\nin";
    };
    w.back().boxes = [](const Folder&) { return std::vector<Box>{{ProgramBoxes::AddedActivate, MsgAnswer::No}}; };
    w.back().success = [](const Folder&) { return kAddedAsk; };

    w.push_back({"deletion", {{"Frm_Main.log", "main.delete_click"}}, [](Folder& f) { f.main().Delete_Click(); }});
    w.back().prepare = [](Folder& f) { f.select("Charlie"); };
    w.back().boxes = [](const Folder&) {
        return std::vector<Box>{{ProgramBoxes::DeleteAccount("c-c"), MsgAnswer::Yes}};
    };

    w.push_back({"saving an edited comment", {{"Frm_Main.log", "main.cmdsalvacomentarios_click"}}, [](Folder& f) {
                     f.main().CmdSalvaComentarios_Click();
                 }});
    w.back().prepare = [](Folder& f) {
        f.select("Charlie");
        f.main().LvAccounts_Click();
        f.main().CmdEdit_Click();
        f.main().TxtComentarios.Text = "edited\r\ncomment";
    };

    w.push_back({"import", {{"ClsBD.log", "ClsBD.importar"}}, [](Folder& f) { f.main().Import_Click(); }});
    w.back().prepare = [](Folder& f) {
        f.write("source.ADF", DatabaseText().account("Delta", "c-d", "s-d", "imported\r\n"));
        f.dialogs.chosen = f.path("source.ADF");
    };
    w.back().boxes = [](const Folder&) { return std::vector<Box>{{ProgramBoxes::Imported, {}}}; };
    w.back().success = [](const Folder&) { return kImported; };
    w.back().folderReports = {{"ClsBD.log", "ClsBD.importar"}, load};  // the reload after it finds no database
    w.back().workingCopies = {"Accounts.dat.Aux"};                     // the next import replaces it

    w.push_back({"conversion of an older database at start-up",
                 {{"ClsConvertirDBVieja.log", "ClsDBConv.ConvDBdesde100"}},
                 [](Folder& f) { f.main().Form_Load(); }});
    w.back().loaded = false;
    w.back().prepare = [](Folder& f) { f.write("Accounts.dat", "Alpha\r\nc-a\r\ns-a\r\nbravo\r\nc-b\r\ns-b\r\n"); };
    const auto converted = [](const Folder& f) {
        return ProgramBoxes::Converted(QDir::toNativeSeparators(f.path())).text;
    };
    w.back().boxes = [converted](const Folder& f) {
        // Without the conversion the active account is not among the (no) accounts loaded.
        return std::vector<Box>{{{converted(f)}, {}}, {kNewAccountFound.first, MsgAnswer::No}};
    };
    w.back().success = converted;
    w.back().folderTarget = "Accounts.dat.old";

    w.push_back({"an option box", {{"Frm_Main.log", "main_chkactivation_click"}}, [](Folder& f) {
                     f.main().ChkActivation_Click();
                 }});
    w.back().prepare = [](Folder& f) { f.main().ChkActivation.Value = 1; };
    w.back().folderTarget = "Opciones.dat";

    w.push_back({"activating an account", {{"Frm_Main.log", "main.lvaccounts_dblclick"}}, [](Folder& f) {
                     f.main().LvAccounts_DblClick();
                 }});
    w.back().prepare = [](Folder& f) { f.select("Alpha"); };
    w.back().boxes = [](const Folder&) {
        return std::vector<Box>{{ProgramBoxes::ConfirmActivation, MsgAnswer::Yes}, {ProgramBoxes::Activated, {}}};
    };
    w.back().success = [](const Folder&) { return kActivated; };
    w.back().folderTarget = "GameSettings.reg";

    w.push_back({"activating from the command line", {{"Frm_Main.log", "main.form_load"}}, [](Folder& f) {
                     f.main().Form_Load();
                 }});
    w.back().loaded = false;
    w.back().prepare = [](Folder& f) { f.mv->Command = "/a=c-a /y"; };
    w.back().folderTarget = "GameSettings.reg";

    w.push_back({"export of all accounts to a data file", {{"Frm_Main.log", "main.export_click"}}, [](Folder& f) {
                     f.main().Export_Click();
                 }});
    w.back().prepare = [](Folder& f) { f.dialogs.chosen = f.path("Exports/All.ADF"); };
    w.back().boxes = [](const Folder&) { return std::vector<Box>{kExportAll, kExportSuccess}; };
    w.back().success = exportedTo;
    w.back().folderTarget = "Exports/All.ADF";
    w.back().missingFolder = "Exports";

    w.push_back({"export of the selected account to a data file",
                 {{"Frm_Main.log", "main.export_click"}},
                 [](Folder& f) { f.main().Export_Click(); }});
    w.back().prepare = [](Folder& f) {
        f.select("Alpha");
        f.dialogs.chosen = f.path("Exports/One.ADF");
    };
    w.back().boxes = [](const Folder&) { return std::vector<Box>{kExportOne, kExportSuccess}; };
    w.back().success = exportedTo;
    w.back().folderTarget = "Exports/One.ADF";
    w.back().missingFolder = "Exports";

    w.push_back({"export of the selected account to a registry script",
                 {{"ClsReg.log", "ClsReg.CrearReg"}},
                 [](Folder& f) { f.main().Export_Click(); }});
    w.back().prepare = [](Folder& f) {
        f.select("Alpha");
        f.dialogs.chosen = f.path("Exports/One.reg");
    };
    w.back().boxes = [](const Folder&) {
        return std::vector<Box>{kExportOne, {ProgramBoxes::ExportNoComments, MsgAnswer::Yes}, kExportSuccess};
    };
    w.back().success = exportedTo;
    w.back().folderTarget = "Exports/One.reg";
    w.back().missingFolder = "Exports";

    w.push_back({"export of all accounts to registry scripts", {{"ClsReg.log", "ClsReg.CrearReg"}}, [](Folder& f) {
                     f.main().Export_Click();
                 }});
    w.back().prepare = [](Folder& f) { f.dialogs.chosen = f.path("Exports/All.reg"); };
    w.back().boxes = [](const Folder&) {
        // a second attempt finds the scripts the first one wrote
        return std::vector<Box>{kExportAll,
                                {ProgramBoxes::ExportToFolder, MsgAnswer::Yes},
                                {ProgramBoxes::ExportFolderOverwrite, MsgAnswer::Yes},
                                kExportSuccess};
    };
    w.back().success = exportedTo;
    w.back().folderTarget = "Exports/All/Charlie.reg";
    w.back().missingFolder = "Exports";
    w.back().missingReports = {{"Frm_Main.log", "main.export_click"}};  // the scripts' folder cannot be made

    w.push_back({"a desktop shortcut", {{"Frm_ShortCut.log", "Shct.cmdok_click"}}, [](Folder& f) {
                     f.windows->frmShortCut.CmdOk_Click();
                 }});
    w.back().prepare = [](Folder& f) {
        f.select("Alpha");
        f.windows->frmShortCut.Show();
        f.windows->frmShortCut.TxtNombre.Text = "Alpha";
        f.windows->frmShortCut.TxtPath.Text = f.path("Links/");
    };
    const auto shortcutMade = [](const Folder& f) { return "Shortcut Alpha Created at " + f.path("Links/"); };
    w.back().boxes = [shortcutMade](const Folder& f) {
        return std::vector<Box>{{{shortcutMade(f), "", MsgButtons::OK, MsgIcon::Exclamation}, {}}};
    };
    w.back().success = shortcutMade;
    w.back().folderTarget = "Links/Alpha.desktop";
    w.back().missingFolder = "Links";

    for (Writer& writer : w)
        for (auto& box : {&writer.folderReports, &writer.missingReports})
            if (box->empty())
                *box = writer.reports;
    return w;
}

struct Fault {
    const char* name;
    enum Kind {
        DiskFull,
        DiskFullLogsToo,
        FailingWrite,
        FailingSync,
        FailingCommit,
        TargetIsFolder,
        MissingFolder
    } kind;
    enum Point { FirstByte, HalfWay, LastByte } point = FirstByte;
};

// The file system that makes the fault, sized after what the operation wrote without it.
FaultInjection::Plan plan(const Fault& fault, const Folder& f, const FaultInjection::Counts& clean) {
    FaultInjection::Plan plan{f.path(), f.path("Logs")};
    switch (fault.kind) {
    case Fault::DiskFullLogsToo:
        plan.spared.clear();
        [[fallthrough]];
    case Fault::DiskFull:
        plan.spaceLeft = fault.point == Fault::FirstByte ? 0
                         : fault.point == Fault::HalfWay ? clean.bytes / 2
                                                         : clean.bytes - 1;
        break;
    case Fault::FailingWrite:
        plan.failing = FaultInjection::Call::Write;
        plan.failOn = clean.writes;  // the last one
        break;
    case Fault::FailingSync:
        plan.failing = FaultInjection::Call::Sync;
        plan.failOn = 1;
        plan.failAfter = true;
        break;
    case Fault::FailingCommit:
        plan.failing = FaultInjection::Call::Commit;
        plan.failOn = clean.commits;  // the last one
        break;
    default:
        break;
    }
    return plan;
}

// Whether a fault of this kind can happen to the operation at all.
bool applies(const Fault& fault, const FaultInjection::Counts& clean) {
    switch (fault.kind) {
    case Fault::DiskFull:
    case Fault::DiskFullLogsToo:
        return fault.point == Fault::FirstByte || clean.bytes > 1;
    case Fault::FailingWrite:
        return clean.writes > 0;
    case Fault::FailingSync:
        return clean.syncs > 0;
    case Fault::FailingCommit:
        return clean.commits > 0;
    default:
        return true;
    }
}

// The reports expected from a fault.
std::vector<Report> expectedReports(const Fault& fault, const Writer& w) {
    switch (fault.kind) {
    case Fault::TargetIsFolder:
        return w.folderReports;
    case Fault::MissingFolder:
        return w.missingReports;
    default:
        return w.reports;
    }
}

// Whether a fault leaves somewhere to write a report.
bool logsWritable(const Fault& fault, const Writer& w) {
    return fault.kind != Fault::DiskFullLogsToo && !(fault.kind == Fault::MissingFolder && w.missingFolder.isEmpty());
}

// A safety copy that could not be made is reported on its own, once, and stops nothing.
const QString kSafetyNet = QStringLiteral("(the safety copy was not made; the work goes on without it)");
const QString kSafetyLog = QStringLiteral("ClsRespaldos.log");

QString reportedLog(const MessageBoxSpec& report) {
    static const QRegularExpression where(QStringLiteral("It can be found at (.*)\r\n\r\nPlease report"));
    return QDir::fromNativeSeparators(where.match(report.text).captured(1));
}

void PrintTo(const Fault& fault, std::ostream* os) { *os << fault.name; }

class WriterFaultTest : public ::testing::TestWithParam<Fault> {};

TEST_P(WriterFaultTest, LeavesWholeFilesReportsAndTheNextAttemptSucceeds) {
    const Fault& fault = GetParam();
    for (const Writer& w : writers()) {
        SCOPED_TRACE(w.what);

        // The same operation without a fault: what it writes, and what it leaves.
        Folder clean;
        setUp(clean, w);
        FaultInjection::arm({clean.path(), clean.path("Logs")});
        act(clean, w);
        const FaultInjection::Counts counts = FaultInjection::disarm();
        ASSERT_GT(counts.writes, 0) << "the file system calls are not intercepted";
        ASSERT_TRUE(clean.dialogs.reports().empty()) << clean.dialogs.reports().front();
        if (!w.success(clean).isEmpty()) {
            ASSERT_TRUE(clean.dialogs.showed(w.success(clean)));
        }
        const Files done = clean.files();
        if (!applies(fault, counts))
            continue;

        Folder f;
        setUp(f, w);
        const Files before = f.files();
        const Files logsBefore = f.files("Logs");
        f.dialogs.clear();

        const QString target = fault.kind == Fault::TargetIsFolder  ? f.path(w.folderTarget)
                               : fault.kind == Fault::MissingFolder ? f.path(w.missingFolder)
                                                                    : QString();
        const QString moved = target + ".moved";
        QByteArray targetBytes;
        if (fault.kind == Fault::TargetIsFolder) {
            QFile file(target);
            if (file.open(QIODevice::ReadOnly))
                targetBytes = file.readAll();
            file.remove();
            ASSERT_TRUE(QDir().mkpath(target));
        }
        if (fault.kind == Fault::MissingFolder) {
            ASSERT_TRUE(QDir().rename(target, moved));
        }
        FaultInjection::arm(plan(fault, f, counts));
        act(f, w);
        FaultInjection::disarm();
        if (fault.kind == Fault::TargetIsFolder) {
            ASSERT_TRUE(QDir().rmdir(target));
            if (before.count(w.folderTarget))
                f.write(w.folderTarget, targetBytes);
        }
        if (fault.kind == Fault::MissingFolder) {
            ASSERT_TRUE(QDir().rename(moved, target));
        }

        // Reported where the operation reports, and not as a success; shown even when the report
        // cannot be written.
        const std::vector<Report> expected = expectedReports(fault, w);
        std::vector<MessageBoxSpec> reports;
        for (const MessageBoxSpec& report : f.dialogs.reports())
            if (!report.text.contains(kSafetyNet))
                reports.push_back(report);
        if (!w.success(f).isEmpty()) {
            EXPECT_FALSE(f.dialogs.showed(w.success(f))) << "a failure shown as a success";
        }
        EXPECT_EQ(f.dialogs.beeps, 0);
        if (logsWritable(fault, w)) {
            QStringList logs, wanted;
            for (const MessageBoxSpec& report : reports) {
                const QString log = QFileInfo(reportedLog(report)).fileName();
                if (logs.isEmpty() || logs.last() != log)
                    logs << log;
                EXPECT_TRUE(report.text.contains(QDir::toNativeSeparators(f.path())))
                    << "the report names the file: " << report;
            }
            for (const Report& r : expected) {
                if (wanted.isEmpty() || wanted.last() != r.log)
                    wanted << r.log;
                const Files logFiles = f.files("Logs");
                const auto log = logFiles.find("Logs/" + r.log);
                EXPECT_TRUE(log != logFiles.end() && log->second.contains("\r\n       " + r.place.toUtf8() + "\r\n"))
                    << r.log.toStdString() << " names " << r.place.toStdString();
            }
            EXPECT_EQ(logs, wanted);
            wanted.removeDuplicates();
            wanted.sort();
            QStringList written = QDir(f.path("Logs")).entryList(QDir::Files, QDir::Name);
            written.removeOne(kSafetyLog);
            EXPECT_EQ(written, wanted) << "reported nowhere else";
        } else {
            // Each failure is still shown; what follows the failure (a reload) may fail as well.
            EXPECT_GE(reports.size(), expected.size()) << "each failure is still shown";
            for (const MessageBoxSpec& report : reports)
                EXPECT_TRUE(report.text.contains("No error report could be written")) << report;
            EXPECT_EQ(f.files("Logs"), logsBefore) << "a log written in part";
        }

        // Every file is whole: as it was, or as the operation leaves it when it succeeds.
        const Files after = f.files();
        std::set<QString> names;
        for (const Files* files : {&before, &after, &done})
            for (const auto& [name, bytes] : *files)
                names.insert(name);
        for (const QString& name : names) {
            const auto at = [&](const Files& files) {
                const auto it = files.find(name);
                return it == files.end() ? QByteArray("<missing>") : it->second;
            };
            // A working copy the operation makes may stay, if it is a whole copy of a file.
            const bool copy = w.workingCopies.contains(name) &&
                              std::any_of(before.begin(), before.end(),
                                          [&](const auto& file) { return file.second == at(after); });
            EXPECT_TRUE(at(after) == at(before) || at(after) == at(done) || copy)
                << name.toStdString() << " is " << ::testing::PrintToString(at(after)) << ", was "
                << ::testing::PrintToString(at(before)) << ", or would be " << ::testing::PrintToString(at(done));
        }

        // The program goes on: the same operation, started again from the files, succeeds.
        f.dialogs.clear();
        setUp(f, w);
        act(f, w);
        EXPECT_TRUE(f.dialogs.reports().empty()) << f.dialogs.reports().front();
        if (!w.success(f).isEmpty()) {
            EXPECT_TRUE(f.dialogs.showed(w.success(f))) << "the next attempt succeeds";
        }
        EXPECT_EQ(f.files(), done);
        EXPECT_EQ(f.rows(), clean.rows());
    }
}

// A safety net that cannot be made (the backups' folder is a file) stops no writer: each one
// does exactly what it does without the fault, and the missing copy is reported once.
TEST(EveryWriterWithoutBackups, DoesItsWorkAndReportsTheCopyOnce) {
    for (const Writer& w : writers()) {
        SCOPED_TRACE(w.what);
        Folder clean;
        setUp(clean, w);
        act(clean, w);
        const Files done = clean.files();

        Folder f;
        f.write("Backups", "a file where the folder should be");
        setUp(f, w);
        act(f, w);
        const std::vector<MessageBoxSpec> reports = f.dialogs.reports();
        EXPECT_LE(reports.size(), 1u);
        for (const MessageBoxSpec& report : reports)
            EXPECT_TRUE(report.text.contains(kSafetyNet)) << report;
        if (!w.success(f).isEmpty()) {
            EXPECT_TRUE(f.dialogs.showed(w.success(f)));
        }
        Files after = f.files();
        after.erase("Backups");
        EXPECT_EQ(after, done);
        EXPECT_EQ(f.rows(), clean.rows());
    }
}

const Fault kFaults[] = {
    {"DiskFull", Fault::DiskFull, Fault::FirstByte},
    {"DiskFillsHalfWay", Fault::DiskFull, Fault::HalfWay},
    {"DiskFillsAtTheLastByte", Fault::DiskFull, Fault::LastByte},
    {"DiskFullForTheLogsToo", Fault::DiskFullLogsToo, Fault::HalfWay},
    {"LastWriteFails", Fault::FailingWrite},
    {"SyncFails", Fault::FailingSync},
    {"PuttingTheFileInPlaceFails", Fault::FailingCommit},
    {"TargetIsAFolder", Fault::TargetIsFolder},
    {"FolderIsMissing", Fault::MissingFolder},
};

INSTANTIATE_TEST_SUITE_P(EveryWriter, WriterFaultTest, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

}  // namespace
