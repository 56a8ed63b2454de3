#pragma once

#include <functional>

#include "ClsControlErrores.h"
#include "forms/Frm_MainControls.h"

class ClsControles;
class Frm_Add;
class Frm_ShortCut;
class Mod_Variables;
class Services;
class frmAbout;

// The main window without pixels: its controls as plain values and its event handlers.
class Frm_Main : public Frm_MainControls {
public:
    static inline const QString Name = QStringLiteral("Frm_Main");
    static inline const QString Caption = QStringLiteral("Vantor 1.0");

    // The window opens `frmAdd`, `frmShortCut` and `about`; `controles` keeps its controls in step.
    Frm_Main(Mod_Variables& mv, Services& services, Frm_Add& frmAdd, Frm_ShortCut& frmShortCut, frmAbout& about,
             ClsControles& controles);

    // Saves the database shortly after a rename: the first tick arms, the second saves.
    Timer TiSave{100, false};

    // True only while start-up copies the options into the two check boxes.
    bool Cargando = false;
    // The comment as it was when editing began.
    QString ComentarioPrevio;
    QString FocusedControl;

    // Shows the Accounts menu as a pop-up at the mouse and returns once the person has chosen
    // (and the entry's command has run) or dismissed it. Set by the view.
    std::function<void()> PopupAccountsMenu;

    // Start-up: log folder, game path, database path, options, the database, then either the
    // command line (activate, start the game, end the program) or the active account.
    // Safe to run again; running it again is how the window refreshes.
    void Form_Load() override;
    // The window is closing: a rename not saved yet (or whose save failed) is saved now.
    void Form_Unload();

    void TiSave_Timer();

    // Menus and toolbar.
    void Scan_Click() { Form_Load(); }
    void Delete_Click();
    void MnuAdd_Click();
    void Launch_Click();
    void LaunchW_Click();
    // Merges an account data file into the database, then reloads everything, whatever the
    // merge did.
    void Import_Click();
    // Writes all accounts or the selected one to an account data file or to registry scripts.
    void Export_Click();
    // The shortcut dialog, modal.
    void Shortcut_Click();
    // The About dialog, while this window is disabled.
    void About_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void Toolbar1_ButtonMenuClick(const QString& key);

    // The account list. The view selects the row before it calls these.
    void LvAccounts_DblClick();
    void LvAccounts_Click();
    void LvAccounts_KeyUp() { LvAccounts_Click(); }
    void LvAccounts_ColumnClick(int column);
    // The selected row was renamed in place; false when the new name is refused.
    bool LvAccounts_AfterLabelEdit(const QString& newName);

    void LblName_DblClick() { copyToClipboard(LblName.Caption); }
    void LblCode_DblClick() { copyToClipboard(LblCode.Caption); }
    void LblSignature_DblClick() { copyToClipboard(LblSignature.Caption); }

    // Comment editing.
    void CmdEdit_Click();
    void CmdCancelar_Click();
    void CmdSalvaComentarios_Click();

    // The view sets the box's new value before it calls these.
    void ChkActivation_Click();
    void ChkDeletion_Click();

private:
    // Runs a handler, reporting its failure to this window's log (see ClsControlErrores::guard).
    template <class Handler>
    auto guard(const QString& place, Handler&& handler) {
        return errores().guard(Name + ".log", place, std::forward<Handler>(handler));
    }
    ClsControlErrores& errores();
    void showOptions();
    void runCommandLine();
    void showActiveAccount();
    void copyToClipboard(const QString& text);
    void optionClicked(CheckBox& box, int index);
    // Leaves comment editing: the box read-only again, everything else usable.
    void endEditing();

    Mod_Variables& mv_;
    Services& services_;
    Frm_Add& frmAdd_;
    Frm_ShortCut& frmShortCut_;
    frmAbout& about_;
    ClsControles& controles_;
    bool tiSaveArmed_ = false;
};
