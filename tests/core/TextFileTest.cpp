#include <functional>
#include <gtest/gtest.h>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "Cp1252.h"
#include "FileBytes.h"
#include "RunError.h"
#include "TestFolder.h"
#include "TextReader.h"
#include "TextWriter.h"

namespace {

// The tables of TextFileTest.json: texts there are bytes, one character each.
QJsonArray table(const char* name) {
    return QJsonDocument::fromJson(readFile(QStringLiteral(CASES_DIR "/../core/TextFileTest.json")))[name].toArray();
}
QByteArray bytes(const QJsonValue& text) { return text.toString().toLatin1(); }

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

TEST_F(TextFileTest, SplitsLinesAtCarriageReturnLineFeeds) {
    for (const QJsonValue& c : table("lines read from a file's bytes")) {
        write(bytes(c[0]));
        TextReader reader(path());
        QStringList lines;
        while (!reader.atEnd())
            lines << reader.readLine();
        EXPECT_EQ(lines, c[1].toVariant().toStringList()) << c[0].toString().toStdString();
    }
}

TEST_F(TextFileTest, AppendingStartsOnANewLine) {
    for (const QJsonValue& c : table("a file's bytes before and after a line is appended")) {
        write(bytes(c[0]));
        TextWriter writer(path(), TextWriter::Mode::Append);
        writer.writeLine(u"x");
        writer.close();
        EXPECT_EQ(read(), bytes(c[1])) << c[0].toString().toStdString();
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
    EXPECT_EQ(Cp1252::encode(u"a\u20ACb\u4E2Dc"), "a\x80"
                                                  "b?c")
        << "a character outside the code page is a '?'";
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

}  // namespace
