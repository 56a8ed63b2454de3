#pragma once

#include <ostream>
#include <QByteArray>
#include <QString>

#include "Dialogs.h"

// Readable failure messages for the program's types.
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QByteArray& bytes, std::ostream* os);
std::ostream& operator<<(std::ostream& os, const MessageBoxSpec& box);
