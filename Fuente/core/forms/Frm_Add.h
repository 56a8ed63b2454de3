#pragma once

#include "forms/Controls.h"

class Frm_MainControls;
class Services;

// The manual add dialog: an account typed in by hand, stored and, if the person wishes,
// activated. It is shown without waiting while the main window is disabled.
class Frm_Add {
public:
    static inline const QString Name = QStringLiteral("Frm_Add");
    static inline const QString Caption = QStringLiteral("New Account...");

    // Shown while `main` is disabled; `main` is loaded again once an account was added.
    Frm_Add(Services& services, Frm_MainControls& main) : services_(services), main_(main) {}

    TextBox TxtNombre;
    TextBox TxtCodigo;
    TextBox TxtFirma;
    TextBox TxtComentarios;
    CommandButton CmdAdd{QStringLiteral("Add")};
    CommandButton CmdCancel{QStringLiteral("Cancel")};

    bool Visible = false;
    QString FocusedControl;

    // Opens the dialog empty and disables the main window.
    void Show();
    void CmdAdd_Click();
    void CmdCancel_Click();
    // However the dialog is closed, the main window is enabled again.
    void Form_Unload();

private:
    // The first check that fails, with its message shown; false when all pass.
    bool refused();

    Services& services_;
    Frm_MainControls& main_;
};
