#include "ScriptedDialogs.h"

#include <QDir>
#include <sstream>

#include "Printers.h"
#include "TestFailure.h"

namespace {

std::string describe(const char* what, const MessageBoxSpec& box) {
    std::ostringstream text;
    text << what << box;
    return text.str();
}

}  // namespace

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

namespace {

MessageBoxSpec reportBox(const QString& description, const QString& where) {
    return {description + "\r\n" + where +
                "\r\n\r\nPlease report or email the errorlogs to my creator. His contact info is available on "
                "the ''About'' dialog. \r\n\r\nThanks.",
            DefaultDialogs::ReportTitle};
}

}  // namespace

MessageBoxSpec ScriptedDialogs::errorBox(const QString& description, const QString& logFile) {
    return reportBox(description,
                     "An error report has been created. It can be found at " + QDir::toNativeSeparators(logFile));
}

MessageBoxSpec ScriptedDialogs::unwrittenErrorBox(const QString& description, const QString& why) {
    return reportBox(description, "No error report could be written (" + why + ")");
}

MsgAnswer ScriptedDialogs::showMessage(const MessageBoxSpec& box) {
    record(box);
    if (order_ == Order::AnyOrder)
        return anyOrder(box);
    const MsgAnswer refused = box.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::OK;
    if (expected_.empty()) {
        testFailure(describe("unexpected message box: ", box));
        return refused;
    }
    auto [wanted, answer] = expected_.front();
    expected_.pop_front();
    if (!(box == wanted)) {
        std::ostringstream text;
        text << "message box " << box << "\n  where this one was expected: " << wanted;
        testFailure(text.str());
    }
    return answer;
}

MsgAnswer ScriptedDialogs::anyOrder(const MessageBoxSpec& box) {
    if (box.title == ReportTitle)
        return MsgAnswer::OK;
    for (const auto& [wanted, answer] : expected_)
        if (wanted == box)
            return answer;
    testFailure(describe("unexpected message box: ", box));
    return box.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::OK;
}

QString ScriptedDialogs::InputBox(const QString& prompt, const QString& title, const QString& preset) {
    if (inputs_.empty()) {
        if (order_ == Order::AnyOrder)
            return DefaultDialogs::InputBox(prompt, title, preset);
        prompts << prompt;
        testFailure("unexpected input box: " + prompt.toStdString());
        return {};
    }
    prompts << prompt;
    QString answer = inputs_.front();
    inputs_.pop_front();
    return answer;
}

FileChoice ScriptedDialogs::ShowOpen(const QString& filter, const QString& initialName) {
    if (files.empty()) {
        if (order_ == Order::AnyOrder)
            return DefaultDialogs::ShowOpen(filter, initialName);
        testFailure("unexpected file dialog");
        return {};
    }
    FileChoice choice = files.front();
    files.pop_front();
    return choice;
}

FileChoice ScriptedDialogs::ShowSave(const QString& filter, const QString& initialName) {
    return ShowOpen(filter, initialName);
}
