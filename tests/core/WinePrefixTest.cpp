// The Wine prefix's registry files and drives, read without Wine: prefixes written by hand in a
// temporary folder, with no wineserver for them.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "FileBytes.h"
#include "Printers.h"
#include "RegistryWine.h"
#include "RunError.h"
#include "TestFolder.h"
#include "WineRegistryFile.h"

namespace {

const QString kKey = RegistryAccess::GameKey;

// A registry file as the wineserver saves it, with the given lines after the header.
QByteArray wineFile(const QByteArray& body) {
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n\n" + body;
}

const QByteArray kGameKey = "[Software\\\\Microsoft\\\\Microsoft Games\\\\Freelancer\\\\1.0] 1733500000\n#time=1d0\n";

class WinePrefixTest : public ::testing::Test {
protected:
    WinePrefixTest() { QDir().mkpath(prefix.folder() + "/drive_c/Games/Free Lancer/EXE"); }
    TestFolder dir;
    WinePrefix prefix{dir.path("prefix")};
    RegistryWine store{prefix};
};

// A prefix or a file that is not there reads empty; writes need a prefix that Wine has set up.
TEST_F(WinePrefixTest, AMissingPrefixOrFileReadsEmptyAndTakesNoWrite) {
    EXPECT_EQ(store.ReadValue(RegistryAccess::CurrentUser, kKey, "MPAccountName"), "");
    RegistryWine nowhere{WinePrefix(dir.path("nowhere"))};
    EXPECT_EQ(nowhere.ReadValue(RegistryAccess::LocalMachine, kKey, "AppPath"), "");
    EXPECT_THROW(nowhere.WriteValue(RegistryAccess::CurrentUser, kKey, "MPAccountName", "x"), RunError);
    EXPECT_FALSE(QFile::exists(dir.path("nowhere"))) << "no prefix is made";
    EXPECT_THROW(store.WriteValue(RegistryAccess::CurrentUser, kKey, "MPAccountName", "x"), RunError)
        << "a prefix without user.reg";
    EXPECT_FALSE(QFile::exists(prefix.userRegistry()));
}

// Takes from this test process the power to write where the permissions say no, which root has.
void dropOverridingPermissions() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    ASSERT_EQ(syscall(SYS_capget, &header, data), 0);
    for (auto& set : data) {
        set.effective &= ~(1u << CAP_DAC_OVERRIDE);
        set.permitted &= ~(1u << CAP_DAC_OVERRIDE);
    }
    ASSERT_EQ(syscall(SYS_capset, &header, data), 0);
}

TEST_F(WinePrefixTest, AReadOnlyPrefixIsRefusedUntouched) {
    const QByteArray file = wineFile(kGameKey + "\"MPAccountName\"=\"old\"\n");
    ASSERT_TRUE(writeFile(prefix.userRegistry(), file));
    dropOverridingPermissions();
    const auto readOnly = QFile::ReadOwner | QFile::ExeOwner;
    for (const QString& path : {prefix.folder(), prefix.userRegistry()}) {
        SCOPED_TRACE(path.toStdString());
        QFile::setPermissions(path, readOnly);
        try {
            store.WriteValues(RegistryAccess::CurrentUser, kKey, {{"MPAccountName", "new"}});
            ADD_FAILURE() << "no failure";
        } catch (const RunError& e) {
            EXPECT_EQ(e.description, "Permission denied: the Wine prefix " + prefix.folder() + " is read-only");
        }
        QFile::setPermissions(path, readOnly | QFile::WriteOwner);
        EXPECT_EQ(readFile(prefix.userRegistry()), file);
        EXPECT_EQ(store.ReadValue(RegistryAccess::CurrentUser, kKey, "MPAccountName"), "old");
    }
}

TEST(WineExport, TheFirstKeysTextValues) {
    const QString text = QStringLiteral(
        "\ufeffWindows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0]\r\n"
        "\"MPAccountName\"=\"a\\\"b\\\\c \u00e9\u20ac\"\r\n\"N\"=dword:00000001\r\n\"B\"=hex:01,\\\r\n  02\r\n"
        "\"MPAccountNameSig\"=\"\"\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0\\Sub]\r\n\"Other\"=\"x\"\r\n");
    const QByteArray bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const RegistryAccess::Values expected{{"MPAccountName", "a\"b\\c \u00e9\u20ac"}, {"MPAccountNameSig", ""}};
    EXPECT_EQ(WineRegistryFile::readExport(bytes), expected);
    EXPECT_EQ(WineRegistryFile::readExport("REGEDIT4\r\n"), RegistryAccess::Values{});
    EXPECT_EQ(WineRegistryFile::exportLine("MPAccountName", "a\"b\\c"), "\"MPAccountName\"=\"a\\\"b\\\\c\"");
}

TEST_F(WinePrefixTest, WindowsPathsAreFoundThroughTheDrivesWithoutRegardToCase) {
    QDir().mkpath(prefix.folder() + "/dosdevices");
    ASSERT_TRUE(QFile::link("../drive_c", prefix.folder() + "/dosdevices/c:"));
    ASSERT_TRUE(QFile::link(dir.path("gone"), prefix.folder() + "/dosdevices/d:"));
    const QString drive = QDir(prefix.folder() + "/drive_c").canonicalPath();
    const std::pair<QString, QString> cases[] = {
        {"C:\\Games\\Free Lancer\\EXE\\Freelancer.exe", drive + "/Games/Free Lancer/EXE/Freelancer.exe"},
        {"c:\\GAMES\\free lancer\\exe", drive + "/Games/Free Lancer/EXE"},
        {"C:/Games//Free Lancer\\.\\x\\..\\EXE\\", drive + "/Games/Free Lancer/EXE"},
        {"C:\\", drive},
        {"D:\\Games", ""},
        {"E:\\Games", ""},
        {"\\\\server\\share\\Games", ""},
        {"Games", ""},
        {"", ""},
    };
    for (const auto& [windows, host] : cases)
        EXPECT_EQ(prefix.hostPath(windows), host) << windows.toStdString();
}

}  // namespace
