#pragma once

#include <array>
#include <QString>

// What a person can see of each kind of control, without pixels. Colours are 32-bit values with
// red in the low byte; values with the top bit set are system colours.
namespace Colores {
constexpr quint32 WindowBackground = 0x80000005;
constexpr quint32 ButtonFace = 0x8000000F;
constexpr quint32 ButtonText = 0x80000012;
constexpr quint32 Red = 0x000000FF;
constexpr quint32 LightRed = 0x008080FF;
constexpr quint32 LightYellow = 0x00C0FFFF;
}  // namespace Colores

struct Label {
    QString Caption{};
    QString ToolTipText{};
    quint32 ForeColor = Colores::ButtonText;
};

struct CheckBox {
    QString Caption{};
    int Value = 0;  // 0 clear, 1 ticked, 2 greyed
    quint32 BackColor = Colores::ButtonFace;
    bool Enabled = true;
};

struct TextBox {
    QString Text{};  // line breaks are CR LF
    bool Locked = false;
    quint32 BackColor = Colores::WindowBackground;
    bool Enabled = true;
    int SelStart = 0;
    int SelLength = 0;
    int MaxLength = 0;  // 0: no limit
};

struct CommandButton {
    QString Caption{};
    bool Enabled = true;
};

struct MenuItem {
    QString Caption{};  // "&" marks the access key; "-" is a separator
    QString Shortcut{};
    bool Visible = true;
    bool Enabled = true;
};

struct ToolbarButton {
    QString Key{};  // compared upper-cased
    QString Caption{};
    QString ToolTipText{};
    bool Separator = false;
    bool Enabled = true;
};

// A toolbar whose buttons are numbered from 1.
template <std::size_t N>
struct Toolbar {
    std::array<ToolbarButton, N> Buttons;
    ToolbarButton& button(int number) { return Buttons.at(std::size_t(number - 1)); }
    const ToolbarButton& button(int number) const { return Buttons.at(std::size_t(number - 1)); }
};

struct Timer {
    int Interval = 0;  // milliseconds
    bool Enabled = false;
};
