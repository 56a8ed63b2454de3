#include "TablaComentarios.h"

#include <QHash>

#include <algorithm>

#include "Cp1252.h"

void TablaComentarios::Builder::reserve(std::size_t rows, qsizetype bytes) {
    rows_.reserve(rows);
    text_.reserve(bytes);
}

void TablaComentarios::Builder::add(QByteArrayView code, const std::vector<QByteArrayView>& lines) {
    Row& row = rows_.emplace_back();
    if (lines.empty())
        return;
    row.codeStart = text_.size();
    row.codeSize = int(code.size());
    text_.append(code);
    row.start = text_.size();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k > 0)
            text_.append("\r\n", 2);
        text_.append(lines[k]);
    }
    row.size = int(text_.size() - row.start);
}

void TablaComentarios::assign(Builder built) {
    rows_ = std::move(built.rows_);
    if (rows_.empty())
        rows_.emplace_back();
    text_ = std::move(built.text_);
    text_.squeeze();  // the room reserved for a load is given back
    buildIndex();
}

namespace {

quint32 hashOf(QByteArrayView code) { return quint32(qHash(code)); }

// The code as the table keeps it; none when it has a character no stored code can hold.
std::optional<QByteArray> stored(QStringView code) {
    if (!Cp1252::canEncode(code))
        return std::nullopt;
    return Cp1252::encode(code);
}

}  // namespace

void TablaComentarios::buildIndex() {
    std::size_t capacity = 8;
    while (capacity < 2 * rows_.size())
        capacity *= 2;
    slots_.assign(capacity, Slot{0, -1});
    const std::size_t mask = capacity - 1;
    for (int k = 0; k < int(rows_.size()); ++k) {
        const QByteArrayView code = codeOf(rows_[std::size_t(k)]);
        const quint32 hash = hashOf(code);
        if (probe(code, hash) >= 0)
            continue;  // a code seen before keeps its first row
        std::size_t i = hash & mask;
        while (slots_[i].row >= 0)
            i = (i + 1) & mask;
        slots_[i] = Slot{hash, k};
    }
}

int TablaComentarios::probe(QByteArrayView code, quint32 hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].row >= 0; i = (i + 1) & mask)
        if (slots_[i].hash == hash && codeOf(rows_[std::size_t(slots_[i].row)]) == code)
            return slots_[i].row;
    return -1;
}

int TablaComentarios::find(QStringView code) const {
    // Decoding is one to one, so a code and a stored one are the same text exactly when their
    // bytes are the same. An ASCII code (most are) is its own bytes, made without an allocation:
    // a save looks up every row's code.
    char ascii[64];
    if (code.size() <= qsizetype(sizeof ascii) &&
        std::all_of(code.begin(), code.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        for (qsizetype i = 0; i < code.size(); ++i)
            ascii[i] = char(code[i].unicode());
        const QByteArrayView bytes(ascii, code.size());
        return probe(bytes, hashOf(bytes));
    }
    const std::optional<QByteArray> bytes = stored(code);
    return bytes ? probe(*bytes, hashOf(*bytes)) : -1;
}

QByteArrayView TablaComentarios::storedComment(QStringView code) const {
    const int row = find(code);
    if (row < 0)
        return {};
    const Row& found = rows_[std::size_t(row)];
    return QByteArrayView(text_.constData() + found.start, found.size);
}

QString TablaComentarios::commentFor(QStringView code) const {
    const QByteArrayView comment = storedComment(code);
    return Cp1252::decode(comment.data(), comment.size());
}
