#include "ScriptedDialogs.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <sstream>

#include "Printers.h"
#include "TestFailure.h"

namespace {

std::string describe(const char* what, const MessageBoxSpec& box) {
    std::ostringstream text;
    text << what << box;
    return text.str();
}

MessageBoxSpec reportBox(const QString& description, const QString& where) {
    return {description + "\r\n" + where +
                "\r\n\r\nPlease report or email the errorlogs to my creator. His contact info is available on "
                "the ''About'' dialog. \r\n\r\nThanks.",
            ScriptedDialogs::ReportTitle};
}

const char* answerName(MsgAnswer a) { return a == MsgAnswer::Yes ? "Yes" : a == MsgAnswer::No ? "No" : "OK"; }

template <class T>
std::optional<T> next(std::deque<T>& queue) {
    if (queue.empty())
        return std::nullopt;
    T value = queue.front();
    queue.pop_front();
    return value;
}

}  // namespace

const QString ScriptedDialogs::ReportTitle = QStringLiteral("I'm sorry Dave. I'm afraid I can't do that");

ScriptedDialogs::~ScriptedDialogs() {
    if (order_ == Order::InOrder)
        for (const auto& [box, answer] : expected_)
            testFailure(describe("expected message box never shown: ", box));
    for (const QString& input : inputs_)
        testFailure("scripted input never asked for: " + input.toStdString());
}

void ScriptedDialogs::expect(const MessageBoxSpec& box, MsgAnswer answer) {
    MessageBoxSpec full = box;
    if (full.title.isEmpty())
        full.title = AppTitle;
    expected_.emplace_back(full, answer);
}

MessageBoxSpec ScriptedDialogs::errorBox(const QString& description, const QString& logFile) {
    return reportBox(description,
                     "An error report has been created. It can be found at " + QDir::toNativeSeparators(logFile));
}

MessageBoxSpec ScriptedDialogs::unwrittenErrorBox(const QString& description, const QString& why) {
    return reportBox(description, "No error report could be written (" + why + ")");
}

std::vector<MessageBoxSpec> ScriptedDialogs::reports() const {
    std::vector<MessageBoxSpec> result;
    std::copy_if(shown.begin(), shown.end(), std::back_inserter(result),
                 [](const MessageBoxSpec& box) { return box.title == ReportTitle; });
    return result;
}

void ScriptedDialogs::record(const MessageBoxSpec& box) {
    shown.push_back(box);
    lastMessage = box.text;
    ++messages;
}

MsgAnswer ScriptedDialogs::showMessage(const MessageBoxSpec& box) {
    if (onShow)
        onShow(&box);
    record(box);
    MsgAnswer answer = box.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::OK;
    if (order_ == Order::Defaults) {
        answer = next(answers).value_or(box.defaultButton);
    } else if (expected_.empty()) {
        testFailure(describe("unexpected message box: ", box));
    } else {
        const auto [wanted, scripted] = expected_.front();
        expected_.pop_front();
        if (!(box == wanted))
            testFailure(describe("message box ", box) + describe("\n  where this one was expected: ", wanted));
        answer = scripted;
    }
    static const char* icons[] = {"", " Question", " Exclamation", " Information", " Critical"};
    transcript += QString("box [") + box.title + "] " + (box.buttons == MsgButtons::YesNo ? "YesNo" : "OK") +
                  icons[int(box.icon)] + " default " + answerName(box.defaultButton) + " -> " + answerName(answer) +
                  "\n  " + QString(box.text).replace("\r\n", "\n  ") + '\n';
    return answer;
}

QString ScriptedDialogs::InputBox(const QString& prompt, const QString& title, const QString& preset) {
    if (onShow)
        onShow(nullptr);
    std::optional<QString> answer = next(inputs_);
    if (!answer && order_ == Order::InOrder)
        testFailure("unexpected input box: " + prompt.toStdString());
    const QString given = answer ? *answer : order_ == Order::InOrder ? QString() : name.value_or(preset);
    transcript += "input [" + title + "] " + prompt + " -> " + given + '\n';
    return given;
}

FileChoice ScriptedDialogs::file(const char* kind, const QString& filter) {
    std::optional<FileChoice> choice = next(files);
    if (!choice && order_ == Order::InOrder)
        testFailure("unexpected file dialog");
    if (!choice)
        choice = chosen.isEmpty() || order_ == Order::InOrder ? FileChoice{}
                                                              : FileChoice{chosen, QFileInfo(chosen).fileName()};
    transcript += QString(kind) + ' ' + filter + " -> " + choice->fileName + '\n';
    return *choice;
}

FileChoice ScriptedDialogs::ShowOpen(const QString& filter, const QString&) { return file("open", filter); }

FileChoice ScriptedDialogs::ShowSave(const QString& filter, const QString&) { return file("save", filter); }

void ScriptedDialogs::Beep() {
    ++beeps;
    ++messages;
    transcript += "beep\n";
}

void ScriptedDialogs::StartProgram(const QString& program, const QString& arguments, const QString& folder, Show) {
    started.push_back({program, arguments, folder});
    transcript += "start " + program + " | " + arguments + " | " + folder + '\n';
}
