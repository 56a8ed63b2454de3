// The program's own file formats, read and written for real in a temporary folder: text files
// in the code page with CR LF line ends, the registry script store and a Wine prefix's registry
// files and drives (written by hand, with no wineserver for them). Inputs are in tables.json.
#include <functional>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "Cp1252.h"
#include "Printers.h"
#include "RegistryFile.h"
#include "RegistryWine.h"
#include "RunError.h"
#include "Tables.h"
#include "TestFolder.h"
#include "TextReader.h"
#include "TextWriter.h"
#include "WineRegistryFile.h"

namespace {

int failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RunError& e) {
        return e.number;
    }
    return 0;
}

class TextFileTest : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("file.txt")) const { return folder.path(name); }
    void write(const QByteArray& bytes) const { folder.write(QStringLiteral("file.txt"), bytes); }
    QByteArray read() const { return folder.read(QStringLiteral("file.txt")); }

    TestFolder folder;
};

TEST_F(TextFileTest, SplitsLinesAtCarriageReturnLineFeedsAndAppendsOnANewLine) {
    for (const QJsonValue& c : Tables::get("lines read from a file's bytes").toArray()) {
        write(Tables::bytes(c[0]));
        TextReader reader(path());
        QStringList lines;
        while (!reader.atEnd())
            lines << reader.readLine();
        EXPECT_EQ(lines, c[1].toVariant().toStringList()) << Tables::text(c[0]);
    }
    for (const QJsonValue& c : Tables::get("a file's bytes before and after a line is appended").toArray()) {
        write(Tables::bytes(c[0]));
        TextWriter writer(path(), TextWriter::Mode::Append);
        writer.writeLine(u"x");
        writer.close();
        EXPECT_EQ(read(), Tables::bytes(c[1])) << Tables::text(c[0]);
    }
}

TEST_F(TextFileTest, FailuresAreToldApart) {
    folder.mkdir("folder");
    write("only\r\n");
    TextReader reader(path());
    reader.readLine();
    EXPECT_EQ(failureOf([&] { reader.readLine(); }), RunError::InputPastEnd);
    EXPECT_EQ(failureOf([&] { TextReader r(path("missing.txt")); }), RunError::FileNotFound);
    EXPECT_EQ(failureOf([&] { TextReader r(path("no/such/file.txt")); }), RunError::PathNotFound);
    EXPECT_EQ(failureOf([&] { TextReader r(path("folder")); }), RunError::PathFileAccess);
    EXPECT_EQ(failureOf([&] { TextWriter w(path("no/file.txt"), TextWriter::Mode::Rewrite); }), RunError::PathNotFound);
    EXPECT_EQ(failureOf([&] { TextWriter w(path("folder"), TextWriter::Mode::Rewrite); }), RunError::PathFileAccess);
    if (QFile::exists("/dev/full")) {
        TextWriter full("/dev/full", TextWriter::Mode::Append);
        full.writeLine(QString(100000, 'x'));
        EXPECT_EQ(failureOf([&] { full.close(); }), RunError::DiskFull);
    }
}

TEST_F(TextFileTest, EveryByteSurvivesAReadAndAWrite) {
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all.append(char(b));
    write(all + "\r\n");
    const QString text = TextReader(path()).readLine();
    EXPECT_TRUE(text.contains(QChar(0x20AC))) << "byte 0x80 is the euro sign";
    EXPECT_EQ(Cp1252::encode(u"a\u20ACb\u4E2Dc"), QByteArray("a\x80"
                                                             "b?c"))
        << "outside the code page: '?'";
    EXPECT_TRUE(Cp1252::canEncode(u"\u00E9t\u00E9 \u20AC \u0178"));
    EXPECT_FALSE(Cp1252::canEncode(u"\u4E2D"));
    TextWriter writer(path(), TextWriter::Mode::Rewrite);
    writer.writeLine(text);
    writer.close();
    EXPECT_EQ(read(), all + "\r\n");
}

TEST_F(TextFileTest, AWriterThatIsNotClosedLeavesTheFileAsItWas) {
    write("old\r\n");
    {
        TextWriter rewrite(path(), TextWriter::Mode::Rewrite);
        rewrite.writeLine(u"new");
        TextWriter append(path(), TextWriter::Mode::Append);
        append.writeLine(u"more");
    }
    EXPECT_EQ(read(), "old\r\n");
}

