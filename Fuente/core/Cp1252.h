#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The 8-bit code page of every file the program reads or writes.
namespace Cp1252 {

QString decode(const char* data, qsizetype size);
void decodeAppend(QByteArrayView bytes, QString& out);
inline QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }

// Characters without a Windows-1252 byte become '?', as the Windows converter writes them.
void encodeAppend(QStringView text, QByteArray& out);
QByteArray encode(QStringView text);

// True when every character of the text has a Windows-1252 byte.
bool canEncode(QStringView text);

}  // namespace Cp1252
