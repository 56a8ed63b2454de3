// The main window's account list: activation, deletion, renaming, sorting, comments, copying.
#include "ClsBD.h"
#include "ClsPrincipal.h"
#include "Clsvalidacion.h"
#include "DatabaseFile.h"
#include "Dialogs.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "TextWriter.h"
#include "forms/ClsControles.h"
#include "forms/Frm_Main.h"

void Frm_Main::LvAccounts_DblClick() {
    guard(QStringLiteral("main.lvaccounts_dblclick"), [this] {
        if (LvAccounts.count() == 0)
            return;
        const bool ask = mv_.Opciones[0] == 0;
        if (LblName.ForeColor == Colores::Red) {
            if (services_.dialogs.MsgBox(
                    QStringLiteral("Warning! The currently active account is not in the database. If "
                                   "you activate an account now, the active one will be lost. Continue?"),
                    MsgButtons::YesNo, MsgIcon::Critical, QStringLiteral("Danger!")) != MsgAnswer::Yes)
                return;
        } else if (ask &&
                   services_.dialogs.MsgBox(
                       QStringLiteral("Are you sure that you want to activate the selected account?"),
                       MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Account Activation")) != MsgAnswer::Yes) {
            return;
        }
        const AccountRow row = LvAccounts.selectedRow();
        services_.principal.EscribirActiva(row.code, row.signature);
        if (ask)
            services_.dialogs.MsgBox(QStringLiteral("Account activated"));
        Form_Load();
    });
}

void Frm_Main::Delete_Click() {
    guard(QStringLiteral("main.delete_click"), [this] {
        if (LvAccounts.count() == 0)
            return;
        const QString code = LvAccounts.selectedRow().code;
        if (mv_.Opciones[1] == 0 &&
            services_.dialogs.MsgBox({"Are you sure you want to delete the account " + code + "?",
                                      QStringLiteral("Delete"), MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No}) !=
                MsgAnswer::Yes)
            return;
        // The database is written from the list without the row; the list is loaded from it again.
        const AccountRow deleted = LvAccounts.selectedRow();
        DatabaseFile::Change change;
        change.keepBak = true;
        change.refused = "The account " + code + " was not deleted";
        change.write = [&](TextWriter& file) {
            const int position = services_.bd.buscarFila(deleted);
            for (int i = 1; i <= LvAccounts.count(); ++i)
                if (i != position)
                    services_.bd.writeStored(file, i);
        };
        change.reapply = [&] { return services_.bd.buscarFila(deleted) != 0; };
        if (!services_.bd.reescribir(change))
            return;
        services_.bd.cargarbdallv();
        if (!services_.principal.BuscYselAccounts(mv_.CuentaActiva)) {
            LblName.ForeColor = Colores::Red;
            LblName.Caption = ClsPrincipal::NotStored;
        }
    });
}

bool Frm_Main::LvAccounts_AfterLabelEdit(const QString& newName) {
    return guard(QStringLiteral("Main.Lvaccounts.Afterlabeledit"), [&] {
        if (services_.validacion.NomDuplic(newName)) {
            services_.dialogs.MsgBox(QStringLiteral("The name you have entered already exists"));
            return false;
        }
        const QString problem = Clsvalidacion::Inguardable(QStringLiteral("The name"), newName);
        if (!problem.isEmpty()) {
            services_.dialogs.MsgBox(problem, MsgButtons::OK, MsgIcon::Exclamation);
            return false;
        }
        TiSave.Enabled = true;
        CmdEdit.Enabled = false;
        services_.bd.renombrar(LvAccounts.selected(), newName);
        return true;
    });
}

void Frm_Main::LvAccounts_Click() {
    guard(QStringLiteral("Main.Lvaccounts_click"), [this] {
        if (LvAccounts.count() > 0)
            TxtComentarios.Text = services_.bd.traercomentario(LvAccounts.selectedRow().code);
    });
}

void Frm_Main::LvAccounts_ColumnClick(int column) {
    guard(QStringLiteral("main.lvaccounts_columnclick"), [&] {
        if (LvAccounts.count() == 0)
            return;
        controles_.QIH(LvAccounts);
        const bool ascending = LvAccounts.sortOrder() == AccountList::Order::Descending;
        LvAccounts.sortBy(column, ascending ? AccountList::Order::Ascending : AccountList::Order::Descending);
        LvAccounts.setHeaderIcon(column, ascending ? AccountList::AscendingMark : AccountList::DescendingMark);
    });
}

void Frm_Main::copyToClipboard(const QString& text) {
    services_.dialogs.SetClipboard(text);
    services_.dialogs.Beep();
}
