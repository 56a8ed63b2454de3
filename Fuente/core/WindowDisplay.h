#pragma once

#include <QString>

// What the services show in the main window while they work: the comment box, the frame of the
// active account and the controls that the number of accounts allows. The window's controls
// (forms/ClsControles) show them; without a window (command-line tools, fuzzing) nothing is shown.
class WindowDisplay {
public:
    virtual ~WindowDisplay() = default;

    // The comment box holds this text.
    virtual void showComment(const QString& comment) { (void)comment; }
    // The frame names the active account by the name it is stored under.
    virtual void showActive(const QString& name) { (void)name; }
    // The frame warns that the active account is not stored.
    virtual void showNotStored(const QString& warning) { (void)warning; }
    // The frame shows that the game has no active account; the comment box is emptied.
    virtual void showNoActive() {}
    // Enables the controls that the number of accounts allows.
    virtual void Botones() {}
};
