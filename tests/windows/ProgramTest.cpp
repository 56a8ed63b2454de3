// The real VTR.exe, started as a player starts it, against Wine's registry and the stand-in game.

#include <gtest/gtest.h>
#include <QDir>
#include <QList>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "Printers.h"
#include "RegistryAccess.h"
#include "RegistryWindows.h"
#include "WindowsTestSupport.h"

#include <shellapi.h>

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

// What Explorer and shortcuts show of VTR.exe, read back through the API they use: the icon at
// each usual size, the version, and the manifest.
TEST_F(ProgramTest, TheProgramCarriesItsIconVersionAndManifest) {
    const std::wstring exe = QDir::toNativeSeparators(appFolder() + "/VTR.exe").toStdWString();
    EXPECT_EQ(ExtractIconExW(exe.c_str(), -1, nullptr, nullptr, 0), 1u);
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    const auto resource = [&](LPCWSTR type) {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), type);
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        return loaded ? QByteArray(static_cast<const char*>(LockResource(loaded)), int(SizeofResource(module, found)))
                      : QByteArray();
    };
    const QByteArray group = resource(RT_GROUP_ICON);  // a 6-byte header, then 14 bytes an image
    ASSERT_GE(group.size(), 6);
    QList<int> sizes;
    for (int i = 0; i < quint8(group[4]); ++i)
        sizes << (quint8(group[6 + 14 * i]) == 0 ? 256 : quint8(group[6 + 14 * i]));
    EXPECT_EQ(sizes, (QList<int>{16, 24, 32, 48, 64, 256}));
    for (const int size : sizes) {
        HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        BITMAP bitmap{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    const QByteArray manifest = resource(RT_MANIFEST);
    for (const char* part : {"PerMonitorV2", "Microsoft.Windows.Common-Controls", "asInvoker"})
        EXPECT_TRUE(manifest.contains(part)) << part;
    FreeLibrary(module);

    DWORD ignored = 0;
    QByteArray version(int(GetFileVersionInfoSizeW(exe.c_str(), &ignored)), 0);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, DWORD(version.size()), version.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    wchar_t* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(QString("%1.%2.%3")
                  .arg(HIWORD(fixed->dwFileVersionMS))
                  .arg(LOWORD(fixed->dwFileVersionMS))
                  .arg(HIWORD(fixed->dwFileVersionLS)),
              VANTOR_VERSION);
    ASSERT_TRUE(VerQueryValueW(version.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_EQ(QString::fromWCharArray(text), VANTOR_VERSION);
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
