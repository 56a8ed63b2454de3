// The command line reads only the accounts with its code, in pieces of the file: they are found
// wherever a piece ends (inside a line, between CR and LF, between records) and inside records
// longer than a piece.
#include <gtest/gtest.h>

#include "AppFolder.h"
#include "ClsBD.h"
#include "Printers.h"

namespace {

constexpr int Piece = 1 << 20;
const QByteArray Header = "DB Version: 101\r\n";

QByteArray record(const QByteArray& name, const QByteArray& code, const QByteArray& comment) {
    return name + "\r\n" + code + "\r\n" + name + "-sig\r\n<COMENTARIO>\r\n" + comment + "\r\n</COMENTARIO>\r\n";
}

std::vector<AccountRow> loadCode(AppFolder& app, const QByteArray& bytes) {
    app.write("Accounts.dat", bytes);
    app.sv->bd.loadAccountsWithCode("Code");
    EXPECT_TRUE(app.dialogs.shown.empty());
    return app.rows();
}

TEST(LoadAccountsWithCode, FindsTheAccountsWhereverThePiecesEnd) {
    const QByteArray wanted = record("Wanted", "code", "one\r\ntwo");
    const int before = Header.size() + record("Filler", "F", {}).size();
    for (int end = -3; end <= wanted.size() + 3; ++end) {
        AppFolder app;
        const QByteArray filler = record("Filler", "F", QByteArray(Piece - before - end, 'x'));
        const auto rows = loadCode(app, Header + filler + wanted + record("Other", "CODE2", {}));
        EXPECT_EQ(rows, (std::vector<AccountRow>{{"Wanted", "code", "Wanted-sig"}})) << "piece ends at " << end;
        EXPECT_EQ(app.sv->bd.traercomentario("code"), "one\r\ntwo");
    }
}

TEST(LoadAccountsWithCode, ReadsRecordsLongerThanAPiece) {
    AppFolder app;
    const QByteArray longComment(5 * Piece / 2, 'c');
    const auto rows = loadCode(app, Header + record("Long", "CODE", longComment) + record("Filler", "F", longComment) +
                                        record("Last", " code ", {}));
    EXPECT_EQ(rows, (std::vector<AccountRow>{{"Last", " code ", "Last-sig"}, {"Long", "CODE", "Long-sig"}}));
}

TEST(LoadAccountsWithCode, ReadsALastLineWithoutItsLineEnd) {
    AppFolder app;
    const QByteArray bytes = Header + record("Last", "code", "x").chopped(2);
    EXPECT_EQ(loadCode(app, bytes), (std::vector<AccountRow>{{"Last", "code", "Last-sig"}}));
    app.sv->bd.cargarbdallv();
    EXPECT_EQ(app.rows(), (std::vector<AccountRow>{{"Last", "code", "Last-sig"}}));
}

}  // namespace
