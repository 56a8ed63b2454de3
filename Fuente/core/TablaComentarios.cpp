#include "TablaComentarios.h"

void TablaComentarios::assign(std::vector<Row> rows) {
    if (rows.empty())
        rows.emplace_back();
    rows_ = std::move(rows);
    firstRowOfCode_.clear();
    firstRowOfCode_.reserve(qsizetype(rows_.size()));
    // From the last row to the first, so that the first row of a code is the one kept.
    for (int k = int(rows_.size()) - 1; k >= 0; --k)
        firstRowOfCode_.insert(rows_[std::size_t(k)].code, k);
}

QString TablaComentarios::commentFor(const QString& code) const {
    const auto it = firstRowOfCode_.constFind(code);
    return it == firstRowOfCode_.constEnd() ? QString() : rows_[std::size_t(*it)].comment;
}
