#include "SameCode.h"

#include <algorithm>

#include "Cp1252.h"
#include "VbText.h"

namespace {

char16_t asciiUpper(char16_t c) { return c >= 'a' && c <= 'z' ? char16_t(c - 'a' + 'A') : c; }

}  // namespace

SameCode::SameCode(const QString& code)
    : wanted_(VbText::trim(code)),
      ascii_(std::all_of(wanted_.begin(), wanted_.end(), [](QChar c) { return c.unicode() < 0x80; })) {}

bool SameCode::operator()(QByteArrayView line) const {
    while (!line.isEmpty() && line.front() == ' ')
        line = line.sliced(1);
    while (!line.isEmpty() && line.back() == ' ')
        line.chop(1);
    if (line.size() != wanted_.size())
        return false;
    // Upper-casing keeps a text's length, and no Windows-1252 letter outside ASCII upper-cases to
    // an ASCII one, so an ASCII code is compared on the bytes.
    if (!ascii_)
        return VbText::sameUpper(Cp1252::decode(line.data(), line.size()), wanted_);
    for (qsizetype i = 0; i < line.size(); ++i)
        if (asciiUpper(char16_t(uchar(line[i]))) != asciiUpper(wanted_[i].unicode()))
            return false;
    return true;
}
