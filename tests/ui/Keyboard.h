#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

// The keyboard as a person uses it: keys go to whichever widget has the focus at that moment.

// Whether the window becomes the one that takes the keyboard. (QTest's own wait also counts a
// dialog as active while only the window it belongs to is.)
inline bool becomesActive(QWidget* window) {
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

// Types the text one key at a time, each into the widget that has the focus then.
inline void type(const QString& text) {
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}
