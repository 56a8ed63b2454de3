#pragma once

#include <array>

#include "forms/Controls.h"

class ClsControles;
class Frm_MainControls;
class Mod_Variables;
class Services;

// The shortcut dialog: a desktop shortcut that starts the program in command-line mode for the
// selected account, optionally windowed, connecting to a server, or forcing the activation.
class Frm_ShortCut {
public:
    static inline const QString Name = QStringLiteral("Frm_ShortCut");
    static inline const QString Caption = QStringLiteral("Create a shortcut");

    // Makes a shortcut for the account selected in `main`.
    Frm_ShortCut(Mod_Variables& mv, Services& services, Frm_MainControls& main, ClsControles& controles)
        : mv_(mv), services_(services), main_(main), controles_(controles) {}

    TextBox TxtNombre;
    TextBox TxtPath{QString(), true};
    CommandButton CmdPath{QStringLiteral(". . .")};
    CheckBox ChkWindowed{QStringLiteral("Launch the game in windowed mode (/W)")};
    CheckBox ChkAutoConnect{QStringLiteral("Auto connect to the following server:") + QString(56, QLatin1Char(' ')) +
                            QStringLiteral("(/S)")};
    CheckBox ChkOverwrite{QStringLiteral("Overwrite an active account even if it is not on the VTR DB. (/Y)")};
    // The server's four numbers, then its port.
    std::array<TextBox, 5> TxtIP;
    CommandButton CmdOk{QStringLiteral("Create")};
    CommandButton CmdCancel{QStringLiteral("Exit")};

    bool Visible = false;
    QString FocusedControl;  // "TxtIP(2)" names a box of the address

    // Opens the dialog with its defaults.
    void Show();
    void ChkAutoConnect_Click();
    // The key codes TxtIP_KeyUp knows: the keypad's decimal key and the full stop key.
    static constexpr int KeypadDecimal = 110;
    static constexpr int FullStop = 190;
    void TxtIP_KeyUp(int index, int keyCode);
    void GotFocus(TextBox& box);
    void CmdPath_Click();
    void CmdOk_Click();
    void CmdCancel_Click() { Visible = false; }

    // The shortcut's arguments for the selected account as the boxes stand.
    QString arguments(const QString& code) const;

private:
    // Shows the first failed check and focuses its box; false when all pass.
    bool refused();

    Mod_Variables& mv_;
    Services& services_;
    Frm_MainControls& main_;
    ClsControles& controles_;
};
