#include "forms/Frm_Add.h"

#include "ClsBD.h"
#include "ClsControlErrores.h"
#include "ClsPrincipal.h"
#include "Clsvalidacion.h"
#include "DatabaseFile.h"
#include "DatabaseFormat.h"
#include "Dialogs.h"
#include "Services.h"
#include "TextWriter.h"
#include "forms/Frm_MainControls.h"

void Frm_Add::Show() {
    TxtNombre = TxtCodigo = TxtFirma = TxtComentarios = TextBox{};
    FocusedControl = QStringLiteral("TxtNombre");
    Visible = true;
    main_.Enabled = false;
}

void Frm_Add::CmdCancel_Click() { Form_Unload(); }

void Frm_Add::Form_Unload() {
    Visible = false;
    main_.Enabled = true;
}

bool Frm_Add::refused() {
    const QString duplicated = QStringLiteral("Duplicated entry");
    if (services_.validacion.NomDuplic(TxtNombre.Text)) {
        services_.dialogs.MsgBox(QStringLiteral("An account with that name already exists"), MsgButtons::OK,
                                 MsgIcon::None, duplicated);
    } else if (TxtNombre.Text.isEmpty()) {
        services_.dialogs.MsgBox(QStringLiteral("Insert a name"));
        FocusedControl = QStringLiteral("TxtNombre");
    } else if (TxtCodigo.Text.isEmpty()) {
        services_.dialogs.MsgBox(QStringLiteral("Insert the account code"));
        FocusedControl = QStringLiteral("TxtCodigo");
    } else if (TxtFirma.Text.isEmpty()) {
        services_.dialogs.MsgBox(QStringLiteral("Accounts without signature can't be added"), MsgButtons::OK,
                                 MsgIcon::Critical);
    } else if (services_.validacion.CuentaDupl(TxtCodigo.Text)) {
        services_.dialogs.MsgBox(QStringLiteral("This account already exists"), MsgButtons::OK, MsgIcon::None,
                                 duplicated);
    } else {
        // What the database file cannot hold is refused here, before anything is written.
        const std::pair<QString, QString> problems[] = {
            {QStringLiteral("TxtNombre"), Clsvalidacion::Inguardable(QStringLiteral("The name"), TxtNombre.Text)},
            {QStringLiteral("TxtCodigo"), Clsvalidacion::Inguardable(QStringLiteral("The code"), TxtCodigo.Text)},
            {QStringLiteral("TxtFirma"), Clsvalidacion::Inguardable(QStringLiteral("The signature"), TxtFirma.Text)},
            {QStringLiteral("TxtComentarios"), Clsvalidacion::InguardableComentario(TxtComentarios.Text)},
        };
        for (const auto& [control, problem] : problems) {
            if (problem.isEmpty())
                continue;
            services_.dialogs.MsgBox(problem, MsgButtons::OK, MsgIcon::Exclamation);
            FocusedControl = control;
            return true;
        }
        return false;
    }
    return true;
}

void Frm_Add::CmdAdd_Click() {
    services_.errores.guard(Name + ".log", QStringLiteral("Add.CmdAdd"), [this] {
        if (refused())
            return;
        DatabaseFile::Change change;
        change.write = [this](TextWriter& file) {
            DatabaseFormat::escribirRegistro(file, TxtNombre.Text, TxtCodigo.Text, TxtFirma.Text, TxtComentarios.Text);
        };
        // Another copy of the program may have stored the code, or the name, meanwhile.
        change.reapply = [this] {
            return !services_.validacion.CuentaDupl(TxtCodigo.Text) && !services_.validacion.NomDuplic(TxtNombre.Text);
        };
        change.refused = "The account \"" + TxtNombre.Text + "\" was not added";
        if (!services_.bd.anexar(change))
            return;

        AccountList& list = main_.LvAccounts;
        list.setSorted(false);
        list.add(1, {TxtNombre.Text, TxtCodigo.Text, TxtFirma.Text});
        list.setSorted(true);

        const MsgAnswer activate = services_.dialogs.MsgBox(
            QStringLiteral("Account added successfully. Do you wish to activate the new account?"), MsgButtons::YesNo,
            MsgIcon::Question);
        if (activate == MsgAnswer::Yes) {
            services_.principal.EscribirActiva(TxtCodigo.Text, TxtFirma.Text);
            services_.dialogs.MsgBox(QStringLiteral("Account activated"), MsgButtons::OK, MsgIcon::Information);
        }
        CmdCancel_Click();
        main_.Form_Load();
    });
}
