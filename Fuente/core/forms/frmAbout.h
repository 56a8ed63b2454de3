#pragma once

#include "forms/Controls.h"

class Dialogs;
class Frm_MainControls;

// The About dialog: title, version, description, the feedback and home page links, and the
// system information tool. Shown without waiting while the main window is disabled.
class frmAbout {
public:
    static inline const QString Name = QStringLiteral("frmAbout");
    static inline const QString FeedbackAddress = QStringLiteral("feedback@vantor.example.org");
    static inline const QString NoSystemInfo = QStringLiteral(
        "La informaci\u00F3n del sistema no est\u00E1 disponible en este momento");

    // Shown while `main` is disabled.
    frmAbout(Dialogs& dialogs, Frm_MainControls& main);

    QString Caption;
    Label lblTitle;
    Label lblVersion;
    Label lblDescription;
    Label lblDisclaimer;
    Label Label1;  // the feedback link
    Label Label2;  // the home page link
    CommandButton CmdOk{QStringLiteral("Ok")};
    CommandButton cmdSysInfo{QStringLiteral("System Info...")};

    bool Visible = false;

    // Disables the main window, then shows the dialog.
    void Show();
    void CmdOk_Click() { Form_Unload(); }
    // However the dialog is closed, the main window is enabled again.
    void Form_Unload();
    void cmdSysInfo_Click() { StartSysInfo(); }
    void Label1_Click();
    void Label2_Click();
    void StartSysInfo();

private:
    void Form_Load();

    Dialogs& dialogs_;
    Frm_MainControls& main_;
};
