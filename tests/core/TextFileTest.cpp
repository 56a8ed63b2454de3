#include <gtest/gtest.h>
#include <QFile>
#include <QStringList>
#include <QDir>

#include "AppFolder.h"

#include "Cp1252.h"
#include "Printers.h"
#include "RunError.h"
#include "TextReader.h"
#include "TextWriter.h"

namespace {

struct LineCase {
    const char* what;
    QByteArray bytes;
    QStringList lines;
};

class TextFileTest : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("file.txt")) const { return app.path(name); }
    void write(const QByteArray& bytes) const { app.write(QStringLiteral("file.txt"), bytes); }
    QByteArray read() const { return app.read(QStringLiteral("file.txt")); }
    QStringList readAll() const {
        TextReader reader(path());
        QStringList lines;
        while (!reader.atEnd())
            lines << reader.readLine();
        return lines;
    }
    static int failureOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const RunError& e) {
            return e.number;
        }
        return 0;
    }

    AppFolder app;
};

// A CR alone, an LF alone and a file of LF line ends: the load cases.
TEST_F(TextFileTest, SplitsLinesAtCarriageReturns) {
    const LineCase cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"no line end at the end", "a\r\nb", {"a", "b"}},
        {"empty lines", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"LF after CR LF is text of the next line", "a\r\n\nb", {"a", "\nb"}},
        {"NUL bytes are kept", QByteArray("a\0b\r\n", 5), {QString(QChar(u'a')) + QChar(0) + 'b'}},
        {"empty file", "", {}},
    };
    for (const LineCase& c : cases) {
        write(c.bytes);
        EXPECT_EQ(readAll(), c.lines) << c.what;
    }
}

TEST_F(TextFileTest, FailuresAreToldApart) {
    app.mkdir("folder");
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
    TextWriter writer(path(), TextWriter::Mode::Rewrite);
    writer.writeLine(text);
    writer.close();
    EXPECT_EQ(read(), all + "\r\n");
}

TEST_F(TextFileTest, CharactersOutsideTheCodePageAreWrittenAsQuestionMarks) {
    EXPECT_EQ(Cp1252::encode(u"a\u20ACb\u4E2Dc"), QByteArray("a\x80"
                                                             "b?c"));
    EXPECT_TRUE(Cp1252::canEncode(u"\u00E9t\u00E9 \u20AC \u0178"));
    EXPECT_FALSE(Cp1252::canEncode(u"\u4E2D"));
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

TEST_F(TextFileTest, AppendingStartsOnANewLine) {
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"", "x\r\n"}, {"a\r\n", "a\r\nx\r\n"}, {"a", "a\r\nx\r\n"}, {"a\r", "a\rx\r\n"}, {"a\n", "a\n\r\nx\r\n"},
    };
    for (const auto& [before, after] : cases) {
        write(before);
        TextWriter writer(path(), TextWriter::Mode::Append);
        writer.writeLine(u"x");
        writer.close();
        EXPECT_EQ(read(), after) << before.toStdString();
    }
}

}  // namespace
