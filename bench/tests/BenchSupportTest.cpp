// The benchmarks' own parts: the generated database as the program reads and writes it, the
// floors, and the plain model the window's floor shows.

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QSet>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "AccountList.h"
#include "ClsBD.h"
#include "FileBytes.h"
#include "Floors.h"
#include "LoadedDatabase.h"
#include "PlainTableModel.h"
#include "RunError.h"
#include "forms/Frm_Main.h"

namespace {

constexpr int kAccounts = 300;

TEST(GeneratedDatabase, LoadsWholeWithMixedCaseNamesAndThreeLineCommentsOutsideAscii) {
    LoadedDatabase db(kAccounts);
    ASSERT_TRUE(db.ensureLoaded()) << db.dialogs.lastMessage.toStdString();
    QSet<QString> codes;
    int upper = 0, lower = 0;
    for (int p = 1; p <= db.list().count(); ++p) {
        const AccountRow& row = db.list().row(p);
        codes.insert(row.code);
        upper += row.name != row.name.toLower();
        lower += row.name != row.name.toUpper();
    }
    EXPECT_EQ(codes.size(), kAccounts);
    EXPECT_GT(upper, kAccounts / 2);
    EXPECT_GT(lower, kAccounts / 2);
    const QString comment = db.sv.bd.traercomentario(QString::fromLatin1(GeneratedDatabase::code(7)));
    EXPECT_EQ(comment.count(QLatin1Char('\n')), 2) << comment.toStdString();
    EXPECT_TRUE(comment.contains(QStringLiteral("\u00E9lite")) && comment.contains(QStringLiteral("\u20AC")))
        << comment.toStdString();
}

TEST(GeneratedDatabase, RecordStartsFrameEveryRecord) {
    const GeneratedDatabase db(kAccounts);
    ASSERT_EQ(db.recordStarts.size(), std::size_t(kAccounts) + 1);
    EXPECT_EQ(db.recordStarts.back(), db.bytes.size());
    for (int i = 0; i < kAccounts; ++i) {
        const QByteArray record = db.bytes.mid(db.recordStarts[std::size_t(i)],
                                               db.recordStarts[std::size_t(i) + 1] - db.recordStarts[std::size_t(i)]);
        ASSERT_EQ(record.split('\n').at(1), GeneratedDatabase::code(i) + '\r') << i;
        ASSERT_TRUE(record.endsWith("</COMENTARIO>\r\n")) << i;
    }
}

// What the save benchmark checks its result against is what the program writes.
TEST(GeneratedDatabase, SavedDigestIsWhatTheProgramWrites) {
    LoadedDatabase db(kAccounts);
    ASSERT_TRUE(db.ensureLoaded());
    EXPECT_FALSE(db.fileSaved());
    db.sv.bd.guardarcambios();
    EXPECT_EQ(QCryptographicHash::hash(readFile(db.path()), QCryptographicHash::Sha1), db.generated.savedDigest());
    EXPECT_TRUE(db.fileSaved());
    db.restore();
    EXPECT_EQ(readFile(db.path()), db.generated.bytes);
}

// The folder starts the program without a question, in the window and on the command line.
TEST(BenchFolder, StartsTheProgramWithoutAMessage) {
    LoadedDatabase db(kAccounts);
    db.windows.main.Form_Load();
    EXPECT_EQ(db.dialogs.messages, 0) << db.dialogs.lastMessage.toStdString();
    EXPECT_EQ(db.list().selectedRow().code, QString::fromLatin1(GeneratedDatabase::code(0)));

    db.mv.Command = QStringLiteral("/a=") + QString::fromLatin1(GeneratedDatabase::code(kAccounts - 1));
    EXPECT_THROW(db.windows.main.Form_Load(), EndProgram);
    EXPECT_EQ(db.dialogs.messages, 0) << db.dialogs.lastMessage.toStdString();
    EXPECT_EQ(
        db.registry.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, QStringLiteral("MPAccountNameSig")),
        QString::fromLatin1(GeneratedDatabase::signature(kAccounts - 1)));
}

struct FindCase {
    const char* name;
    QByteArray file;
    const char* line;
    long found;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }

