// The Windows program under Wine, set up by scripts/test-windows.sh: its window models in this process on Windows' own
// registry, shell and files, and the real VTR.exe (VANTOR_APP is its folder) started as a player starts it, with a
// stand-in game in the game's folder (AppPath).

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <utility>

#include "FileSystem.h"
#include "FileTexts.h"
#include "FrmMainView.h"
#include "Mod_Variables.h"
#include "Printers.h"
#include "Program.h"
#include "RegistryWindows.h"
#include "RunError.h"
#include "ScriptedDialogs.h"
#include "Services.h"
#include "ShortcutFile.h"
#include "Win32Test.h"
#include "forms/WindowModels.h"

#include <shellapi.h>

using namespace testing_win32;

// The entry of this program's import table through which the program calls FlushFileBuffers.
extern "C" BOOL(WINAPI* __imp_FlushFileBuffers)(HANDLE);

namespace {

constexpr int Generous = 60000;  // Wine starts a Qt program in one to several seconds

QString appFolder() { return QDir::fromNativeSeparators(qEnvironmentVariable("VANTOR_APP")); }
QString native(const QString& path) { return QDir::toNativeSeparators(path); }

// Each test starts with the program's own files removed, a database of two accounts, Main (CODE-1, SIG-1, the active
// one) and Alt "quoted" (code-2, sig-2), and no record of a game run.
class WindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Accounts.dat.bak", "Accounts.dat.old", "Opciones.dat", "Logs", "Backups"})
            QDir(appFolder() + '/' + name).removeRecursively(), QFile::remove(appFolder() + '/' + name);
        QFile::remove(gameRecord());
        FileSystem::replaceFile(appFolder() + "/Accounts.dat",
                                DatabaseText()
                                    .account("Main", "CODE-1", "SIG-1", "\r\n")
                                    .account("Alt \"quoted\"", "code-2", "sig-2", "Trader\r\n"));
        registry.WriteValues(RegistryAccess::CurrentUser, RegistryAccess::GameKey,
                             {{"MPAccountName", "CODE-1"}, {"MPAccountNameSig", "SIG-1"}});
    }
    QString store(quint32 root, const char* name) { return registry.ReadValue(root, RegistryAccess::GameKey, name); }
    QString gameFolder() { return QDir::fromNativeSeparators(store(RegistryAccess::LocalMachine, "AppPath")); }
    QString gameRecord() { return gameFolder() + "/EXE/recorded.txt"; }
    // Nothing went wrong: the program logged no failure.
    void TearDown() override {
        EXPECT_EQ(QDir(appFolder() + "/Logs").entryList(QDir::Files), QStringList()) << "a failure was reported";
    }

    RegistryWindows registry;
    ScriptedDialogs dialogs;
    Mod_Variables mv{appFolder()};
    Services sv{mv, dialogs, registry};
    WindowModels windows{mv, sv};
};

// The window shows the active account from the registry, fits the screen, and a deletion replaces the database file
// (Windows replaces no file that a program holds open).
TEST_F(WindowsTest, WindowShowsTheActiveAccountAndADeletionReplacesTheDatabase) {
    FrmMainView view(windows, sv.errores);
    windows.main.Form_Load();
    view.render();
    view.show();
    EXPECT_EQ(view.findChild<QLabel*>("LblCode")->text(), "CODE-1");
    auto* client = view.findChild<QScrollArea*>();
    EXPECT_FALSE(client->horizontalScrollBar()->isVisible() || client->verticalScrollBar()->isVisible());

    dialogs.expect({"Are you sure you want to delete the account CODE-1?", "Delete", MsgButtons::YesNo,
                    MsgIcon::Question, MsgAnswer::No},
                   MsgAnswer::Yes);
    windows.main.Delete_Click();
    EXPECT_EQ(FileSystem::readFile(appFolder() + "/Accounts.dat"),
              DatabaseText().account("Alt \"quoted\"", "code-2", "sig-2", "Trader\r\n").bytes());
}

