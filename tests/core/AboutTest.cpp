#include <gtest/gtest.h>

#include "AppFolder.h"
#include "Printers.h"
#include "forms/frmAbout.h"

namespace {

TEST(About, ShowsTheProgramAndGivesTheMainWindowBackHoweverItCloses) {
    AppFolder app;
    frmAbout& about = app.mv->about();
    app.main().Toolbar1_ButtonClick("about");
    EXPECT_TRUE(about.Visible);
    EXPECT_FALSE(app.main().Enabled);
    EXPECT_EQ(about.Caption, "About Vantor");
    EXPECT_EQ(about.lblTitle.Caption, "Vantor");
    EXPECT_EQ(about.lblVersion.Caption, "Version 1.0.0");

    about.Label1_Click();
    about.Label2_Click();
    EXPECT_EQ(app.dialogs.links, (QStringList{"mailto:feedback@vantor.example.org", "https://vantor.example.org"}));
#ifndef Q_OS_WIN
    app.dialogs.expect({"La informaci\u00F3n del sistema no est\u00E1 disponible en este momento"});
    about.cmdSysInfo_Click();
#endif
    about.CmdOk_Click();
    EXPECT_FALSE(about.Visible);
    EXPECT_TRUE(app.main().Enabled);

    app.main().About_Click();
    about.Form_Unload();
    EXPECT_TRUE(app.main().Enabled);
}

}  // namespace
