#pragma once

#include "AccountList.h"
#include "forms/Controls.h"

// The main window's controls, as its dialogs and ClsControles reach them, and its refresh.
class Frm_MainControls {
public:
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

    // Loads everything again, as the window's refresh does.
    virtual void Form_Load() = 0;

protected:
    explicit Frm_MainControls(AccountList& accounts) : LvAccounts(accounts) {}
    ~Frm_MainControls() = default;
};
