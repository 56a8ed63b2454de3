#include "TablaComentarios.h"

#include <QHash>

#include "Cp1252.h"

void TablaComentarios::assign(std::vector<Row> rows, QByteArray text) {
    if (rows.empty())
        rows.emplace_back();
    rows_ = std::move(rows);
    text_ = std::move(text);
    slots_.clear();
    scannedCode_.reset();
}

void TablaComentarios::buildIndex() const {
    std::size_t capacity = 8;
    while (capacity < 2 * rows_.size())
        capacity *= 2;
    slots_.assign(capacity, Slot{0, -1});
    const std::size_t mask = capacity - 1;
    for (int k = 0; k < int(rows_.size()); ++k) {
        const QString& code = rows_[std::size_t(k)].code;
        const auto hash = quint32(qHash(code));
        if (probe(code, hash) >= 0)
            continue;  // a code seen before keeps its first row
        std::size_t i = hash & mask;
        while (slots_[i].row >= 0)
            i = (i + 1) & mask;
        slots_[i] = Slot{hash, k};
    }
}

int TablaComentarios::probe(const QString& code, quint32 hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].row >= 0; i = (i + 1) & mask)
        if (slots_[i].hash == hash && rows_[std::size_t(slots_[i].row)].code == code)
            return slots_[i].row;
    return -1;
}

int TablaComentarios::find(const QString& code) const {
    if (slots_.empty() && scannedCode_ == code)
        return scannedRow_;
    if (slots_.empty() && !scannedCode_) {
        scannedCode_ = code;
        scannedRow_ = -1;
        for (int k = 0; k < int(rows_.size()) && scannedRow_ < 0; ++k)
            if (rows_[std::size_t(k)].code == code)
                scannedRow_ = k;
        return scannedRow_;
    }
    if (slots_.empty())
        buildIndex();
    return probe(code, quint32(qHash(code)));
}

QByteArrayView TablaComentarios::storedComment(const QString& code) const {
    const int row = find(code);
    if (row < 0)
        return {};
    const Row& found = rows_[std::size_t(row)];
    return QByteArrayView(text_.constData() + found.start, found.size);
}

QString TablaComentarios::commentFor(const QString& code) const {
    const QByteArrayView comment = storedComment(code);
    return Cp1252::decode(comment.data(), comment.size());
}
