#include <gtest/gtest.h>
#include <QFile>

#include "AppFolder.h"

#include "Printers.h"
#include "RegistryFile.h"
#include "RunError.h"

namespace {

const QString kKey = RegistryAccess::GameKey;
constexpr auto HKCU = RegistryAccess::CurrentUser;
constexpr auto HKLM = RegistryAccess::LocalMachine;

class RegistryFileTest : public ::testing::Test {
protected:
    void write(const QByteArray& bytes) const { app.write(RegistryFile::FileName, bytes); }
    QByteArray read() const { return app.read(RegistryFile::FileName); }

    AppFolder app;
    RegistryFile& store = app.registry;
};

TEST_F(RegistryFileTest, AMissingFileReadsEmptyAndTheFirstWriteCreatesIt) {
    EXPECT_EQ(store.ReadValue(HKCU, kKey, "MPAccountName"), "");
    EXPECT_EQ(read(), "<missing>");
    store.WriteValue(HKCU, kKey, "MPAccountName", "abc");
    store.WriteValue(HKCU, kKey, "MPAccountNameSig", "s1");
    EXPECT_EQ(read(), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\microsoft\\microsoft games\\freelancer\\1.0]\r\n"
                      "\"MPAccountName\"=\"abc\"\r\n\"MPAccountNameSig\"=\"s1\"\r\n");
}

TEST_F(RegistryFileTest, KeysAndNamesIgnoreCaseAndEveryOtherLineIsKept) {
    const QByteArray before = "REGEDIT4\r\n\r\n; the game's settings\r\n"
                              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Microsoft Games\\Freelancer\\1.0]\r\n"
                              "\"AppPath\"=\"C:\\\\Program Files\\\\Freelancer\"\r\n\"Version\"=dword:00000001\r\n\r\n"
                              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0]\r\n"
                              "\"mpaccountname\"=\"old\"\r\n\"Blob\"=hex:01,02,\\\r\n  03,04\r\n";
    write(before);
    EXPECT_EQ(store.ReadValue(HKLM, kKey, "apppath"), "C:\\Program Files\\Freelancer");
    EXPECT_EQ(store.ReadValue(HKLM, kKey, "Version"), "") << "not a text value";
    EXPECT_EQ(store.ReadValue(HKCU, kKey, "MPAccountName"), "old");
    EXPECT_EQ(store.ReadValue(HKCU, kKey, "AppPath"), "") << "roots are apart";

    store.WriteValue(HKCU, kKey, "MPAccountName", "new");
    store.WriteValue(HKCU, kKey, "MPAccountNameSig", "sig");
    QByteArray after = before;
    after.replace("\"mpaccountname\"=\"old\"", "\"MPAccountName\"=\"new\"");
    after.append("\"MPAccountNameSig\"=\"sig\"\r\n");
    EXPECT_EQ(read(), after);
}

TEST_F(RegistryFileTest, ValuesRoundTripWithEscapes) {
    const QString values[] = {"plain", "back\\slash", "quo\"te", "\\\"", "", "  blanks  ", "caf\u00E9 \u20AC", "a=b;c"};
    for (const QString& value : values) {
        store.WriteValue(HKCU, kKey, "MPAccountName", value);
        EXPECT_EQ(store.ReadValue(HKCU, kKey, "MPAccountName"), value) << value.toStdString();
    }
    store.WriteValue(HKCU, kKey, "MPAccountName", "a\\b\"c");
    EXPECT_TRUE(read().contains("\"MPAccountName\"=\"a\\\\b\\\"c\"\r\n"));
}

// A binary value at the end of the file whose last line still asks for a continuation: a value
// added to its key after it must not become that continuation.
TEST_F(RegistryFileTest, AValueAddedAfterAnUnfinishedBinaryValueIsKeptApart) {
    const QByteArray before = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + kKey.toLatin1() +
                              "]\r\n\"Blob\"=hex:01,02,\\\r\n";
    write(before);
    store.WriteValue(HKCU, kKey, "MPAccountName", "abc");
    EXPECT_EQ(store.ReadValue(HKCU, kKey, "MPAccountName"), "abc");
    EXPECT_EQ(read(), before + "\r\n\"MPAccountName\"=\"abc\"\r\n");

    write(before);
    store.WriteValues(HKCU, kKey, {{"MPAccountName", "code"}, {"MPAccountNameSig", "sig"}});
    EXPECT_EQ(store.ReadValue(HKCU, kKey, "MPAccountName"), "code");
    EXPECT_EQ(store.ReadValue(HKCU, kKey, "MPAccountNameSig"), "sig");
}

TEST_F(RegistryFileTest, MalformedFilesAndUnstorableValuesAreErrors) {
    const QByteArray files[] = {
        "not a registry script\r\n",
        "REGEDIT4\r\n\"Orphan\"=\"value\"\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\X]\r\n\"Name=\"value\"\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\X]\r\n\"Name\"=\"value\" trailing\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\X]\r\njunk\r\n",
    };
    for (const QByteArray& file : files) {
        write(file);
        try {
            store.ReadValue(HKCU, kKey, "MPAccountName");
            ADD_FAILURE() << "accepted: " << file.toStdString();
        } catch (const RunError& e) {
            EXPECT_EQ(e.number, RunError::InvalidFileFormat);
        }
        EXPECT_THROW(store.WriteValue(HKCU, kKey, "MPAccountName", "x"), RunError);
        EXPECT_EQ(read(), file) << "a malformed file is never rewritten";
    }
    write("");
    EXPECT_THROW(store.WriteValue(HKCU, kKey, "MPAccountName", "two\r\nlines"), RunError);
    EXPECT_EQ(read(), "");
}

}  // namespace

namespace {

// What a person's editor writes: line ends of LF alone (typed in a Linux editor), a UTF-8 byte
// order mark, the newer header in UTF-16 as the platform's editor writes it. Each is read as that
// editor reads it, and keeps its form when a value is written.
TEST_F(RegistryFileTest, ScriptsInTheFormsEditorsWriteAreReadAndKeepTheirForm) {
    const QString key = "[HKEY_CURRENT_USER\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0]";
    const auto script = [&](const QString& header, const QString& code, const QString& end) {
        return header + end + end + key + end + "\"MPAccountName\"=\"" + code + "\"" + end;
    };
    const auto utf16 = [](const QString& text) {
        return QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    };
    struct Case {
        const char* what;
        QByteArray before, after;
    };
    const QString fresh = QString::fromLatin1("n\xE9w");  // a letter outside ASCII, written in the file's encoding
    const Case cases[] = {
        {"LF line ends", script("REGEDIT4", "old", "\n").toLatin1(), script("REGEDIT4", fresh, "\n").toLatin1()},
        {"a UTF-8 byte order mark",
         "\xEF\xBB\xBF" + script("REGEDIT4", QString::fromUtf8("\xC3\xA9old"), "\r\n").toUtf8(),
         "\xEF\xBB\xBF" + script("REGEDIT4", fresh, "\r\n").toUtf8()},
        {"the newer header in UTF-16", utf16(script("Windows Registry Editor Version 5.00", "old", "\r\n")),
         utf16(script("Windows Registry Editor Version 5.00", fresh, "\r\n"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write(c.before);
        EXPECT_TRUE(store.ReadValue(HKCU, kKey, "MPAccountName").endsWith("old"));
        store.WriteValue(HKCU, kKey, "MPAccountName", fresh);
        EXPECT_EQ(read(), c.after);
    }
}

}  // namespace
