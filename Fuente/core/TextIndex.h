#pragma once

#include <QHash>
#include <QString>
#include <vector>

// An index of rows 1..n by a text of each row, for lookups at a million accounts. It keeps only
// each row's number and the hash of its text (open addressing, 8 bytes a slot), not the texts:
// a text is made again from its row when the hashes match, which is rare but for the row sought.
// (A hash table of strings would hold a copy of every text, several times the list's memory.)
class TextIndex {
public:
    // Indexes rows 1..`rows` by `key(row)`; of rows with equal keys the first, or with
    // `lastWins` the last, is kept.
    template <class Key>
    void build(int rows, const Key& key, bool lastWins) {
        std::size_t size = 16;
        while (size < 2 * std::size_t(rows))
            size *= 2;
        slots_.assign(size, Slot{0, 0});
        for (int row = 1; row <= rows; ++row) {
            const QString text = key(row);
            Slot& slot = slots_[place(text, key)];
            if (slot.row == 0)
                slot = Slot{hashOf(text), row};
            else if (lastWins)
                slot.row = row;
        }
    }

    // The row whose key is `text`, 0 when there is none.
    template <class Key>
    int find(const QString& text, const Key& key) const {
        return slots_.empty() ? 0 : slots_[place(text, key)].row;
    }

private:
    struct Slot {
        quint32 hash;
        int row;  // 0: free
    };

    static quint32 hashOf(const QString& text) { return quint32(qHash(text)); }

    // The slot of the row whose key is `text`, or the free slot where it would go.
    template <class Key>
    std::size_t place(const QString& text, const Key& key) const {
        const quint32 hash = hashOf(text);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.row == 0 || (slot.hash == hash && key(slot.row) == text))
                return i;
        }
    }

    std::vector<Slot> slots_;
};
