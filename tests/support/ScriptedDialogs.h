#pragma once

#include <deque>
#include <QString>
#include <vector>

#include "Dialogs.h"

// Answers the program's questions from a script. Every message box must have been expected, in
// order and with all its properties; anything else fails the test.
class ScriptedDialogs : public Dialogs {
public:
    ~ScriptedDialogs() override;

    void expect(const MessageBoxSpec& box, MsgAnswer answer = MsgAnswer::OK);
    void expectInput(const QString& answer) { inputs_.push_back(answer); }

    // The report box for a failure written to `logFile` (a full path).
    static MessageBoxSpec errorBox(const QString& description, const QString& logFile);

    std::vector<MessageBoxSpec> shown;
    int beeps = 0;
    std::vector<QString> clipboard;
    std::vector<QString> links;

    QString InputBox(const QString& prompt, const QString& title, const QString& preset) override;
    FileChoice ShowOpen(const QString& filter, const QString& initialName) override;
    FileChoice ShowSave(const QString& filter, const QString& initialName) override;
    void SetClipboard(const QString& text) override { clipboard.push_back(text); }
    void Beep() override { ++beeps; }
    void OpenLink(const QString& url) override { links.push_back(url); }
    void StartProgram(const QString& program, const QString& arguments, const QString& workingFolder,
                      Show) override {
        started.push_back({program, arguments, workingFolder});
    }

    struct Started {
        QString program, arguments, workingFolder;
    };
    std::vector<Started> started;

    std::deque<FileChoice> files;

protected:
    MsgAnswer showMessage(const MessageBoxSpec& box) override;

private:
    std::deque<std::pair<MessageBoxSpec, MsgAnswer>> expected_;
    std::deque<QString> inputs_;
};
