#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <vector>

// The floor of the account list: the least table model that shows the same rows (name, code,
// signature), read from the database file with stdio, sorted by the names' bytes, and a record
// deleted by rewriting the file.
class PlainTableModel : public QAbstractTableModel {
public:
    PlainTableModel(QByteArray path, QObject* parent) : QAbstractTableModel(parent), path_(std::move(path)) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }
    QVariant data(const QModelIndex& index, int role) const override;

    // Reads the file again and shows its records.
    void load();
    void sortByName();
    // Writes a copy of the file, the file without the row's record, and loads it again.
    void remove(int row);

private:
    using Row = std::array<QString, 3>;
    QByteArray path_;
    std::vector<Row> rows_;
};
