#pragma once

#include <deque>
#include <QString>
#include <utility>
#include <vector>

#include "DefaultDialogs.h"

// Answers the program's questions from a script. In order (the default), every message box must
// have been expected, in order and with all its properties, and every expected one shown; any
// input box or file dialog must have been scripted. In any order, a box is answered when it is
// one of those expected (shown or not, as often as it comes), failure reports are allowed and
// recorded, and unscripted inputs and file dialogs get the default answers. Anything else is a
// test failure.
class ScriptedDialogs : public DefaultDialogs {
public:
    enum class Order { InOrder, AnyOrder };

    explicit ScriptedDialogs(Order order = Order::InOrder) : order_(order) {}
    ~ScriptedDialogs() override;

    void expect(const MessageBoxSpec& box, MsgAnswer answer = MsgAnswer::OK);
    void expectInput(const QString& answer) { inputs_.push_back(answer); }
    // Forgets the expected boxes (in any order, where a new run lists its own).
    void forgetExpected() { expected_.clear(); }

    // The report box for a failure written to `logFile` (a full path), and for one whose report
    // could not be written, for the reason `why`.
    static MessageBoxSpec errorBox(const QString& description, const QString& logFile);
    static MessageBoxSpec unwrittenErrorBox(const QString& description, const QString& why);

    std::deque<FileChoice> files;

    QString InputBox(const QString& prompt, const QString& title, const QString& preset) override;
    FileChoice ShowOpen(const QString& filter, const QString& initialName) override;
    FileChoice ShowSave(const QString& filter, const QString& initialName) override;

protected:
    MsgAnswer showMessage(const MessageBoxSpec& box) override;

private:
    MsgAnswer anyOrder(const MessageBoxSpec& box);

    Order order_;
    std::deque<std::pair<MessageBoxSpec, MsgAnswer>> expected_;
    std::deque<QString> inputs_;
};
