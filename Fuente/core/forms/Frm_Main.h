#pragma once

#include <functional>

#include "AccountList.h"
#include "ClsControlErrores.h"
#include "forms/Controls.h"

class Mod_Variables;

// The main window without pixels: its controls as plain values and its event handlers.
class Frm_Main {
public:
    static inline const QString Name = QStringLiteral("Frm_Main");
    static inline const QString Caption = QStringLiteral("Vantor 1.0");

    explicit Frm_Main(Mod_Variables& mv);

    bool Enabled = true;

    MenuItem Accounts{QStringLiteral("&Accounts")};
    MenuItem Scan{QStringLiteral("&Scan registry for a new account"), QStringLiteral("F2")};
    MenuItem Delete{QStringLiteral("&Delete selected"), QStringLiteral("F3")};
    MenuItem rrwerw{QStringLiteral("-")};
    MenuItem MnuAdd{QStringLiteral("&Manually Add account")};
    MenuItem Import{QStringLiteral("&Import from file..."), QStringLiteral("F8")};
    MenuItem Export{QStringLiteral("&Export to file..."), QStringLiteral("F6")};
    MenuItem Game{QStringLiteral("&Game")};
    MenuItem Launch{QStringLiteral("Launch &Freelancer"), QStringLiteral("F4")};
    MenuItem LaunchW{QStringLiteral("Launch FL on Windowed mode"), QStringLiteral("Shift+F4")};
    MenuItem Tools{QStringLiteral("&Tools")};
    MenuItem Shortcut{QStringLiteral("Create a &Shorcut with the selected account. . .")};
    MenuItem Help{QStringLiteral("&Help")};
    MenuItem About{QStringLiteral("&About"), QStringLiteral("F1")};

    Toolbar<10> Toolbar1{{{
        {QStringLiteral("launch"), QStringLiteral("Launch Freelancer"), QStringLiteral("Opens the game")},
        {QString(), QString(), QString(), true},
        // Never enabled: a rename is saved by TiSave, and a list that is not the file's must not be.
        {QStringLiteral("SAVE"), QStringLiteral("Save Changes"),
         QStringLiteral("Saves the changes if account is renamed"), false, false},
        {QStringLiteral("delete"), QStringLiteral("Delete selected"),
         QStringLiteral("Deletes the selected account from the VTR database")},
        {QString(), QString(), QString(), true},
        {QStringLiteral("scan"), QStringLiteral("Scan"), QStringLiteral("Scans registry for new account")},
        {QStringLiteral("import"), QStringLiteral("Import"),
         QStringLiteral("Imports accounts from a previously saved account file")},
        {QStringLiteral("export"), QStringLiteral("Export"), QStringLiteral("Saves the VTR database to a file")},
        {QString(), QString(), QString(), true},
        {QStringLiteral("about"), QStringLiteral("About"), QStringLiteral("About the program")},
    }}};
    static inline const QString WindowedEntryKey = QStringLiteral("WINDOWED");

    // The program's account list (Mod_Variables::Accounts), shown here.
    AccountList& LvAccounts;
    TextBox TxtComentarios{QString(), true};
    CommandButton CmdEdit{QStringLiteral("Edit comments")};
    CommandButton CmdSalvaComentarios{QStringLiteral("Save"), false};
    CommandButton CmdCancelar{QStringLiteral("Cancel"), false};
    CheckBox ChkActivation{QStringLiteral("Do not ask for confirmation on account activation")};
    CheckBox ChkDeletion{QStringLiteral("Do not ask for confirmation on account deletion")};
    Label LblName{QStringLiteral("<Name>"), QStringLiteral("Double click here to copy the name to the clipboard")};
    Label LblCode{QStringLiteral("<Code>"), QStringLiteral("Double click here to copy the code to the clipboard")};
    Label LblSignature{QStringLiteral("<Sig>"),
                       QStringLiteral("Double click here to copy the signature to the clipboard")};

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
    void Form_Load();
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
    bool tiSaveArmed_ = false;
};
