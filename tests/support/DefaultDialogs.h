#pragma once

#include <optional>
#include <QString>
#include <QStringList>
#include <vector>

#include "Dialogs.h"

// Answers every message box with its default button, every input box with `name` (its preset
// when none is set) and every file dialog with `chosen` (none when it is empty), and records
// what the program showed, so that a run goes on where a person would only press Enter.
class DefaultDialogs : public Dialogs {
public:
    // The title of the box that reports a failure.
    static const QString ReportTitle;

    QString chosen;
    std::optional<QString> name;

    std::vector<MessageBoxSpec> shown;
    QStringList prompts;  // the input boxes' prompts
    QString lastMessage;
    int messages = 0;  // boxes and beeps: a report that could not be written only beeps
    int beeps = 0;
    QStringList clipboard;
    QStringList links;
    struct Started {
        QString program, arguments, workingFolder;
    };
    std::vector<Started> started;

    // The failure reports among the boxes shown.
    std::vector<MessageBoxSpec> reports() const;
    bool showed(const QString& text) const;
    // Whether a box's text contained `part`.
    bool saw(const QString& part) const;
    void clear();

    QString InputBox(const QString& prompt, const QString& title, const QString& preset) override;
    FileChoice ShowOpen(const QString& filter, const QString& initialName) override;
    FileChoice ShowSave(const QString& filter, const QString& initialName) override;
    void SetClipboard(const QString& text) override { clipboard << text; }
    void Beep() override;
    void OpenLink(const QString& url) override { links << url; }
    void StartProgram(const QString& program, const QString& arguments, const QString& workingFolder, Show) override {
        started.push_back({program, arguments, workingFolder});
    }

protected:
    MsgAnswer showMessage(const MessageBoxSpec& box) override;
    // Records a box; the subclasses decide the answer.
    void record(const MessageBoxSpec& box);
    FileChoice choice() const;
};
