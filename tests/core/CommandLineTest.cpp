#include <gtest/gtest.h>

#include "AppFolder.h"
#include "ClsComandos.h"
#include "Printers.h"

namespace {

TEST(IterpCmd, AnyLengthAndAnyNumberOfPieces) {
    AppFolder app;
    EXPECT_FALSE(app.sv->comandos.IterpCmd(""));
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += "/q";
    text += "/a=" + QString(100000, 'k') + " /w";
    EXPECT_TRUE(app.sv->comandos.IterpCmd(text));
    EXPECT_EQ(app.mv->CuentaCmd.size(), 100000);
    EXPECT_TRUE(app.mv->ModoVentana);
}

}  // namespace