// VTR.exe as a player starts it. Its usage box, and its window as a player first sees it (its picture kept beside the
// tests for a person to look at), closed, leave the account and the game alone; with an account and a server it
// activates the account and starts the game, which reads what the game reads (command line, working folder, code,
// signature and its folder).
TEST_F(WindowsTest, ProgramShowsItsBoxOrWindowOrStartsTheGame) {
    const QString exe = native(gameFolder() + "/EXE");
    const struct {
        QString arguments;
        const wchar_t* window;  // the caption of the window that comes up, closed by the test
        QString code;
        QStringList gameRun;
    } cases[] = {{"/?", L"Vantor", "CODE-1", {}},
                 {"", L"Vantor 1.0", "CODE-1", {}},
                 {"/a=code-2 /s=1.2.3.4:2302 /w",
                  nullptr,
                  "code-2",
                  {'"' + exe + "\\Freelancer.exe\" -w -s1.2.3.4:2302", exe, "code-2", "sig-2", native(gameFolder())}}};
    for (const auto& c : cases) {
        Program vtr(appFolder() + "/VTR.exe", c.arguments.split(' ', Qt::SkipEmptyParts));
        HWND shown = nullptr;
        if (c.window) {
            ASSERT_TRUE(
                waitFor(Generous, [&] { return (shown = FindWindowW(nullptr, c.window)) && IsWindowVisible(shown); }))
                << "no window captioned " << c.window;
            Sleep(1500);  // let it paint
            RECT frame{};
            GetWindowRect(shown, &frame);
            QGuiApplication::primaryScreen()
                ->grabWindow(0, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top)
                .save(qEnvironmentVariable("VANTOR_SCREENSHOT", "windows-main-window.png"));
            PostMessageW(shown, WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(vtr.wait(Generous), 0) << vtr.errors();
        EXPECT_EQ(store(RegistryAccess::CurrentUser, "MPAccountName"), c.code);
        std::string record;
        waitFor(c.gameRun.isEmpty() ? 0 : Generous,
                [&] { return !(record = readBytes(native(gameRecord()).toStdWString())).empty(); });
        EXPECT_EQ(QString::fromLocal8Bit(record.c_str()).split('\n', Qt::SkipEmptyParts), c.gameRun)
            << c.arguments.toStdString();
    }
}

// What the registry refuses (a key name over 255 characters) is reported, not passed over.
TEST(RegistryWindows, ReportsWhatTheRegistryRefuses) {
    RegistryWindows registry;
    const QString key = "Software\\" + QString(300, 'k');
    EXPECT_THROW(registry.WriteValue(RegistryAccess::CurrentUser, key, "Value", "x"), RunError);
    EXPECT_THROW(registry.ReadValue(RegistryAccess::CurrentUser, key, "Value"), RunError);
}

// A shortcut is a .lnk that starts the program with the arguments given, in drive C.
TEST(ShortcutFile, IsALinkThatStartsTheProgramWithItsArguments) {
    QTemporaryDir desktop;
    const QString path = ShortcutFile::write(desktop.path(), "Play Main", appFolder() + "/VTR.exe", "/A=CODE-1 /W", {});
    EXPECT_EQ(path, desktop.path() + "/Play Main.lnk");
    EXPECT_EQ(readLink(native(path).toStdWString()),
              (Link{native(appFolder() + "/VTR.exe").toStdWString(), L"/A=CODE-1 /W", L"C:\\"}));
}

// Stands in for FlushFileBuffers: counts the calls and, when told to, fails as a device that cannot keep the bytes.
int flushes = 0;
bool deviceFails = false;
BOOL(WINAPI* systemFlush)(HANDLE) = nullptr;
BOOL WINAPI flushFileBuffers(HANDLE file) {
    ++flushes;
    return deviceFails ? (SetLastError(ERROR_CRC), FALSE) : systemFlush(file);
}

// Every write of a file gets its bytes onto the device before it counts: a device that cannot keep them leaves the old
// file as it was, and says so.
TEST(FileFlushing, EveryWriteIsFlushedAndAFailedFlushChangesNothing) {
    DWORD access = 0;
    ASSERT_TRUE(VirtualProtect(&__imp_FlushFileBuffers, sizeof(void*), PAGE_READWRITE, &access));
    systemFlush = std::exchange(__imp_FlushFileBuffers, &flushFileBuffers);
    QTemporaryDir folder;
    const QString path = folder.filePath("Accounts.dat");
    FileSystem::replaceFile(path, "old");
    FileSystem::appendToFile(path, "er");
    EXPECT_EQ(flushes, 2);
    deviceFails = true;
    EXPECT_THROW(FileSystem::replaceFile(path, "new"), RunError);
    EXPECT_THROW(FileSystem::appendToFile(path, "est"), RunError);
    __imp_FlushFileBuffers = systemFlush;
    EXPECT_EQ(FileSystem::readFile(path), "older");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Accounts.dat"}) << "a temporary file is left";
}

// What Explorer and shortcuts show of VTR.exe, read from its resources: its icon, the manifest's DPI awareness, visual
// styles and no elevation, and the version (in the numbers after the signature of the version's fixed part).
TEST(ProgramFile, CarriesItsIconManifestAndVersion) {
    const std::wstring exe = native(appFolder() + "/VTR.exe").toStdWString();
    EXPECT_EQ(ExtractIconExW(exe.c_str(), -1, nullptr, nullptr, 0), 1u);
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    const auto resource = [&](LPCWSTR type) {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), type);
        return QByteArray(static_cast<const char*>(LockResource(LoadResource(module, found))),
                          found ? int(SizeofResource(module, found)) : 0);
    };
    for (const char* part : {"PerMonitorV2", "Microsoft.Windows.Common-Controls", "asInvoker"})
        EXPECT_TRUE(resource(RT_MANIFEST).contains(part)) << part;
    const QByteArray version = resource(RT_VERSION);
    const int fixed = version.indexOf("\xBD\x04\xEF\xFE");
    ASSERT_GE(fixed, 0);
    quint16 numbers[4] = {};  // minor, major, build, patch
    std::memcpy(numbers, version.constData() + fixed + 8, sizeof numbers);
    EXPECT_EQ(QString("%1.%2.%3").arg(numbers[1]).arg(numbers[0]).arg(numbers[3]), VANTOR_VERSION);
    FreeLibrary(module);
}

}  // namespace

// The window tests need an application object; everything runs on its thread.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
