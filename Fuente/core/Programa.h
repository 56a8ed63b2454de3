#pragma once

#include <QString>

// What the program says about itself in more than one place.
namespace Programa {

// The running program's version, "major.minor.revision".
inline const QString Version = QStringLiteral(VANTOR_VERSION);

// The program's web page, where its latest version can be had.
inline const QString PaginaWeb = QStringLiteral("https://vantor.example.org");

}  // namespace Programa
