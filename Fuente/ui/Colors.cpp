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
    palette.setColor(role, toQColor(value));
    widget->setPalette(palette);
}
