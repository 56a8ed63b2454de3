#pragma once

#include <QString>

enum class MsgButtons { OK, YesNo };
enum class MsgIcon { None, Question, Exclamation, Information, Critical };
enum class MsgAnswer { OK, Yes, No };

// One message box as the person sees it.
struct MessageBoxSpec {
    QString text{};
    QString title{};
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    MsgAnswer defaultButton = MsgAnswer::OK;

    bool operator==(const MessageBoxSpec& o) const {
        return text == o.text && title == o.title && buttons == o.buttons && icon == o.icon &&
               defaultButton == o.defaultButton;
    }
};

// The result of a file dialog: the full file name and its title (the name without the folder);
// both empty when the person cancelled.
struct FileChoice {
    QString fileName;
    QString fileTitle;
};

// Everything the program asks of the person or of the desktop. The window layer implements it
// with real dialogs; tests implement it with scripted answers.
class Dialogs {
public:
    static inline const QString AppTitle = QStringLiteral("Vantor");

    virtual ~Dialogs() = default;

    // A box given no title carries the application's title; the default button is the first
    // one unless given.
    MsgAnswer MsgBox(const QString& text, MsgButtons buttons = MsgButtons::OK, MsgIcon icon = MsgIcon::None,
                     const QString& title = {});
    MsgAnswer MsgBox(MessageBoxSpec box);

    // Cancel gives the empty text.
    virtual QString InputBox(const QString& prompt, const QString& title, const QString& preset) = 0;

    // The filter is in the form "Description(*.ext)|*.ext".
    virtual FileChoice ShowOpen(const QString& filter, const QString& initialName) = 0;
    virtual FileChoice ShowSave(const QString& filter, const QString& initialName) = 0;

    virtual void SetClipboard(const QString& text) = 0;
    virtual void Beep() = 0;
    virtual void OpenLink(const QString& url) = 0;
    // Starts a program without waiting for it. `arguments` is the command-line text after the
    // program, split into arguments as the platform does. Fails with RunError.
    enum class Show { Normal, Minimized };
    virtual void StartProgram(const QString& program, const QString& arguments, const QString& workingFolder,
                              Show show) = 0;

protected:
    virtual MsgAnswer showMessage(const MessageBoxSpec& box) = 0;
};
