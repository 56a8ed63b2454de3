// The program's own file formats, read and written for real in a temporary folder: text files
// in the code page with CR LF line ends, the registry script store, a Wine prefix's registry
// files and drives (written by hand, with no wineserver for them) and the desktop's launchers,
// checked and started by the desktop's own tools. Inputs are in tables.json.
#include <functional>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include "Printers.h"
#include "RegistryFile.h"
#include "RunError.h"
#include "ShortcutFile.h"
#include "Tables.h"
#include "TestFolder.h"
#include "TextReader.h"
#include "TextWriter.h"
#include "WinePrefix.h"
#include "WineRegistryFile.h"

namespace {

const QString kKey = RegistryAccess::GameKey;
constexpr auto HKCU = RegistryAccess::CurrentUser;

// The number of the failure `action` throws; 0 for none.
int failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RunError& e) {
        return e.number;
    }
    return 0;
}

// Lines end at CR LF or a lone CR; an append starts on a line of its own; a writer not closed
// leaves the file as it was; every byte survives a read and a write, and a character outside the
// code page is written '?'.
TEST(TextFile, LinesBytesAndAppends) {
    TestFolder folder;
    const QString file = folder.path("file.txt");
    for (const QJsonValue& c : Tables::get("lines read from a file's bytes").toArray()) {
        folder.write("file.txt", Tables::bytes(c[0]));
        TextReader reader(file);
        QStringList lines;
        while (!reader.atEnd())
            lines << reader.readLine();
        EXPECT_EQ(lines, c[1].toVariant().toStringList()) << Tables::text(c[0]);
    }
    for (const QJsonValue& c : Tables::get("a file's bytes before and after a line is appended").toArray()) {
        folder.write("file.txt", Tables::bytes(c[0]));
        TextWriter writer(file, TextWriter::Mode::Append);
        writer.writeLine(u"x");
        TextWriter(file, TextWriter::Mode::Rewrite).writeLine(u"not closed");
        TextWriter(file, TextWriter::Mode::Append).writeLine(u"not closed");
        writer.close();
        EXPECT_EQ(folder.read("file.txt"), Tables::bytes(c[1])) << Tables::text(c[0]);
    }
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all.append(char(b));
    folder.write("file.txt", all);
    const QString text = TextReader(file).readLine();
    EXPECT_EQ(text[0x80 - 3], QChar(0x20AC)) << "byte 0x80 is the euro sign";
    TextWriter writer(file, TextWriter::Mode::Rewrite);
    writer.writeLine(text + QChar(0x4E2D));
    writer.close();
    EXPECT_EQ(folder.read("file.txt"), all + "?\r\n");
}

// Reading past the end, a missing file, path or a folder, by their numbers; and a full disk.
TEST(TextFile, FailuresAreToldApart) {
    TestFolder folder;
    folder.mkdir("folder");
    folder.write("one line", "only\r\n");
    const std::map<QString, std::function<void(const QString&)>> actions{
        {"read two lines",
         [](const QString& path) {
             TextReader reader(path);
             reader.readLine(), reader.readLine();
         }},
        {"rewrite", [](const QString& path) { TextWriter(path, TextWriter::Mode::Rewrite); }},
    };
    for (const QJsonValue& c : Tables::get("text file failures").toArray())
        EXPECT_EQ(failureOf([&] { actions.at(c[0].toString())(folder.path(c[1].toString())); }), c[2].toInt())
            << Tables::text(c);
    if (QFile::exists("/dev/full")) {
        TextWriter full("/dev/full", TextWriter::Mode::Append);
        full.writeLine(QString(100000, 'x'));
        EXPECT_EQ(failureOf([&] { full.close(); }), RunError::DiskFull);
    }
}

