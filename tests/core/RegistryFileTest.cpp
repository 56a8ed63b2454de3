#include <gtest/gtest.h>

#include "AppFolder.h"

#include "Printers.h"
#include "RegistryFile.h"
#include "RunError.h"

namespace {

const QString kKey = RegistryAccess::GameKey;
constexpr auto HKCU = RegistryAccess::CurrentUser;

class RegistryFileTest : public ::testing::Test {
protected:
    void write(const QByteArray& bytes) const { app.write(RegistryFile::FileName, bytes); }
    QByteArray read() const { return app.read(RegistryFile::FileName); }

    AppFolder app;
    RegistryFile& store = app.registry;
};

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
