#include "Cp1252.h"

#include <array>

namespace {

// Bytes 0x80..0x9F; the five bytes Windows-1252 leaves undefined map to the same code point,
// as the Windows converter does, so that every byte survives a read and a write.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte for a character, or -1 when the code page has none.
int byteFor(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < int(kHigh.size()); ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}

}  // namespace

namespace Cp1252 {

QString decode(const char* data, qsizetype size) {
    QString text;
    decodeAppend(QByteArrayView(data, size), text);
    return text;
}

void decodeAppend(QByteArrayView bytes, QString& out) {
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    QChar* dest = out.data() + start;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        dest[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(b);
    }
}

void encodeAppend(QStringView text, QByteArray& out) {
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* dest = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {  // most text is ASCII: no table to search
            dest[i] = char(c);
            continue;
        }
        const int b = byteFor(c);
        dest[i] = b < 0 ? '?' : char(b);
    }
}

QByteArray encode(QStringView text) {
    QByteArray out;
    encodeAppend(text, out);
    return out;
}

bool canEncode(QStringView text) {
    for (QChar c : text)
        if (byteFor(c.unicode()) < 0)
            return false;
    return true;
}

}  // namespace Cp1252
