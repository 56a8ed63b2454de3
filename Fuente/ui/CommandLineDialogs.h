#pragma once

#include <functional>

#include "QtDialogs.h"

// The command line's dialogs. The command line shows no window and mostly no box, so the GUI (the
// widget stack, the platform plugin, the fonts) is started only when the first box must be shown:
// `startGui` starts it and says whether a person can see it. The boxes are then real ones, or,
// where nothing can be seen, those that tell standard error. A program is started without it.
class CommandLineDialogs : public Dialogs {
public:
    explicit CommandLineDialogs(std::function<bool()> startGui) : startGui_(std::move(startGui)) {}

    QString InputBox(const QString& prompt, const QString& title, const QString& preset) override {
        return gui().InputBox(prompt, title, preset);
    }
    FileChoice ShowOpen(const QString& filter, const QString& initialName) override {
        return gui().ShowOpen(filter, initialName);
    }
    FileChoice ShowSave(const QString& filter, const QString& initialName) override {
        return gui().ShowSave(filter, initialName);
    }
    void SetClipboard(const QString& text) override { gui().SetClipboard(text); }
    void Beep() override { gui().Beep(); }
    void OpenLink(const QString& url) override { gui().OpenLink(url); }
    void StartProgram(const QString& program, const QString& arguments, const QString& workingFolder,
                      Show show) override {
        shown_.StartProgram(program, arguments, workingFolder, show);
    }

protected:
    MsgAnswer showMessage(const MessageBoxSpec& box) override { return gui().MsgBox(box); }

private:
    Dialogs& gui() {
        if (!gui_)
            gui_ = startGui_() ? static_cast<Dialogs*>(&shown_) : &unseen_;
        return *gui_;
    }

    std::function<bool()> startGui_;
    QtDialogs shown_;
    UnseenDialogs unseen_;
    Dialogs* gui_ = nullptr;
};
