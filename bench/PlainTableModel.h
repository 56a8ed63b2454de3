#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringView>

#include <vector>

// The floor of the account list: the least table model that shows the same rows (name, code,
// signature), read from the database file whole in one read, their texts decoded into one text,
// sorted by name ignoring letter case, and a record deleted by rewriting the file.
class PlainTableModel : public QAbstractTableModel {
public:
    PlainTableModel(QByteArray path, QObject* parent) : QAbstractTableModel(parent), path_(std::move(path)) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }
    QVariant data(const QModelIndex& index, int role) const override;

    // Reads the file again and shows its records.
    void load();
    void sortByName();
    // Writes the file as it is to ".bak" and the file without the row's record, each onto the
    // disk with `sync`, and loads it again.
    void remove(int row, bool sync = true);

    // The order of the texts, ignoring letter case: each folded once, then compared as they are.
    static std::vector<int> caselessOrder(const std::vector<QStringView>& texts);

private:
    // Where a row's texts lie in text_: the name, the code, the signature one after another.
    struct Row {
        qsizetype start;
        int name;
        int code;
        int signature;
    };
    QStringView cell(const Row& row, int column) const;

    QByteArray path_;
    QString text_;
    std::vector<Row> rows_;
};
