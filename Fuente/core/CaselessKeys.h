#pragma once

#include <QStringView>
#include <QtGlobal>
#include <vector>

// The keys by which QString::compare(a, b, Qt::CaseInsensitive) orders texts, folded once per text
// instead of at every comparison: a sort of n texts then folds n texts, not n log n pairs.
// compare(i, j) has the sign of QString::compare(text i, text j, Qt::CaseInsensitive).
class CaselessKeys {
public:
    void reserve(std::size_t texts, std::size_t units);
    void add(QStringView text);

    int compare(std::size_t a, std::size_t b) const;
    // The numbers 0..n-1 of the texts added, in ascending (or descending) order of their keys;
    // texts with equal keys keep the order they were added in.
    std::vector<int> order(bool descending) const;

private:
    // The first six folded units of each text, packed so that comparing two prefixes compares
    // those units (a unit is at most 21 bits, stored plus one; past the end is 0): most
    // comparisons of a sort end here, without reaching for the units.
    static constexpr std::size_t UnitsPerWord = 3;
    struct Prefix {
        quint64 high;
        quint64 low;
    };
    std::vector<Prefix> prefixes_;
    // Every text's folded units one after another; text k is units_[starts_[k] .. starts_[k + 1]).
    std::vector<char32_t> units_;
    std::vector<std::size_t> starts_{0};
};