class FindLine : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindLine, GivesTheFirstWholeLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("file"));
    ASSERT_TRUE(writeFile(path, GetParam().file));
    EXPECT_EQ(Floors::findLine(path.toLocal8Bit().constData(), GetParam().line), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Floors, FindLine,
    ::testing::Values(FindCase{"CrLf", "a\r\nCD1\r\nCD1\r\n", "CD1", 2}, FindCase{"Lf", "a\nb\nCD1\n", "CD1", 3},
                      FindCase{"NoEndOnTheLastLine", "a\r\nCD1", "CD1", 2},
                      FindCase{"APrefixIsNoMatch", "CD12\r\nxCD1\r\n", "CD1", 0},
                      FindCase{"OtherCaseIsNoMatch", "cd1\r\n", "CD1", 0}, FindCase{"EmptyFile", "", "CD1", 0},
                      // Across the 1 MiB pieces it reads: a line cut in two, one longer than a piece.
                      FindCase{"CutAtAPiece", QByteArray((1 << 20) - 2, 'x') + "\r\nCD1\r\n", "CD1", 2},
                      FindCase{"LongerThanAPiece", QByteArray(3 << 20, 'x') + "\r\nCD1", "CD1", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Floors, ReadsWholeAndSplitsLinesWithoutTheirEnds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("file"));
    const QByteArray bytes("a\r\n\r\nb\nc\r\r\n\xE9");
    ASSERT_TRUE(writeFile(path, bytes));
    const Floors::Bytes read = Floors::readFile(path.toLocal8Bit().constData());
    ASSERT_EQ(QByteArray(read.data.get(), qsizetype(read.size)), bytes);
    std::vector<std::string> lines;
    Floors::forEachLine(read.data.get(), read.size, [&](const char* at, std::size_t n) { lines.emplace_back(at, n); });
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b", "c\r", "\xE9"}));
    EXPECT_EQ(Floors::readFile("/no/such/file").size, 0u);
}

TEST(Floors, WriteBytesWritesExactlyOrFails) {
    QTemporaryDir dir;
    const QByteArray bytes("\xE9\r\n\x80\0end", 8);
    const QByteArray path = dir.filePath(QStringLiteral("out")).toLocal8Bit();
    ASSERT_TRUE(Floors::writeBytes(path.constData(), bytes.constData(), std::size_t(bytes.size())));
    EXPECT_EQ(readFile(QString::fromLocal8Bit(path)), bytes);
    EXPECT_FALSE(Floors::writeBytes((path + "/no/folder").constData(), bytes.constData(), 1));
    ASSERT_TRUE(Floors::writePieces(path.constData(), {{"ab", 2}, {"", 0}, {"c", 1}}, false));
    EXPECT_EQ(readFile(QString::fromLocal8Bit(path)), "abc");
}

TEST(Floors, CaselessOrderIgnoresLetterCase) {
    const std::vector<QString> names{"beta", "Alpha", "\u00C9t\u00E9", "alphA", "Gamma", "\u00E9T\u00C9"};
    const std::vector<QStringView> views(names.begin(), names.end());
    const std::vector<int> order = PlainTableModel::caselessOrder(views);
    ASSERT_EQ(order.size(), names.size());
    for (std::size_t k = 1; k < order.size(); ++k)
        EXPECT_LE(QString::compare(names[std::size_t(order[k - 1])], names[std::size_t(order[k])], Qt::CaseInsensitive),
                  0)
            << k;
}

// The floor's model shows the program's rows, sorts them and deletes a record from the file.
TEST(PlainTableModel, ShowsSortsAndDeletesWhatTheProgramDoes) {
    LoadedDatabase db(kAccounts);
    ASSERT_TRUE(db.ensureLoaded());
    PlainTableModel model(db.path().toLocal8Bit(), nullptr);
    model.load();
    ASSERT_EQ(model.rowCount(), kAccounts);
    QSet<QString> shown, stored;
    for (int r = 0; r < kAccounts; ++r) {
        const auto cell = [&](int column) { return model.data(model.index(r, column), Qt::DisplayRole).toString(); };
        shown.insert(cell(0) + '|' + cell(1) + '|' + cell(2));
        const AccountRow& row = db.list().row(r + 1);
        stored.insert(row.name + '|' + row.code + '|' + row.signature);
    }
    EXPECT_EQ(shown, stored);

    model.sortByName();
    for (int r = 1; r < kAccounts; ++r)
        ASSERT_LE(QString::compare(model.data(model.index(r - 1, 0), Qt::DisplayRole).toString(),
                                   model.data(model.index(r, 0), Qt::DisplayRole).toString(), Qt::CaseInsensitive),
                  0);

    const QByteArray code = model.data(model.index(10, 1), Qt::DisplayRole).toString().toLatin1();
    const int i = code.mid(2).toInt();
    const auto& starts = db.generated.recordStarts;
    model.remove(10);
    EXPECT_EQ(model.rowCount(), kAccounts - 1);
    EXPECT_EQ(readFile(db.path()),
              QByteArray(db.generated.bytes)
                  .remove(starts[std::size_t(i)], starts[std::size_t(i) + 1] - starts[std::size_t(i)]));
    EXPECT_EQ(readFile(db.path() + QStringLiteral(".bak")), db.generated.bytes);
}

}  // namespace
