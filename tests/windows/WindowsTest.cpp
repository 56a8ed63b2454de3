// The Windows program under Wine, set up by scripts/test-windows.sh: its window models in this process on Windows' own
// registry, shell and files, and the real VTR.exe (VANTOR_APP is its folder) started as a player starts it, with a
// stand-in game in the game's folder (AppPath).

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>
#include <cstring>
#include <gtest/gtest.h>
#include <utility>

#include "FileSystem.h"
#include "FileTexts.h"
#include "FrmMainView.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "Printers.h"
#include "RegistryAccess.h"
#include "RegistryWindows.h"
#include "RunError.h"
#include "ScriptedDialogs.h"
#include "ShortcutFile.h"
#include "Win32Test.h"
#include "forms/Frm_Main.h"
#include "forms/WindowModels.h"

#include <shellapi.h>

namespace {

constexpr int Generous = 60000;  // Wine starts a Qt program in one to several seconds

QString appFolder() { return QDir::fromNativeSeparators(qEnvironmentVariable("VANTOR_APP")); }
QString native(const QString& path) { return QDir::toNativeSeparators(path); }

// Polls `ready` every 50 ms until it holds or the time is up.
template <typename Ready>
bool waitFor(int milliseconds, Ready ready) {
    QElapsedTimer clock;
    clock.start();
    while (!ready()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QThread::msleep(50);
    }
    return true;
}

// Starts VTR.exe with the given command-line text, as a player does.
void start(QProcess& vtr, const QString& arguments) {
    vtr.setProgram(appFolder() + "/VTR.exe");
    vtr.setNativeArguments(arguments);
    vtr.setProcessChannelMode(QProcess::ForwardedChannels);
    vtr.start();
    EXPECT_TRUE(vtr.waitForStarted(Generous)) << vtr.errorString().toStdString();
}

// A visible top-level window with this caption, or null when none comes in the time.
HWND window(const wchar_t* caption) {
    HWND found = nullptr;
    waitFor(Generous, [&] { return (found = FindWindowW(nullptr, caption)) && IsWindowVisible(found); });
    return found;
}

// Each test starts with the program's own files removed, a database of two accounts, Main (CODE-1, SIG-1, the active
// one) and Alt "quoted" (code-2, sig-2), and no record of a game run.
class WindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Accounts.dat.bak", "Accounts.dat.old", "Opciones.dat"})
            QFile::remove(appFolder() + '/' + name);
        QDir(appFolder() + "/Logs").removeRecursively();
        QDir(appFolder() + "/Backups").removeRecursively();
        QFile::remove(gameRecord());
        FileSystem::replaceFile(appFolder() + "/Accounts.dat",
                                DatabaseText()
                                    .account("Main", "CODE-1", "SIG-1", "\r\n")
                                    .account("Alt \"quoted\"", "code-2", "sig-2", "Trader\r\n"));
        registry.WriteValues(RegistryAccess::CurrentUser, RegistryAccess::GameKey,
                             {{"MPAccountName", "CODE-1"}, {"MPAccountNameSig", "SIG-1"}});
    }
    QString activeCode() {
        return registry.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, "MPAccountName");
    }
    QString gameFolder() {
        return QDir::fromNativeSeparators(
            registry.ReadValue(RegistryAccess::LocalMachine, RegistryAccess::GameKey, "AppPath"));
    }
    // What the stand-in game recorded when it was started: command line, working folder, code, signature and the game's
    // folder; empty when it was not started within the time.
    QStringList gameRun(int milliseconds) {
        QFile file(gameRecord());
        if (!waitFor(milliseconds, [&] { return file.exists(); }) || !file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    QString gameRecord() { return gameFolder() + "/EXE/recorded.txt"; }
    static QStringList logs() { return QDir(appFolder() + "/Logs").entryList(QDir::Files); }

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
    EXPECT_EQ(logs(), QStringList()) << "a failure was reported";
}

// A shortcut is a .lnk that starts the program with the arguments given, in drive C.
TEST(ShortcutFile, IsALinkThatStartsTheProgramWithItsArguments) {
    QTemporaryDir desktop;
    const QString path = ShortcutFile::write(desktop.path(), "Play Main", appFolder() + "/VTR.exe", "/A=CODE-1 /W", {});
    EXPECT_EQ(path, desktop.path() + "/Play Main.lnk");
    const testing_win32::Link link = testing_win32::readLink(native(path).toStdWString());
    EXPECT_EQ(link.loaded, S_OK);
    EXPECT_EQ(QString::fromStdWString(link.target), native(appFolder() + "/VTR.exe"));
    EXPECT_EQ(QString::fromStdWString(link.arguments), "/A=CODE-1 /W");
    EXPECT_EQ(QString::fromStdWString(link.workingFolder), "C:\\");
}

// The slot through which this program calls an imported Win32 function; none when it imports no function of that name.
void** importSlot(const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name; ++dll) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++entries)
            if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) &&
                std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, function) ==
                    0)
                return reinterpret_cast<void**>(&entries->u1.Function);
    }
    return nullptr;
}

