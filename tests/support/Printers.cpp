#include "Printers.h"

#include <QDebug>

void PrintTo(const QString& text, std::ostream* os) {
    QString shown;
    QDebug(&shown) << text;
    *os << shown.toStdString();
}

void PrintTo(const QByteArray& bytes, std::ostream* os) {
    QString shown;
    QDebug(&shown) << bytes;
    *os << shown.toStdString();
}

std::ostream& operator<<(std::ostream& os, const MessageBoxSpec& box) {
    PrintTo(box.text, &os);
    os << " title=";
    PrintTo(box.title, &os);
    return os << " buttons=" << int(box.buttons) << " icon=" << int(box.icon) << " default=" << int(box.defaultButton);
}
