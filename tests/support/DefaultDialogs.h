#pragma once

#include <QFileInfo>
#include <QString>

#include "Dialogs.h"

// Answers every message box with its default button and every file dialog with `chosen` (none
// when it is empty), and counts the boxes and beeps, so that a failure report shows up as a
// count instead of stopping a benchmark or a driver program.
class DefaultDialogs : public Dialogs {
public:
    QString chosen;
    QString lastMessage;
    int messages = 0;

    QString InputBox(const QString&, const QString&, const QString&) override { return {}; }
    FileChoice ShowOpen(const QString&, const QString&) override { return choice(); }
    FileChoice ShowSave(const QString&, const QString&) override { return choice(); }
    void SetClipboard(const QString&) override {}
    void Beep() override { ++messages; }  // a report that could not be written only beeps
    void OpenLink(const QString&) override {}
    void StartProgram(const QString&, const QString&, const QString&, Show) override {}

protected:
    MsgAnswer showMessage(const MessageBoxSpec& box) override {
        ++messages;
        lastMessage = box.text;
        return box.defaultButton;
    }

private:
    FileChoice choice() const { return chosen.isEmpty() ? FileChoice{} : FileChoice{chosen, QFileInfo(chosen).fileName()}; }
};
