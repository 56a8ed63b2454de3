#include <gtest/gtest.h>

#include "AppFolder.h"
#include "ClsRegistro.h"
#include "Printers.h"

namespace {

QByteArray script(const QByteArray& code, const QByteArray& signature) {
    return "REGEDIT4\r\n\r\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0]\r\n"
           "\"MPAccountName\"=\"" +
           code + "\"\r\n\"MPAccountNameSig\"=\"" + signature + "\"\r\n";
}

TEST(Export, MergingAScriptSetsExactlyTheStoredValues) {
    AppFolder app;
    app.mkdir("Logs");
    const std::pair<QString, QByteArray> values[] = {
        {"", ""},
        {"a\\b", "a\\\\b"},
        {"\\\"\\", "\\\\\\\"\\\\"},
        {"é ", "\xE9 "},
    };
    for (const auto& [value, written] : values) {
        SCOPED_TRACE(value.toStdString());
        ASSERT_TRUE(app.sv->registro.CrearReg(app.path("x.reg"), value, value + "sig"));
        EXPECT_EQ(app.read("x.reg"), script(written, written + "sig"));
        RegistryFile merged(app.path("x.reg"));
        EXPECT_EQ(merged.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, "MPAccountName"), value);
        EXPECT_EQ(merged.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, "MPAccountNameSig"),
                  value + "sig");
    }
}

}  // namespace
