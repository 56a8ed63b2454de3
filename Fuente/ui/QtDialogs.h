#pragma once

#include <functional>
#include <QPointer>
#include <QWidget>

#include "Dialogs.h"

// The person's side of the program: real message boxes, input boxes, file dialogs, the clipboard,
// the beep and the desktop's link handler.
class QtDialogs : public Dialogs {
public:
    // The window that boxes belong to; none before the main window exists. `showState` brings
    // that window up to date before a box opens, so that the box is seen over what it is about.
    void setParentWindow(QWidget* window, std::function<void()> showState = {}) {
        parent_ = window;
        showState_ = std::move(showState);
    }

    QString InputBox(const QString& prompt, const QString& title, const QString& preset) override;
    FileChoice ShowOpen(const QString& filter, const QString& initialName) override;
    FileChoice ShowSave(const QString& filter, const QString& initialName) override;
    void SetClipboard(const QString& text) override;
    void Beep() override;
    void OpenLink(const QString& url) override;
    void StartProgram(const QString& program, const QString& arguments, const QString& workingFolder,
                      Show show) override;

    // "Text(*.txt)|*.txt|All(*.*)|*.*" in the form the Qt file dialogs take.
    static QString qtFilter(const QString& filter);

protected:
    MsgAnswer showMessage(const MessageBoxSpec& box) override;

private:
    // The window a box belongs to: the one the person works in (a dialog, when one is open), so
    // that the keyboard goes back there once the box closes; else the main window.
    QWidget* owner() const;

    // Brings the window up to date before a box opens.
    void showState() const;

    QPointer<QWidget> parent_;
    std::function<void()> showState_;
};

// The same where nothing can be seen (no display, or the offscreen platform): a message goes to
// standard error, a question is answered No, an input box and a file dialog are cancelled. No
// answer that nobody gave ever goes ahead with a change.
class UnseenDialogs : public QtDialogs {
public:
    QString InputBox(const QString& prompt, const QString& title, const QString& preset) override;
    FileChoice ShowOpen(const QString& filter, const QString& initialName) override;
    FileChoice ShowSave(const QString& filter, const QString& initialName) override;
    void SetClipboard(const QString&) override {}
    void Beep() override {}

protected:
    MsgAnswer showMessage(const MessageBoxSpec& box) override;
};
