#include "CaselessKeys.h"

#include <algorithm>
#include <QChar>

void CaselessKeys::reserve(std::size_t texts, std::size_t units) {
    starts_.reserve(texts + 1);
    units_.reserve(units);
}

void CaselessKeys::add(QStringView text) {
    // Folded unit by unit, as the comparison does: a low surrogate after a high one stands for the
    // whole code point, folded; every other unit is folded on its own.
    char16_t last = 0;
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        char32_t point = unit;
        if (QChar::isLowSurrogate(unit) && QChar::isHighSurrogate(last))
            point = QChar::surrogateToUcs4(last, unit);
        last = unit;
        units_.push_back(QChar::toCaseFolded(point));
    }
    starts_.push_back(units_.size());
}

int CaselessKeys::compare(std::size_t a, std::size_t b) const {
    const char32_t* x = units_.data() + starts_[a];
    const char32_t* y = units_.data() + starts_[b];
    const std::size_t xSize = starts_[a + 1] - starts_[a];
    const std::size_t ySize = starts_[b + 1] - starts_[b];
    const auto [i, j] = std::mismatch(x, x + std::min(xSize, ySize), y);
    if (i != x + std::min(xSize, ySize))
        return *i < *j ? -1 : 1;
    return xSize < ySize ? -1 : xSize > ySize ? 1 : 0;
}
