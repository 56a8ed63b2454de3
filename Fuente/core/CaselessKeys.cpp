#include "CaselessKeys.h"

#include <algorithm>
#include <QChar>

void CaselessKeys::reserve(std::size_t texts, std::size_t units) {
    prefixes_.reserve(texts);
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
        if (point < 0x80)
            units_.push_back(point >= 'A' && point <= 'Z' ? point + ('a' - 'A') : point);
        else
            units_.push_back(QChar::toCaseFolded(point));
    }
    Prefix prefix{};
    const std::size_t start = starts_.back();
    for (std::size_t k = 0; k < 2 * UnitsPerWord; ++k) {
        quint64& word = k < UnitsPerWord ? prefix.high : prefix.low;
        word = word << 21 | (start + k < units_.size() ? units_[start + k] + 1 : 0);
    }
    prefixes_.push_back(prefix);
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

std::vector<int> CaselessKeys::order(bool descending) const {
    struct Entry {
        Prefix prefix;
        int text;
    };
    std::vector<Entry> entries(prefixes_.size());
    for (std::size_t k = 0; k < entries.size(); ++k)
        entries[k] = {prefixes_[k], int(k)};
    const auto less = [this](const Entry& a, const Entry& b) {
        if (a.prefix.high != b.prefix.high)
            return a.prefix.high < b.prefix.high;
        if (a.prefix.low != b.prefix.low)
            return a.prefix.low < b.prefix.low;
        return compare(std::size_t(a.text), std::size_t(b.text)) < 0;
    };
    if (descending)
        std::stable_sort(entries.begin(), entries.end(),
                         [&less](const Entry& a, const Entry& b) { return less(b, a); });
    else
        std::stable_sort(entries.begin(), entries.end(), less);
    std::vector<int> texts(entries.size());
    for (std::size_t k = 0; k < entries.size(); ++k)
        texts[k] = entries[k].text;
    return texts;
}
