#include "TablaComentarios.h"

#include <QHash>

#include "Cp1252.h"

void TablaComentarios::assign(std::vector<Row> rows) {
    if (rows.empty())
        rows.emplace_back();
    rows_ = std::move(rows);
    std::size_t capacity = 8;
    while (capacity < 2 * rows_.size())
        capacity *= 2;
    slots_.assign(capacity, Slot{0, -1});
    const std::size_t mask = capacity - 1;
    for (int k = 0; k < int(rows_.size()); ++k) {
        const QString& code = rows_[std::size_t(k)].code;
        const auto hash = quint32(qHash(code));
        if (find(code, hash) >= 0)
            continue;  // a code seen before keeps its first row
        std::size_t i = hash & mask;
        while (slots_[i].row >= 0)
            i = (i + 1) & mask;
        slots_[i] = Slot{hash, k};
    }
}

int TablaComentarios::find(const QString& code, quint32 hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].row >= 0; i = (i + 1) & mask)
        if (slots_[i].hash == hash && rows_[std::size_t(slots_[i].row)].code == code)
            return slots_[i].row;
    return -1;
}

QString TablaComentarios::commentFor(const QString& code) const {
    if (slots_.empty())
        return {};
    const int row = find(code, quint32(qHash(code)));
    return row < 0 ? QString() : Cp1252::decode(rows_[std::size_t(row)].comment);
}
