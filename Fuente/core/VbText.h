#pragma once

#include <QString>
#include <QStringView>

// Text helpers with the semantics of the program's stored data.
namespace VbText {

// Removes blanks (spaces only, not tabs or line breaks) at both ends.
QString trim(QStringView text);
// The text without its blanks at either end, as a view into it.
QStringView trimView(QStringView text);

// The text upper-cased one UTF-16 unit at a time, each to its own upper-case letter, as the
// platform's upper-casing of text does: the length never changes, so "ß" stays "ß" and is not
// "SS", and a letter without a single upper-case form is kept.
QString ucase(QStringView text);
// Whether ucase(a) == ucase(b), without making either.
bool sameUpper(QStringView a, QStringView b);

// The leading number of a text: leading blanks skipped, an optional sign, digits with an
// optional decimal part; a text that does not start with a number reads 0.
double val(QStringView text);

}  // namespace VbText
