// The main window's transfers: importing an account data file, exporting to account data files
// and registry scripts.
#include <QSet>
#include <vector>

#include "ClsBD.h"
#include "ClsRegistro.h"
#include "Clsvalidacion.h"
#include "Dialogs.h"
#include "FileSystem.h"
#include "DatabaseFormat.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "TextWriter.h"
#include "VbText.h"
#include "forms/Frm_Main.h"

namespace {

const QString kExportTitle = QStringLiteral("Export");

bool ask(Dialogs& dialogs, const QString& text, MsgIcon icon, const QString& title = {}) {
    return dialogs.MsgBox(text, MsgButtons::YesNo, icon, title) == MsgAnswer::Yes;
}

bool mayOverwrite(Dialogs& dialogs, const QString& fileName) {
    return !FileSystem::fileExists(fileName) ||
           ask(dialogs, QStringLiteral("The file already exists. Overwrite?"), MsgIcon::Question);
}

// The kind of file a chosen name asks for: its last three characters, upper-cased.
QString kindOf(const QString& fileName) { return VbText::ucase(fileName.right(3)); }

// A name that is neither an account data file nor a registry script: nothing is written.
void tellNothingWritten(Dialogs& dialogs) {
    dialogs.MsgBox(QStringLiteral("Nothing was exported: the file name must end in .ADF or .reg."), MsgButtons::OK,
                   MsgIcon::Exclamation, kExportTitle);
}

// One script per account, in a folder named after the chosen name without its extension.
bool exportFolder(Services& services, const AccountList& list, const QString& fileName) {
    if (!ask(services.dialogs,
             QStringLiteral("The name you entered will be used as a folder name. A file per every account will be "
                            "created on that folder. The comments can't be saved. Continue?"),
             MsgIcon::Exclamation, kExportTitle))
        return false;
    const QString folder = fileName.left(qMax<qsizetype>(0, fileName.size() - 4));
    // Each account its own file: names that come out the same once the forbidden characters are
    // gone (in any letter case, as most file systems compare them) get " (2)", " (3)", ...
    std::vector<QString> paths;
    paths.reserve(std::size_t(list.count()));
    QSet<QString> taken;
    for (int i = 1; i <= list.count(); ++i) {
        const QString base = Clsvalidacion::CharProhib(list.row(i).name);
        QString name = base;
        for (int n = 2; taken.contains(name.toLower()); ++n)
            name = base + QStringLiteral(" (%1)").arg(n);
        taken.insert(name.toLower());
        paths.push_back(folder + QLatin1Char('/') + name + QStringLiteral(".reg"));
    }

    if (FileSystem::folderExists(folder)) {
        for (const QString& path : paths) {
            if (FileSystem::fileExists(path)) {
                if (!ask(services.dialogs,
                         QStringLiteral("The destination folder Contains some files with the same name as the ones "
                                        "you are going to export. Overwrite?"),
                         MsgIcon::Question))
                    return false;
                break;
            }
        }
    } else {
        FileSystem::createFolder(folder);
    }
    // A script that cannot be written is reported by the writer; the others are still written,
    // but the export is not called successful.
    bool allWritten = true;
    for (int i = 1; i <= list.count(); ++i)
        allWritten &= services.registro.CrearReg(paths[std::size_t(i - 1)], list.row(i).code, list.row(i).signature);
    return allWritten;
}

bool exportAll(Services& services, const QString& rutaBD, const AccountList& list, const QString& fileName) {
    const QString kind = kindOf(fileName);
    if (kind == QLatin1String("REG"))
        return exportFolder(services, list, fileName);
    if (kind == QLatin1String("ADF")) {
        if (!mayOverwrite(services.dialogs, fileName))
            return false;
        // The database as it is on disk.
        FileSystem::copyFile(rutaBD, fileName);
        return true;
    }
    tellNothingWritten(services.dialogs);
    return false;
}

bool exportSelected(Services& services, const AccountList& list, const QString& comment, const QString& fileName) {
    if (!mayOverwrite(services.dialogs, fileName))
        return false;
    const QString kind = kindOf(fileName);
    if (kind == QLatin1String("REG")) {
        if (!ask(services.dialogs, QStringLiteral("The comments cannot be saved using this file format. Continue?"),
                 MsgIcon::Exclamation, kExportTitle))
            return false;
        const AccountRow& row = list.selectedRow();
        return services.registro.CrearReg(fileName, row.code, row.signature);
    }
    if (kind == QLatin1String("ADF")) {
        // The comment as the comment box shows it, edits not saved yet included.
        const AccountRow& row = list.selectedRow();
        TextWriter file(fileName, TextWriter::Mode::Rewrite);
        DatabaseFormat::escribirversion(file);
        DatabaseFormat::escribirRegistro(file, row.name, row.code, row.signature, comment);
        file.close();
        return true;
    }
    tellNothingWritten(services.dialogs);
    return false;
}

}  // namespace

void Frm_Main::Import_Click() {
    services_.bd.importar();
    Form_Load();
}

void Frm_Main::Export_Click() {
    guard(QStringLiteral("main.export_click"), [this] {
        const FileChoice choice = services_.dialogs.ShowSave(
            QStringLiteral("VTR Data File(*.ADF)|*.ADF|Windows Registry files(*.reg)|*.reg"), QString());
        if (choice.fileName.isEmpty())
            return;
        const bool all = ask(services_.dialogs,
                             QStringLiteral("Do you wish to export all the accounts?\r\nYes = Export all\r\n"
                                            "No = Export only the selected one"),
                             MsgIcon::Question, kExportTitle);
        const bool written = all ? exportAll(services_, mv_.RutaBD, LvAccounts, choice.fileName)
                                 : exportSelected(services_, LvAccounts, TxtComentarios.Text, choice.fileName);
        if (written)
            services_.dialogs.MsgBox(QStringLiteral("Export Successful"), MsgButtons::OK, MsgIcon::Information,
                                     QStringLiteral(":)"));
    });
}