// Stands in for FlushFileBuffers: counts the calls and, when told to, fails as a device that cannot keep the bytes.
int flushes = 0;
bool deviceFails = false;
BOOL(WINAPI* systemFlush)(HANDLE) = nullptr;
BOOL WINAPI flushFileBuffers(HANDLE file) {
    ++flushes;
    if (!deviceFails)
        return systemFlush(file);
    SetLastError(ERROR_CRC);
    return FALSE;
}

// Every write of a file gets its bytes onto the device before it counts: a device that cannot keep them leaves the old
// file as it was, and says so.
TEST(FileFlushing, EveryWriteIsFlushedAndAFailedFlushChangesNothing) {
    void** slot = importSlot("FlushFileBuffers");
    ASSERT_NE(slot, nullptr);
    DWORD access = 0;
    ASSERT_TRUE(VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &access));
    void* const original = std::exchange(*slot, reinterpret_cast<void*>(&flushFileBuffers));
    systemFlush = reinterpret_cast<BOOL(WINAPI*)(HANDLE)>(original);
    QTemporaryDir folder;
    const QString path = folder.filePath("Accounts.dat");
    FileSystem::replaceFile(path, "old");
    FileSystem::appendToFile(path, "er");
    EXPECT_EQ(flushes, 2);
    deviceFails = true;
    EXPECT_THROW(FileSystem::replaceFile(path, "new"), RunError);
    EXPECT_THROW(FileSystem::appendToFile(path, "est"), RunError);
    *slot = original;
    EXPECT_EQ(FileSystem::readFile(path), "older");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Accounts.dat"}) << "a temporary file is left";
}

TEST_F(WindowsTest, CommandLineActivatesTheAccountAndStartsTheGameWithItsServer) {
    QProcess vtr;
    start(vtr, "/a=code-2 /s=1.2.3.4:2302 /w");
    ASSERT_TRUE(vtr.waitForFinished(Generous));
    EXPECT_EQ(vtr.exitCode(), 0);
    const QString exe = native(gameFolder() + "/EXE");
    EXPECT_EQ(gameRun(Generous), QStringList({'"' + exe + "\\Freelancer.exe\" -w -s1.2.3.4:2302", exe, "code-2",
                                              "sig-2", native(gameFolder())}));
    EXPECT_EQ(logs(), QStringList()) << "a failure was reported";
}

// The usage box, and the window as a player first sees it (its picture kept beside the tests for a person to look at):
// closed, they leave the account and the game alone.
TEST_F(WindowsTest, UsageBoxAndWindowChangeNothing) {
    for (const auto& [arguments, caption] : {std::pair{"/?", L"Vantor"}, std::pair{"", L"Vantor 1.0"}}) {
        QProcess vtr;
        start(vtr, arguments);
        const HWND shown = window(caption);
        ASSERT_NE(shown, nullptr) << "no window captioned " << caption;
        if (!*arguments) {
            Sleep(1500);  // let it paint
            RECT frame{};
            GetWindowRect(shown, &frame);
            const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
                0, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
            EXPECT_TRUE(shot.save(qEnvironmentVariable("VANTOR_SCREENSHOT", "windows-main-window.png")));
        }
        PostMessageW(shown, WM_CLOSE, 0, 0);
        EXPECT_TRUE(vtr.waitForFinished(Generous));
        EXPECT_EQ(vtr.exitCode(), 0);
        EXPECT_EQ(activeCode(), "CODE-1");
        EXPECT_EQ(gameRun(0), QStringList()) << "the game was started";
    }
}

// What Explorer and shortcuts show of VTR.exe, read back through the calls they use: the icon's sizes, the manifest and
// the version.
TEST(ProgramFile, CarriesItsIconsManifestAndVersion) {
    const std::wstring exe = native(appFolder() + "/VTR.exe").toStdWString();
    EXPECT_EQ(ExtractIconExW(exe.c_str(), -1, nullptr, nullptr, 0), 1u);
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    const auto resource = [&](LPCWSTR type) {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), type);
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        return loaded ? QByteArray(static_cast<const char*>(LockResource(loaded)), int(SizeofResource(module, found)))
                      : QByteArray();
    };
    const QByteArray group = resource(RT_GROUP_ICON);  // a 6-byte header, then 14 bytes an image
    QList<int> sizes;
    for (int i = 0; 6 + 14 * i < group.size(); ++i)
        sizes << (quint8(group[6 + 14 * i]) == 0 ? 256 : quint8(group[6 + 14 * i]));
    EXPECT_EQ(sizes, (QList<int>{16, 24, 32, 48, 64, 256}));
    const QByteArray manifest = resource(RT_MANIFEST);
    for (const char* part : {"PerMonitorV2", "Microsoft.Windows.Common-Controls", "asInvoker"})
        EXPECT_TRUE(manifest.contains(part)) << part;
    FreeLibrary(module);

    DWORD ignored = 0;
    QByteArray version(int(GetFileVersionInfoSizeW(exe.c_str(), &ignored)), 0);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, DWORD(version.size()), version.data()) &&
                VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(QString("%1.%2.%3")
                  .arg(HIWORD(fixed->dwFileVersionMS))
                  .arg(LOWORD(fixed->dwFileVersionMS))
                  .arg(HIWORD(fixed->dwFileVersionLS)),
              VANTOR_VERSION);
}

}  // namespace

// The window tests need an application object; everything runs on its thread.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