const QString kKey = RegistryAccess::GameKey;
constexpr auto HKCU = RegistryAccess::CurrentUser;

// Values round trip with their escapes; a value of two lines is refused, the file untouched; a
// value added after a binary value whose last line still asks for a continuation is kept apart.
TEST_F(TextFileTest, TheRegistryScriptStore) {
    RegistryFile store{path(RegistryFile::FileName)};
    const auto script = [&] { return folder.read(RegistryFile::FileName); };
    for (const QJsonValue& value : Tables::get("registry values").toArray()) {
        store.WriteValue(HKCU, kKey, "MPAccountName", value.toString());
        EXPECT_EQ(store.ReadValue(HKCU, kKey, "MPAccountName"), value.toString());
    }
    store.WriteValue(HKCU, kKey, "MPAccountName", "a\\b\"c");
    EXPECT_TRUE(script().contains("\"MPAccountName\"=\"a\\\\b\\\"c\"\r\n"));
    const QByteArray before = script();
    EXPECT_THROW(store.WriteValue(HKCU, kKey, "MPAccountName", "two\r\nlines"), RunError);
    EXPECT_EQ(script(), before);

    const QByteArray unfinished = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + kKey.toLatin1() +
                                  "]\r\n\"Blob\"=hex:01,\\\r\n";
    folder.write(RegistryFile::FileName, unfinished);
    store.WriteValue(HKCU, kKey, "MPAccountName", "abc");
    EXPECT_EQ(script(), unfinished + "\r\n\"MPAccountName\"=\"abc\"\r\n");
    folder.write(RegistryFile::FileName, unfinished);
    store.WriteValues(HKCU, kKey, {{"MPAccountName", "code"}, {"MPAccountNameSig", "sig"}});
    EXPECT_EQ(store.ReadValue(HKCU, kKey, "MPAccountName"), "code");
    EXPECT_EQ(store.ReadValue(HKCU, kKey, "MPAccountNameSig"), "sig");
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

// A prefix or a file that is not there reads empty; writes need a prefix that Wine has set up, and
// a read-only one is refused untouched.
TEST_F(TextFileTest, AMissingOrReadOnlyWinePrefixTakesNoWrite) {
    WinePrefix prefix{path("prefix")};
    RegistryWine store{prefix};
    QDir().mkpath(prefix.folder());
    EXPECT_EQ(store.ReadValue(RegistryAccess::CurrentUser, kKey, "MPAccountName"), "");
    RegistryWine nowhere{WinePrefix(path("nowhere"))};
    EXPECT_EQ(nowhere.ReadValue(RegistryAccess::LocalMachine, kKey, "AppPath"), "");
    EXPECT_THROW(nowhere.WriteValue(RegistryAccess::CurrentUser, kKey, "MPAccountName", "x"), RunError);
    EXPECT_FALSE(QFile::exists(path("nowhere"))) << "no prefix is made";
    EXPECT_THROW(store.WriteValue(RegistryAccess::CurrentUser, kKey, "MPAccountName", "x"), RunError)
        << "a prefix without user.reg";
    EXPECT_FALSE(QFile::exists(prefix.userRegistry()));

    const QByteArray file =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
        "#arch=win64\n\n[Software\\\\Microsoft\\\\Microsoft Games\\\\Freelancer\\\\1.0] 1733500000\n"
        "#time=1d0\n\"MPAccountName\"=\"old\"\n";
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

// Drive c: is the prefix's drive_c, d: a link to nowhere; "$C" in the table stands for drive_c.
TEST_F(TextFileTest, WindowsPathsAreFoundThroughTheDrivesWithoutRegardToCase) {
    WinePrefix prefix{path("prefix")};
    QDir().mkpath(prefix.folder() + "/drive_c/Games/Free Lancer/EXE");
    QDir().mkpath(prefix.folder() + "/dosdevices");
    ASSERT_TRUE(QFile::link("../drive_c", prefix.folder() + "/dosdevices/c:"));
    ASSERT_TRUE(QFile::link(path("gone"), prefix.folder() + "/dosdevices/d:"));
    const QString drive = QDir(prefix.folder() + "/drive_c").canonicalPath();
    for (const QJsonValue& c : Tables::get("Windows paths in the prefix").toArray())
        EXPECT_EQ(prefix.hostPath(c[0].toString()), c[1].toString().replace("$C", drive)) << Tables::text(c[0]);
}

}  // namespace
