#include "ScriptedDialogs.h"

#include <gtest/gtest.h>
#include <QDir>

#include "Printers.h"

ScriptedDialogs::~ScriptedDialogs() {
    for (const auto& [box, answer] : expected_)
        ADD_FAILURE() << "expected message box never shown: " << box.text.toStdString();
    for (const QString& input : inputs_)
        ADD_FAILURE() << "scripted input never asked for: " << input.toStdString();
}

void ScriptedDialogs::expect(const MessageBoxSpec& box, MsgAnswer answer) {
    MessageBoxSpec full = box;
    if (full.title.isEmpty())
        full.title = AppTitle;
    expected_.emplace_back(full, answer);
}

MessageBoxSpec ScriptedDialogs::errorBox(const QString& description, const QString& logFile) {
    return {description + "\r\nAn error report has been created. It can be found at " +
                QDir::toNativeSeparators(logFile) +
                "\r\n\r\nPlease report or email the errorlogs to my creator. His contact info is available on "
                "the ''About'' dialog. \r\n\r\nThanks.",
            QStringLiteral("I'm sorry Dave. I'm afraid I can't do that")};
}

MsgAnswer ScriptedDialogs::showMessage(const MessageBoxSpec& box) {
    shown.push_back(box);
    if (expected_.empty()) {
        ADD_FAILURE() << "unexpected message box: " << box;
        return box.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::OK;
    }
    auto [wanted, answer] = expected_.front();
    expected_.pop_front();
    EXPECT_EQ(box, wanted);
    return answer;
}

QString ScriptedDialogs::InputBox(const QString& prompt, const QString&, const QString&) {
    if (inputs_.empty()) {
        ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
        return {};
    }
    QString answer = inputs_.front();
    inputs_.pop_front();
    return answer;
}

FileChoice ScriptedDialogs::ShowOpen(const QString&, const QString&) {
    if (files.empty()) {
        ADD_FAILURE() << "unexpected open dialog";
        return {};
    }
    FileChoice choice = files.front();
    files.pop_front();
    return choice;
}

FileChoice ScriptedDialogs::ShowSave(const QString& filter, const QString& initialName) {
    return ShowOpen(filter, initialName);
}
