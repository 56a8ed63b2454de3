#include "PlainTableModel.h"

#include <algorithm>
#include <string>

#include "Floors.h"

QVariant PlainTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return rows_[std::size_t(index.row())][std::size_t(index.column())];
}

void PlainTableModel::load() {
    const std::vector<std::string> lines = Floors::readLines(path_.constData());
    beginResetModel();
    rows_.clear();
    // A record: name, code, signature, then its comment up to the closing tag.
    for (std::size_t i = 1; i + 2 < lines.size(); ++i) {
        rows_.push_back(
            {QString::fromLatin1(lines[i]), QString::fromLatin1(lines[i + 1]), QString::fromLatin1(lines[i + 2])});
        i += 3;
        while (i < lines.size() && lines[i] != "</COMENTARIO>")
            ++i;
    }
    endResetModel();
}

void PlainTableModel::sortByName() {
    emit layoutAboutToBeChanged();
    std::sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) { return a[0] < b[0]; });
    emit layoutChanged();
}

void PlainTableModel::remove(int row) {
    const std::vector<std::string> lines = Floors::readLines(path_.constData());
    const std::string code = rows_.at(std::size_t(row))[1].toStdString();
    const auto append = [](QByteArray& out, const std::string& line) {
        out.append(line.data(), qsizetype(line.size())).append("\r\n");
    };
    QByteArray all, kept;
    bool skipping = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        append(all, lines[i]);
        skipping = skipping || (i + 1 < lines.size() && lines[i + 1] == code);
        if (!skipping)
            append(kept, lines[i]);
        else if (lines[i] == "</COMENTARIO>")
            skipping = false;
    }
    Floors::writeBytes((path_ + ".bak").constData(), all.constData(), std::size_t(all.size()));
    Floors::writeBytes(path_.constData(), kept.constData(), std::size_t(kept.size()));
    load();
}
