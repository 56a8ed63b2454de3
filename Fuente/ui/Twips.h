#pragma once

#include <QString>
#include <QWidget>

// The window's places are given in twips, 15 to a pixel.
constexpr int TwipsPerPixel = 15;

constexpr int twips(int value) { return value / TwipsPerPixel; }

// Creates a widget named as its control, at a place given in twips inside its parent.
template <class W, class... Args>
W* place(QWidget* parent, const char* name, int left, int top, int width, int height, Args&&... args) {
    auto* widget = new W(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
    return widget;
}
