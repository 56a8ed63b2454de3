#include "forms/frmAbout.h"

#include "Dialogs.h"
#include "Programa.h"
#include "RunError.h"
#include "forms/Frm_MainControls.h"

#ifdef Q_OS_WIN
#include "SystemInfo.h"
#endif

frmAbout::frmAbout(Dialogs& dialogs, Frm_MainControls& main)
    : lblDescription{QStringLiteral("Program created to manage the user accounts from the game Freelancer.\n"
                                    "Written by the Vantor team.\nIcons drawn by the Vantor team.")},
      lblDisclaimer{QStringLiteral("Warning and stuff...  You are free to distribute it, but please,  dont remove the "
                                   "credits. Also, if you are going to put it for download, please, let me know (and "
                                   "add the credits as a part of the download info). Thanks :)")},
      Label1{"For feedback, send E-Mail to: " + FeedbackAddress,
             QStringLiteral("Click here to send an E-mail to the creator")},
      Label2{"Home: " + Programa::PaginaWeb, QStringLiteral("Click here to open the program's home page")},
      dialogs_(dialogs),
      main_(main) {}

void frmAbout::Show() {
    main_.Enabled = false;
    Form_Load();
    Visible = true;
}

void frmAbout::Form_Load() {
    Caption = "About " + Dialogs::AppTitle;
    lblTitle.Caption = Dialogs::AppTitle;
    lblVersion.Caption = "Version " + Programa::Version;
}

void frmAbout::Form_Unload() {
    main_.Enabled = true;
    Visible = false;
}

void frmAbout::Label1_Click() { dialogs_.OpenLink("mailto:" + FeedbackAddress); }

void frmAbout::Label2_Click() { dialogs_.OpenLink(Programa::PaginaWeb); }

void frmAbout::StartSysInfo() {
#ifdef Q_OS_WIN
    const QString program = QString::fromLocal8Bit(win32::systemInfoPath());
    if (!program.isEmpty()) {
        try {
            dialogs_.StartProgram(program, QString(), QString(), Dialogs::Show::Normal);
            return;
        } catch (const RunError&) {
            // told below, like a missing tool
        }
    }
#endif
    dialogs_.MsgBox(NoSystemInfo);
}
