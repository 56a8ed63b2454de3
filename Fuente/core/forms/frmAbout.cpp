#include "forms/frmAbout.h"

#include "Dialogs.h"
#include "Mod_Variables.h"
#include "Programa.h"
#include "RunError.h"
#include "forms/Frm_Main.h"

#ifdef Q_OS_WIN
#include "SystemInfo.h"
#endif

frmAbout::frmAbout(Mod_Variables& mv)
    : lblDescription{QStringLiteral("Program created to manage the user accounts from the game Freelancer.\n"
                                    "Written by the Vantor team.\nIcons drawn by the Vantor team.")},
      lblDisclaimer{QStringLiteral("Warning and stuff...  You are free to distribute it, but please,  dont remove the "
                                   "credits. Also, if you are going to put it for download, please, let me know (and "
                                   "add the credits as a part of the download info). Thanks :)")},
      Label1{"For feedback, send E-Mail to: " + FeedbackAddress,
             QStringLiteral("Click here to send an E-mail to the creator")},
      Label2{"Home: " + Programa::PaginaWeb, QStringLiteral("Click here to open the program's home page")},
      mv_(mv) {}

void frmAbout::Show() {
    mv_.main().Enabled = false;
    Form_Load();
    Visible = true;
}

void frmAbout::Form_Load() {
    Caption = "About " + Dialogs::AppTitle;
    lblTitle.Caption = Dialogs::AppTitle;
    lblVersion.Caption = "Version " + Programa::Version;
}

void frmAbout::Form_Unload() {
    mv_.main().Enabled = true;
    Visible = false;
}

void frmAbout::Label1_Click() { mv_.dialogs.OpenLink("mailto:" + FeedbackAddress); }

void frmAbout::Label2_Click() { mv_.dialogs.OpenLink(Programa::PaginaWeb); }

void frmAbout::StartSysInfo() {
#ifdef Q_OS_WIN
    const QString program = QString::fromLocal8Bit(win32::systemInfoPath());
    if (!program.isEmpty()) {
        try {
            mv_.dialogs.StartProgram(program, QString(), QString(), Dialogs::Show::Normal);
            return;
        } catch (const RunError&) {
            // told below, like a missing tool
        }
    }
#endif
    mv_.dialogs.MsgBox(NoSystemInfo);
}
