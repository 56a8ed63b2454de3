#pragma once

#include <QPalette>
#include <QWidget>

// Paints a widget's role with a 32-bit colour value of the model: red in the low byte, or a
// system colour (top bit set) taken from the application's palette. A text role takes the colour
// only while the widget is enabled; a background role keeps it disabled too.
void applyColor(QWidget* widget, QPalette::ColorRole role, quint32 value);
