#pragma once

#include <QStringView>
#include <vector>

// The keys by which QString::compare(a, b, Qt::CaseInsensitive) orders texts, folded once per text
// instead of at every comparison: a sort of n texts then folds n texts, not n log n pairs.
// compare(i, j) has the sign of QString::compare(text i, text j, Qt::CaseInsensitive).
class CaselessKeys {
public:
    void reserve(std::size_t texts, std::size_t units);
    void add(QStringView text);

    int compare(std::size_t a, std::size_t b) const;
    bool less(std::size_t a, std::size_t b) const { return compare(a, b) < 0; }

private:
    // Every text's folded units one after another; text k is units_[starts_[k] .. starts_[k + 1]).
    std::vector<char32_t> units_;
    std::vector<std::size_t> starts_{0};
};
