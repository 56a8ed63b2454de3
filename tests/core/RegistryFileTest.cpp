#include <gtest/gtest.h>

#include "TestFolder.h"
#include "Printers.h"
#include "RegistryFile.h"
#include "RunError.h"

namespace {

const QString kKey = RegistryAccess::GameKey;
constexpr auto HKCU = RegistryAccess::CurrentUser;

class RegistryFileTest : public ::testing::Test {
protected:
    void write(const QByteArray& bytes) const { dir.write(RegistryFile::FileName, bytes); }
    QByteArray read() const { return dir.read(RegistryFile::FileName); }

    TestFolder dir;
    RegistryFile store{dir.path(RegistryFile::FileName)};
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

TEST_F(RegistryFileTest, AValueOfTwoLinesIsRefused) {
    write("");
    EXPECT_THROW(store.WriteValue(HKCU, kKey, "MPAccountName", "two\r\nlines"), RunError);
    EXPECT_EQ(read(), "");
}

}  // namespace
