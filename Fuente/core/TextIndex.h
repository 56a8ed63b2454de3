#pragma once

#include <QHash>
#include <QString>

// A hash table from text to a value that keeps each key's hash beside it, so that a probe
// compares text only when the hashes match. (Qt's own hash compares the whole key at every
// probe, which at a million accounts costs more than the lookups themselves.)
template <class Value>
class TextIndex {
public:
    void reserve(qsizetype size) { map_.reserve(size); }

    // Adds the key unless it is there already: the first value stays.
    void addFirst(const QString& key, Value value) {
        Key k{key, qHash(key)};
        if (!map_.contains(k))
            map_.insert(std::move(k), std::move(value));
    }
    // Adds the key or replaces its value: the last value stays.
    void addLast(const QString& key, Value value) { map_.insert(Key{key, qHash(key)}, std::move(value)); }

    Value value(const QString& key, const Value& missing = {}) const {
        return map_.value(Key{key, qHash(key)}, missing);
    }

private:
    struct Key {
        QString text;
        size_t hash;
        bool operator==(const Key& other) const { return hash == other.hash && text == other.text; }
    };
    friend size_t qHash(const Key& key, size_t seed) { return key.hash ^ seed; }

    QHash<Key, Value> map_;
};
