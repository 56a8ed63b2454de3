// The real VTR.exe, started as a player starts it, against Wine's registry and the stand-in game.

#include <gtest/gtest.h>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "Printers.h"
#include "RegistryAccess.h"
#include "RegistryWindows.h"
#include "WindowsTestSupport.h"

using namespace testing_windows;

namespace {

constexpr int Generous = 60000;  // Wine starts a Qt program in one to several seconds

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { testing_windows::setUp("CODE-1", "SIG-1"); }
    QString activeCode() {
        return registry.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, "MPAccountName");
    }

    RegistryWindows registry;
};

TEST_F(ProgramTest, CommandLineActivatesTheAccountAndStartsTheGameWithItsServer) {
    Program vtr("/a=code-2 /s=1.2.3.4:2302 /w");
    ASSERT_EQ(vtr.wait(Generous), 0);

    const QStringList run = gameRun(Generous);
    ASSERT_EQ(run.size(), 5) << "the game was not started";
    const QString executable = QDir::toNativeSeparators(gameFolder() + "/EXE/Freelancer.exe");
    EXPECT_EQ(run[0], '"' + executable + "\" -w -s1.2.3.4:2302");
    EXPECT_EQ(run[1], QDir::toNativeSeparators(gameFolder() + "/EXE"));
    EXPECT_EQ(run[2], "code-2");
    EXPECT_EQ(run[3], "sig-2");
    EXPECT_EQ(QDir(appFolder() + "/Logs").entryList(QDir::Files), QStringList()) << "a failure was reported";
}

TEST_F(ProgramTest, UsageBoxIsShownAndChangesNothing) {
    Program vtr("/?");
    const HWND box = vtr.window("Vantor", Generous);
    ASSERT_NE(box, nullptr) << "no usage box";
    PostMessageW(box, WM_CLOSE, 0, 0);
    ASSERT_EQ(vtr.wait(Generous), 0);
    EXPECT_EQ(activeCode(), "CODE-1");
    EXPECT_TRUE(gameRun(0).isEmpty()) << "the game was started";
}

// The window as a player first sees it; the picture is kept beside the tests for a person to look at.
TEST_F(ProgramTest, WindowOpensWithItsCaption) {
    Program vtr("");
    const HWND window = vtr.window("Vantor 1.0", Generous);
    ASSERT_NE(window, nullptr) << "no window captioned \"Vantor 1.0\"";
    Sleep(1500);  // let it paint
    RECT frame{};
    GetWindowRect(window, &frame);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
        0, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    EXPECT_TRUE(shot.save(qEnvironmentVariable("VANTOR_SCREENSHOT", "windows-main-window.png")));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(vtr.wait(Generous), 0);
    EXPECT_EQ(activeCode(), "CODE-1");
}

}  // namespace