// Values round trip with their escapes; a value of two lines is refused, the file untouched; a
// value added after a binary value whose last line still asks for a continuation is kept apart.
TEST(TextFile, TheRegistryScriptStore) {
    TestFolder folder;
    RegistryFile store{folder.path(RegistryFile::FileName)};
    const auto script = [&] { return folder.read(RegistryFile::FileName); };
    for (const QJsonValue& value : Tables::get("registry values").toArray()) {
        store.WriteValue(HKCU, kKey, "MPAccountName", value.toString());
        EXPECT_EQ(store.ReadValue(HKCU, kKey, "MPAccountName"), value.toString());
    }
    const QByteArray before = script();
    EXPECT_THROW(store.WriteValue(HKCU, kKey, "MPAccountName", "two\r\nlines"), RunError);
    EXPECT_EQ(script(), before);

    const QByteArray unfinished = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + kKey.toLatin1() +
                                  "]\r\n\"Blob\"=hex:01,\\\r\n";
    folder.write(RegistryFile::FileName, unfinished);
    store.WriteValues(HKCU, kKey, {{"MPAccountName", "a\\b\"c"}, {"MPAccountNameSig", "sig"}});
    EXPECT_EQ(script(), unfinished + "\r\n\"MPAccountName\"=\"a\\\\b\\\"c\"\r\n\"MPAccountNameSig\"=\"sig\"\r\n");
}

// Wine's reg exports the key and its subkeys in UTF-16: the text values of the key are read.
TEST(WinePrefix, AnExportGivesTheFirstKeysTextValues) {
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
}

// Drive c: is the prefix's drive_c, d: a link to nowhere; "$C" in the table stands for drive_c.
TEST(WinePrefix, WindowsPathsAreFoundThroughTheDrivesWithoutRegardToCase) {
    TestFolder folder;
    WinePrefix prefix{folder.path("prefix")};
    QDir().mkpath(prefix.folder() + "/drive_c/Games/Free Lancer/EXE");
    QDir().mkpath(prefix.folder() + "/dosdevices");
    ASSERT_TRUE(QFile::link("../drive_c", prefix.folder() + "/dosdevices/c:"));
    ASSERT_TRUE(QFile::link(folder.path("gone"), prefix.folder() + "/dosdevices/d:"));
    const QString drive = QDir(prefix.folder() + "/drive_c").canonicalPath();
    for (const QJsonValue& c : Tables::get("Windows paths in the prefix").toArray())
        EXPECT_EQ(prefix.hostPath(c[0].toString()), c[1].toString().replace("$C", drive)) << Tables::text(c[0]);
}

// A launcher for a program that writes down its arguments and WINEPREFIX, made with a quote in
// its name, in folders and prefixes with the characters a shell or the desktop treat apart; it is
// checked by desktop-file-validate and started by gio (desktop-file-utils, libglib2.0-bin).
TEST(DesktopLauncher, StartsTheProgramWithExactlyItsArguments) {
    for (const QJsonValue& c : Tables::get("desktop launchers: folder, arguments, Wine prefix").toArray()) {
        SCOPED_TRACE(Tables::text(c));
        TestFolder folder;
        const QString program = c[0].toString() + "/VTR";
        folder.write(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" \"${WINEPREFIX-<unset>}\" >'" +
                                  folder.path("started").toUtf8() + "'\n");
        QFile::setPermissions(folder.path(program), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString launcher = ShortcutFile::write(folder.path(), "Fighter \"1\"", folder.path(program),
                                                     c[1].toString(), c[2].toString());
        EXPECT_TRUE(QFile::permissions(launcher) & QFile::ExeOwner);
        QProcess tool;
        tool.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("WINEPREFIX");
        tool.setProcessEnvironment(environment);
        for (const QStringList& command :
             {QStringList{"desktop-file-validate", launcher}, {"gio", "launch", launcher}}) {
            tool.start(command[0], command.mid(1));
            const bool finished = tool.waitForFinished(10000);
            ASSERT_TRUE(finished && tool.exitCode() == 0 && tool.peek(1).isEmpty())
                << command.join(" ").toStdString() << ": " << tool.errorString().toStdString()
                << tool.readAll().toStdString();
        }
        // gio starts the program and does not wait for it.
        for (int waited = 0; waited < 10000 && !QFileInfo(folder.path("started")).size(); waited += 20)
            QThread::msleep(20);
        const QString prefix = c[2].toString().isEmpty() ? "<unset>" : c[2].toString();
        EXPECT_EQ(QString::fromUtf8(folder.read("started")), c[1].toString() + '\n' + prefix + '\n');
    }
}

}  // namespace
