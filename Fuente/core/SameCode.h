#pragma once

#include <QByteArrayView>
#include <QString>

// Whether a code line of the database file is a code in any letter case, blanks at either end
// left out, as the list's lookups compare codes; without making a text of every line.
class SameCode {
public:
    explicit SameCode(const QString& code);

    bool operator()(QByteArrayView line) const;

private:
    QString wanted_;
    bool ascii_;
};
