#include "VbText.h"

namespace VbText {

QString trim(QStringView text) { return trimView(text).toString(); }

QStringView trimView(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString ucase(QStringView text) {
    QString upper(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        upper[i] = text[i].toUpper();
    return upper;
}

bool sameUpper(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && a[i].toUpper() != b[i].toUpper())
            return false;
    return true;
}

double val(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    double sign = 1;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        sign = text[i++] == QLatin1Char('-') ? -1 : 1;
    double value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80; ++i)
        value = value * 10 + (text[i].unicode() - '0');
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        double scale = 0.1;
        for (++i; i < text.size() && text[i].unicode() >= '0' && text[i].unicode() <= '9'; ++i, scale /= 10)
            value += (text[i].unicode() - '0') * scale;
    }
    return sign * value;
}

}  // namespace VbText
