#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "Dialogs.h"

// The one dialog fake. It records what the program showed (and writes it down in `transcript`, as
// a person saw it) and answers from a script. In order (the default), every message box must have
// been expected, in order and with all its properties, and every expected one shown; any input box
// or file dialog must have been scripted. With defaults, a box takes the next of `answers` or else
// its default button, an unscripted input box `name` (else its preset) and an unscripted file
// dialog `chosen` (none when empty). `onShow` sees every box (null for an input box) first.
class ScriptedDialogs : public Dialogs {
public:
    enum class Order { InOrder, Defaults };
    // The title of the box that reports a failure.
    static const QString ReportTitle;

    explicit ScriptedDialogs(Order order = Order::InOrder) : order_(order) {}
    ~ScriptedDialogs() override;

    void expect(const MessageBoxSpec& box, MsgAnswer answer = MsgAnswer::OK);
    void expectInput(const QString& answer) { inputs_.push_back(answer); }
    // The report box for a failure written to `logFile` (a full path), and for one whose report
    // could not be written, for the reason `why`.
    static MessageBoxSpec errorBox(const QString& description, const QString& logFile);
    static MessageBoxSpec unwrittenErrorBox(const QString& description, const QString& why);

    std::deque<FileChoice> files;
    std::deque<MsgAnswer> answers;
    QString chosen;
    std::optional<QString> name;
    std::function<void(const MessageBoxSpec*)> onShow;

    std::vector<MessageBoxSpec> shown;
    QString lastMessage, transcript;
    int messages = 0;  // boxes and beeps: a report that could not be written only beeps
    int beeps = 0;
    struct Started {
        QString program, arguments, workingFolder;
    };
    std::vector<Started> started;

    // The failure reports among the boxes shown.
    std::vector<MessageBoxSpec> reports() const;

    QString InputBox(const QString& prompt, const QString& title, const QString& preset) override;
    FileChoice ShowOpen(const QString& filter, const QString& initialName) override;
    FileChoice ShowSave(const QString& filter, const QString& initialName) override;
    void SetClipboard(const QString& text) override { transcript += "clipboard " + text + '\n'; }
    void Beep() override;
    void OpenLink(const QString&) override {}
    void StartProgram(const QString& program, const QString& arguments, const QString& folder, Show) override;

protected:
    MsgAnswer showMessage(const MessageBoxSpec& box) override;
    void record(const MessageBoxSpec& box);

private:
    FileChoice file(const char* kind, const QString& filter);

    Order order_;
    std::deque<std::pair<MessageBoxSpec, MsgAnswer>> expected_;
    std::deque<QString> inputs_;
};

// Every box answered with its default button, as a person pressing Enter would.
class DefaultDialogs : public ScriptedDialogs {
public:
    DefaultDialogs() : ScriptedDialogs(Order::Defaults) {}
};
