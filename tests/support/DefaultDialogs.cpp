#include "DefaultDialogs.h"

#include <algorithm>
#include <iterator>
#include <QFileInfo>

const QString DefaultDialogs::ReportTitle = QStringLiteral("I'm sorry Dave. I'm afraid I can't do that");

std::vector<MessageBoxSpec> DefaultDialogs::reports() const {
    std::vector<MessageBoxSpec> result;
    std::copy_if(shown.begin(), shown.end(), std::back_inserter(result),
                 [](const MessageBoxSpec& box) { return box.title == ReportTitle; });
    return result;
}

bool DefaultDialogs::showed(const QString& text) const {
    return std::any_of(shown.begin(), shown.end(), [&](const MessageBoxSpec& box) { return box.text == text; });
}

bool DefaultDialogs::saw(const QString& part) const {
    return std::any_of(shown.begin(), shown.end(), [&](const MessageBoxSpec& box) { return box.text.contains(part); });
}

void DefaultDialogs::clear() {
    shown.clear();
    prompts.clear();
    lastMessage.clear();
    messages = beeps = 0;
}

QString DefaultDialogs::InputBox(const QString& prompt, const QString&, const QString& preset) {
    prompts << prompt;
    return name.value_or(preset);
}

FileChoice DefaultDialogs::ShowOpen(const QString&, const QString&) { return choice(); }

FileChoice DefaultDialogs::ShowSave(const QString&, const QString&) { return choice(); }

void DefaultDialogs::Beep() {
    ++beeps;
    ++messages;
}

MsgAnswer DefaultDialogs::showMessage(const MessageBoxSpec& box) {
    record(box);
    return box.defaultButton;
}

void DefaultDialogs::record(const MessageBoxSpec& box) {
    shown.push_back(box);
    lastMessage = box.text;
    ++messages;
}

FileChoice DefaultDialogs::choice() const {
    return chosen.isEmpty() ? FileChoice{} : FileChoice{chosen, QFileInfo(chosen).fileName()};
}
