// The real VTR, copied into an application folder. The command-line case folders run through it
// with no display to reach, so that its messages go to standard error and its questions are
// answered No: every case whose questions are all answered No and that asks for no name. The
// files it leaves, the boxes it tells, the files it makes and the game it starts (a script that
// records its folder and arguments) must be those of the case.
#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "Cases.h"
#include "Printers.h"
#include "Program.h"

namespace {

const QStringList kNoDisplay{"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"};
constexpr auto kLines = QRegularExpression::MultilineOption;

QString transcript(const QString& name) { return readFile(Cases::dir(name) + "/transcript"); }

QStringList commandCases() {
    QStringList names;
    for (const QString& name : Cases::names())
        if (name.startsWith("command-") && QFileInfo::exists(Cases::dir(name) + "/before/GameSettings.reg") &&
            !transcript(name).contains(QRegularExpression("-> Yes$|^input ", kLines)))
            names << name;
    return names;
}

class CommandCase : public ::testing::TestWithParam<QString> {};

TEST_P(CommandCase, RunsThroughTheRealProgram) {
    const QString name = GetParam();
    if (Cases::updating())
        GTEST_SKIP() << "the in-process run writes the case";
    TestFolder app;
    Cases::prepare(app, name);
    ASSERT_TRUE(QFile::copy(VTR_PATH, app.path("VTR")));
    QString game;
    for (const QString& file : Cases::filesUnder(app.path()))
        if (file.endsWith(".exe"))
            app.write(game = file,
                      "#!/bin/sh\n{ pwd -P; printf '%s\\n' \"$@\"; } > \"$0.t\" && mv \"$0.t\" \"$0.args\"\n");
    const QString command =
        QRegularExpression("^command (.*)$", kLines).match(readFile(Cases::dir(name) + "/steps")).captured(1);
    Program vtr(app.path("VTR"), command.split(' '), environmentWith({}, kNoDisplay));
    ASSERT_EQ(vtr.wait(), 0) << vtr.errors();

    // The boxes of the transcript as the program tells them on standard error.
    const QString expected = transcript(name).replace("$APP", app.path());
    QString told;
    const QRegularExpression box("^box \\[(.*)\\] (\\w+).*\\n((?:  .*\\n)*)", kLines);
    for (auto boxes = box.globalMatch(expected); boxes.hasNext();) {
        const auto shown = boxes.next();
        told += shown.captured(1) + ": " + shown.captured(3).remove(QRegularExpression("^  ", kLines));
        if (shown.captured(2) == "YesNo")
            told.insert(told.size() - 1, "\n-> No (no display to ask on)");
    }
    EXPECT_EQ(QString::fromLocal8Bit(vtr.errors().c_str()), told);
    const auto start = QRegularExpression("^start .* \\| (.*) \\| (.*)$", kLines).match(expected);
    const QString record = app.path(game + ".args");  // put in its place once it is whole
    EXPECT_EQ(start.hasMatch() && eventually(5000, [&] { return QFileInfo::exists(record); })
                  ? QString(readFile(record))
                  : QString(),
              start.hasMatch() ? QDir(start.captured(2)).canonicalPath() + '\n' +
                                     start.captured(1).split(' ', Qt::SkipEmptyParts).join('\n') + '\n'
                               : QString());
    QString files = "files";
    for (const QString& file : Cases::filesUnder(app.path()))
        if (file != "VTR" && !file.endsWith(".args") && !(file.startsWith("Backups/") && files.endsWith("/*")))
            files += ' ' + (file.startsWith("Backups/") ? QString("Backups/*") : file);
    EXPECT_TRUE(expected.contains("\n" + files + "\n")) << files.toStdString();
    EXPECT_EQ(Cases::differences(app, name), "");
}

INSTANTIATE_TEST_SUITE_P(, CommandCase, ::testing::ValuesIn(commandCases()),
                         [](const auto& info) { return QString(info.param).replace('-', '_').toStdString(); });

// Without arguments the program is the window: on the offscreen platform it makes its files beside
// itself at its first start (its store a Wine prefix that is not there) and waits for the person;
// with no display at all it says so and ends.
TEST(Window, FirstStartAndNoDisplay) {
    TestFolder app;
    ASSERT_TRUE(QFile::copy(VTR_PATH, app.path("VTR")));
    Program window(app.path("VTR"), {},
                   environmentWith({"QT_QPA_PLATFORM=offscreen", "WINEPREFIX=" + app.path("none")}));
    // Made, and the lock it is made under given back.
    EXPECT_TRUE(eventually(20000,
                           [&] {
                               return QFileInfo::exists(app.path("Accounts.dat")) &&
                                      !QFileInfo::exists(app.path("Accounts.dat.lock"));
                           }) &&
                window.running())
        << "the window stays open";
    window.kill();
    EXPECT_EQ(Cases::filesUnder(app.path()), QStringList({"Accounts.dat", "Opciones.dat", "VTR"}));
    EXPECT_TRUE(QFileInfo(app.path("Logs")).isDir());

    Program unseen(app.path("VTR"), {}, environmentWith({}, kNoDisplay));
    EXPECT_EQ(unseen.wait(), 1);
    EXPECT_TRUE(QString::fromStdString(unseen.errors()).startsWith("Vantor: no display can be reached"));
}

}  // namespace
