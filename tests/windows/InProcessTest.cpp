// The program's window models and views in this process, on Windows' own registry and shell.

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstring>
#include <utility>

#include "FileSystem.h"
#include "FileTexts.h"
#include "FrmMainView.h"
#include "LinkReader.h"
#include "Mod_Variables.h"
#include "Printers.h"
#include "RegistryAccess.h"
#include "RegistryWindows.h"
#include "RunError.h"
#include "ScriptedDialogs.h"
#include "WindowsTestSupport.h"
#include "forms/Frm_Main.h"
#include "forms/Frm_ShortCut.h"
#include "forms/WindowModels.h"

using namespace testing_windows;

namespace {

class InProcessTest : public ::testing::Test {
protected:
    void SetUp() override { testing_windows::setUp("code-2", "sig-2"); }

    RegistryWindows registry;
    ScriptedDialogs dialogs;
    Mod_Variables mv{appFolder(), dialogs, registry};
    WindowModels windows{mv};
};

TEST_F(InProcessTest, WindowShowsTheActiveAccountFromTheRegistry) {
    FrmMainView view(mv);
    windows.main.Form_Load();
    view.render();
    view.show();

    EXPECT_EQ(view.windowTitle(), "Vantor 1.0");
    EXPECT_EQ(view.findChild<QLabel*>("LblName")->text(), "Alt \"quoted\"");
    EXPECT_EQ(view.findChild<QLabel*>("LblCode")->text(), "code-2");
    EXPECT_EQ(view.findChild<QLabel*>("LblSignature")->text(), "sig-2");
    EXPECT_EQ(windows.main.LvAccounts.selectedRow().code, "code-2");
    auto* client = view.findChild<QScrollArea*>();
    EXPECT_FALSE(client->horizontalScrollBar()->isVisible() || client->verticalScrollBar()->isVisible())
        << "the window fits the screen: nothing scrolls";
}

// A shortcut made through the dialog's handlers, as the dialog's buttons run them.
TEST_F(InProcessTest, ShortcutIsALinkThatStartsTheProgramForTheSelectedAccount) {
    QTemporaryDir desktop;
    const QString folder = QDir::toNativeSeparators(desktop.path()) + '\\';
    windows.main.Form_Load();
    Frm_ShortCut& shortcut = windows.frmShortCut;
    shortcut.Show();
    dialogs.files.push_back({folder + "Play Alt.lnk", "Play Alt.lnk"});
    shortcut.CmdPath_Click();
    shortcut.ChkWindowed.Value = 1;
    shortcut.ChkAutoConnect.Value = 1;
    shortcut.ChkAutoConnect_Click();
    const char* server[] = {"10", "0", "0", "7", "2302"};
    for (int i = 0; i < 5; ++i)
        shortcut.TxtIP[std::size_t(i)].Text = server[i];
    dialogs.expect({"Shortcut Play Alt Created at " + folder, {}, MsgButtons::OK, MsgIcon::Exclamation});
    shortcut.CmdOk_Click();

    const testing_win32::Link link = testing_win32::readLink((folder + "Play Alt.lnk").toStdWString());
    ASSERT_TRUE(SUCCEEDED(link.loaded)) << std::hex << link.loaded;
    EXPECT_EQ(QString::fromStdWString(link.target), QDir::toNativeSeparators(appFolder() + "/VTR.exe"));
    EXPECT_EQ(QString::fromStdWString(link.arguments), "/A=code-2 /S=10.0.0.7:2302 /W");
    EXPECT_EQ(QString::fromStdWString(link.workingFolder), "C:\\");
}

}  // namespace

namespace {

// Windows replaces no file that a program holds open: a rewrite lets go of what it read first.
TEST_F(InProcessTest, DeletionReplacesTheDatabaseFile) {
    windows.main.Form_Load();
    dialogs.expect({"Are you sure you want to delete the account code-2?", "Delete", MsgButtons::YesNo,
                    MsgIcon::Question, MsgAnswer::No},
                   MsgAnswer::Yes);
    windows.main.Delete_Click();

    QFile database(appFolder() + "/Accounts.dat");
    ASSERT_TRUE(database.open(QIODevice::ReadOnly));
    EXPECT_EQ(database.readAll(), DatabaseText().account("Main", "CODE-1", "SIG-1", "\r\n").bytes());
    EXPECT_EQ(QDir(appFolder() + "/Logs").entryList(QDir::Files), QStringList()) << "a failure was reported";
}

// The slot through which this program calls an imported Win32 function; none when it imports no
// function of that name.
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

// Stands in for FlushFileBuffers: counts the calls and, when told to, fails as a device that
// cannot keep the bytes.
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

// Every write of a file gets its bytes onto the device before it counts: a device that cannot
// keep them leaves the old file as it was, and says so.
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

}  // namespace
