#include "Clsvalidacion.h"

#include <QStringList>

#include "AccountList.h"
#include "DatabaseFormat.h"
#include "Cp1252.h"
#include "VbText.h"

namespace {

// The characters of a text that the database file cannot hold, each named once.
QString unstorable(const QString& text) {
    QString found;
    for (QChar c : text)
        if (!Cp1252::canEncode(QStringView(&c, 1)) && !found.contains(c))
            found += c;
    return found;
}

QString unstorableMessage(const QString& what, const QString& characters) {
    return what + " holds characters that cannot be stored: " + characters;
}

// One part of an address: blanks, an optional sign and digits, blanks; its value from 0 to 255.
bool isAddressPart(QStringView part) {
    const QString text = VbText::trim(part);
    qsizetype i = (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-'))) ? 1 : 0;
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (i == text.size())
        return false;
    int value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < '0' || c > '9')
            return false;
        value = qMin(value * 10 + (c - '0'), 1000);  // saturates: any long number is out of range
    }
    return negative ? value == 0 : value <= 255;
}

}  // namespace

bool Clsvalidacion::IsIP(const QString& text) {
    const QList<QStringView> parts = QStringView(text).split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (QStringView part : parts)
        if (!isAddressPart(part))
            return false;
    return true;
}

bool Clsvalidacion::CuentaDupl(const QString& code) const { return accounts_.hasCodeIgnoringCase(code); }

bool Clsvalidacion::NomDuplic(const QString& name) const { return accounts_.hasNameIgnoringCase(name); }

QString Clsvalidacion::CharProhib(const QString& text) {
    QString result = text;
    for (QChar c : QStringLiteral("\\/*?<>|:\""))
        result.remove(c);
    return result;
}

QString Clsvalidacion::Inguardable(const QString& what, const QString& text) {
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        return what + " cannot hold a line break.";
    const QString characters = unstorable(text);
    return characters.isEmpty() ? QString() : unstorableMessage(what, characters);
}

QString Clsvalidacion::InguardableComentario(const QString& comment) {
    // Split as the loader will read the lines back: at CR, an LF right after it belonging to the end.
    for (QStringView line : QStringView(comment).split(QLatin1Char('\r'))) {
        if (line.startsWith(QLatin1Char('\n')))
            line = line.mid(1);
        if (DatabaseFormat::isCloser(line.toString()))
            return "A comment line cannot read \"" + DatabaseFormat::Closer + "\": it would end the comment early.";
    }
    const QString characters = unstorable(comment);
    return characters.isEmpty() ? QString() : unstorableMessage(QStringLiteral("The comment"), characters);
}
