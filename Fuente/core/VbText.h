#pragma once

#include <QString>
#include <QStringView>

// Text helpers with the semantics of the program's stored data.
namespace VbText {

// Removes blanks (spaces only, not tabs or line breaks) at both ends.
QString trim(QStringView text);

// The leading number of a text: leading blanks skipped, an optional sign, digits with an
// optional decimal part; a text that does not start with a number reads 0.
double val(QStringView text);

}  // namespace VbText
