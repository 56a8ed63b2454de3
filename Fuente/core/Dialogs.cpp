#include "Dialogs.h"

MsgAnswer Dialogs::MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) {
    return MsgBox(
        MessageBoxSpec{text, title, buttons, icon, buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::OK});
}

MsgAnswer Dialogs::MsgBox(MessageBoxSpec box) {
    if (box.title.isEmpty())
        box.title = AppTitle;
    return showMessage(box);
}
