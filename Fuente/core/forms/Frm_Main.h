#pragma once

#include "AccountList.h"
#include "forms/Controls.h"

class Mod_Variables;

// The main window without pixels: its controls as plain values and its event handlers.
class Frm_Main {
public:
    static inline const QString Name = QStringLiteral("Frm_Main");
    static inline const QString Caption = QStringLiteral("Vantor 1.0");

    explicit Frm_Main(Mod_Variables& mv);

    Toolbar<10> Toolbar1{{{
        {QStringLiteral("launch"), QStringLiteral("Launch Freelancer"), QStringLiteral("Opens the game")},
        {QString(), QString(), QString(), true},
        {QStringLiteral("SAVE"), QStringLiteral("Save Changes"), QStringLiteral("Saves the changes if account is renamed")},
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
    AccountList LvAccounts;
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

    // Start-up: log folder, game path, database path, options, the database, the active account.
    // Safe to run again; running it again is how the window refreshes.
    void Form_Load();

    void TiSave_Timer();

private:
    void showOptions();

    Mod_Variables& mv_;
    bool tiSaveArmed_ = false;
};
