#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <string>

#include "FileBytes.h"

// The inputs and answers of the core tests' tables, in tables.json. A text that stands for bytes
// holds one character a byte.
namespace Tables {
inline QJsonValue get(const char* name) {
    static const QJsonObject all = QJsonDocument::fromJson(readFile(CASES_DIR "/../core/tables.json")).object();
    return all[QLatin1String(name)];
}
inline QByteArray bytes(const QJsonValue& text) { return text.toString().toLatin1(); }
inline std::string text(const QJsonValue& value) {
    return value.isString() ? value.toString().toStdString()
                            : QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact).toStdString();
}
}  // namespace Tables
