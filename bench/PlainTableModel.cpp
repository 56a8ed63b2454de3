#include "PlainTableModel.h"

#include <algorithm>
#include <cstring>

#include "Floors.h"

namespace {

constexpr char kCloser[] = "</COMENTARIO>";

// Calls record(start, end, name, code, signature) for each record of a database's bytes, the
// views into them; a record runs from its name to the line after its closer.
template <typename Record>
void forEachRecord(const Floors::Bytes& bytes, Record&& record) {
    int line = -1;  // the header, then the record's lines from 0
    const char* start = nullptr;
    QByteArrayView head[3];
    Floors::forEachLine(bytes.data.get(), bytes.size, [&](const char* at, std::size_t length) {
        if (line < 0) {
            line = 0;
            return;
        }
        if (line == 0)
            start = at;
        if (line < 3)
            head[line] = QByteArrayView(at, qsizetype(length));
        // After the opener, comment lines up to the closer.
        if (line >= 4 && length == sizeof kCloser - 1 && std::memcmp(at, kCloser, length) == 0) {
            const char* end = at + length;
            end += end < bytes.data.get() + bytes.size && *end == '\r';
            end += end < bytes.data.get() + bytes.size && *end == '\n';
            record(start, end, head[0], head[1], head[2]);
            line = 0;
            return;
        }
        ++line;
    });
}

}  // namespace

QStringView PlainTableModel::cell(const Row& row, int column) const {
    const QStringView texts(text_);
    switch (column) {
    case 1:
        return texts.sliced(row.start + row.name, row.code);
    case 2:
        return texts.sliced(row.start + row.name + row.code, row.signature);
    default:
        return texts.sliced(row.start, row.name);
    }
}

QVariant PlainTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return cell(rows_[std::size_t(index.row())], index.column()).toString();
}

void PlainTableModel::load() {
    const Floors::Bytes bytes = Floors::readFile(path_.constData());
    beginResetModel();
    rows_.clear();
    text_.clear();
    text_.reserve(qsizetype(bytes.size));  // more than the texts take; the room not used is never touched
    forEachRecord(bytes,
                  [&](const char*, const char*, QByteArrayView name, QByteArrayView code, QByteArrayView signature) {
                      rows_.push_back({text_.size(), int(name.size()), int(code.size()), int(signature.size())});
                      for (QByteArrayView text : {name, code, signature})
                          text_.append(QLatin1StringView(text));
                  });
    endResetModel();
}

std::vector<int> PlainTableModel::caselessOrder(const std::vector<QStringView>& texts) {
    QString keys;
    std::vector<qsizetype> starts;
    starts.reserve(texts.size() + 1);
    for (QStringView text : texts) {
        starts.push_back(keys.size());
        keys.append(text);
    }
    starts.push_back(keys.size());
    // Folding keeps every text's length here (the benchmarks' names); otherwise each is folded alone.
    QString folded = std::move(keys).toCaseFolded();
    const bool whole = folded.size() == starts.back();
    std::vector<QString> alone;
    if (!whole)
        for (QStringView text : texts)
            alone.push_back(text.toString().toCaseFolded());
    const auto key = [&](int k) {
        return whole ? QStringView(folded).sliced(starts[std::size_t(k)],
                                                  starts[std::size_t(k) + 1] - starts[std::size_t(k)])
                     : QStringView(alone[std::size_t(k)]);
    };
    std::vector<int> order(texts.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = int(k);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
    return order;
}

void PlainTableModel::sortByName() {
    emit layoutAboutToBeChanged();
    std::vector<QStringView> names;
    names.reserve(rows_.size());
    for (const Row& row : rows_)
        names.push_back(cell(row, 0));
    const std::vector<int> order = caselessOrder(names);
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (int k : order)
        sorted.push_back(rows_[std::size_t(k)]);
    rows_ = std::move(sorted);
    emit layoutChanged();
}

void PlainTableModel::remove(int row, bool sync) {
    const Floors::Bytes bytes = Floors::readFile(path_.constData());
    const QByteArray code = cell(rows_.at(std::size_t(row)), 1).toLatin1();
    const char *start = nullptr, *end = nullptr;
    forEachRecord(bytes,
                  [&](const char* from, const char* to, QByteArrayView, QByteArrayView recordCode, QByteArrayView) {
                      if (!start && recordCode == code) {
                          start = from;
                          end = to;
                      }
                  });
    if (!start)
        return;
    const char* all = bytes.data.get();
    Floors::writeBytes((path_ + ".bak").constData(), all, bytes.size, sync);
    Floors::writePieces(path_.constData(),
                        {{all, std::size_t(start - all)}, {end, std::size_t(all + bytes.size - end)}}, sync);
    load();
}
