#include "Colors.h"

#include <QApplication>

#include "forms/Controls.h"

namespace {

QColor toQColor(quint32 value) {
    const QPalette system = QApplication::palette();
    switch (value) {
    case Colores::WindowBackground:
        return system.color(QPalette::Base);
    case Colores::ButtonFace:
        return system.color(QPalette::Button);
    case Colores::ButtonText:
        return system.color(QPalette::ButtonText);
    default:
        return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
    }
}

}  // namespace

void applyColor(QWidget* widget, QPalette::ColorRole role, quint32 value) {
    QPalette palette = widget->palette();
    const QColor color = toQColor(value);
    // A text colour is the enabled look only: disabled, the text greys like every other control's.
    if (role == QPalette::WindowText || role == QPalette::Text || role == QPalette::ButtonText) {
        palette.setColor(QPalette::Active, role, color);
        palette.setColor(QPalette::Inactive, role, color);
    } else {
        palette.setColor(role, color);
    }
    widget->setPalette(palette);
}
