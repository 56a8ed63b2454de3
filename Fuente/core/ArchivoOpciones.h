#pragma once

#include <array>
#include <QString>

// The options file: a header line, then the activation option and the deletion option, one
// decimal number a line.
namespace ArchivoOpciones {

inline const QString FileName = QStringLiteral("Opciones.dat");
inline const QString Header = QStringLiteral("OPC VERSION: 100");

// Reads the file into `opciones`, or creates it with both options 0 when it does not exist.
// An empty file or a value line missing from the file leaves its option as it was; a line after the
// second value is error 9, once both values are read. Every value is rounded and held to 0..2, the
// states a check box has.
void cargar(const QString& path, std::array<int, 2>& opciones);

// Rewrites the file with the two values, activation first.
void escribir(const QString& path, int activation, int deletion);

}  // namespace ArchivoOpciones
