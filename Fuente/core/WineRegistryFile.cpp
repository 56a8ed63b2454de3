#include "WineRegistryFile.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QStringView>
#include <optional>

#include "FileSystem.h"
#include "RunError.h"

namespace {

const QString kHeader = QStringLiteral("WINE REGISTRY Version 2");
const QString kExportHeader = QStringLiteral("Windows Registry Editor Version 5.00");

RunError damaged(const QString& path, qsizetype line, const QString& what) {
    return {RunError::InvalidFileFormat, QStringLiteral("Invalid file format: %1, line %2: %3")
                                             .arg(QDir::toNativeSeparators(path))
                                             .arg(line + 1)
                                             .arg(what)};
}

int hexDigit(QChar c) {
    const char l = char(c.toLower().unicode());
    return c.isDigit() ? l - '0' : l >= 'a' && l <= 'f' ? l - 'a' + 10 : -1;
}

// Reads an escaped text that starts at `pos` and ends at `end` (a quote, or the bracket of a key
// name) into `text`, or only checks it when `text` is null; `pos` moves past the end. False when
// the line ends first.
bool unescape(QStringView line, qsizetype& pos, QChar end, QString* text) {
    static const QString named = QStringLiteral("a\ab\bt\tn\nv\vf\fr\re\x1b");
    for (; pos < line.size(); ++pos) {
        QChar c = line[pos];
        if (c == end) {
            ++pos;
            return true;
        }
        if (c == QLatin1Char('\\')) {
            if (++pos == line.size())
                return false;
            c = line[pos];
            const qsizetype at = named.indexOf(c);
            if (at >= 0 && at % 2 == 0) {
                c = named[at + 1];
            } else if (c == QLatin1Char('x')) {
                char16_t code = 0;
                for (int n = 0; n < 4 && pos + 1 < line.size() && hexDigit(line[pos + 1]) >= 0; ++n)
                    code = char16_t(code * 16 + hexDigit(line[++pos]));
                c = QChar(code);
            } else if (c >= QLatin1Char('0') && c <= QLatin1Char('7')) {
                char16_t code = char16_t(c.unicode() - '0');
                for (int n = 1; n < 3 && pos + 1 < line.size() && line[pos + 1] >= QLatin1Char('0') &&
                                line[pos + 1] <= QLatin1Char('7');
                     ++n)
                    code = char16_t(code * 8 + (line[++pos].unicode() - '0'));
                c = QChar(code);
            }
        }
        if (text)
            *text += c;
    }
    return false;
}

// One line of a key's values. `text` is set for text values only.
struct ValueLine {
    QString name;
    std::optional<QString> text;
};

// Checks a value's line; its name and text are read only when `read` is set.
std::optional<ValueLine> parseValue(QStringView line, bool read) {
    ValueLine value;
    qsizetype pos = 1;
    if (line.startsWith(QLatin1Char('"')) ? !unescape(line, pos, QLatin1Char('"'), read ? &value.name : nullptr)
                                          : !line.startsWith(QLatin1Char('@')))
        return std::nullopt;
    if (pos >= line.size() || line[pos] != QLatin1Char('='))
        return std::nullopt;
    const QStringView data = line.mid(pos + 1);
    if (data.startsWith(QLatin1Char('"'))) {
        QString text;
        qsizetype at = 1;
        if (!unescape(data, at, QLatin1Char('"'), read ? &text : nullptr) || !data.mid(at).trimmed().isEmpty())
            return std::nullopt;
        value.text = text;
    } else if (!data.startsWith(u"hex") && !data.startsWith(u"dword:") && !data.startsWith(u"str(")) {
        return std::nullopt;
    }
    return value;
}

// A key name as Wine writes it in its files. Written the same way every time, it can be compared
// to the names in a file as they are, which is much quicker than reading each of them.
QString escapedKey(QStringView key) {
    QString escaped;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = key[i].unicode();
        const bool hexFollows = i + 1 < key.size() && hexDigit(key[i + 1]) >= 0;
        if (c > 127)
            escaped += QStringLiteral("\\x%1").arg(int(c), hexFollows ? 4 : 0, 16, QLatin1Char('0'));
        else if (c < 32)
            escaped += QStringLiteral("\\%1").arg(int(c), hexFollows ? 3 : 0, 8, QLatin1Char('0'));
        else
            escaped += (c == '\\' || c == '[' || c == ']' ? QStringLiteral("\\") : QString()) + QChar(c);
    }
    return escaped;
}

// Goes through a prefix's file; `onValue` sees each value of the keys that `wanted` accepts (it is
// given the key's line after the bracket). The values read are checked, and with `checkAll` every
// line; otherwise only what tells the lines apart.
template <typename Wanted, typename OnValue>
void scan(const QString& path, bool checkAll, Wanted wanted, OnValue onValue) {
    QFile file(path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw FileSystem::openFailure(path, true);
    // Wine writes the files in ASCII, escaping every other character.
    const QString text = QString::fromLatin1(file.readAll());
    qsizetype start = 0, number = 0;
    bool haveKey = false, read = false, continuation = false;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QStringView line = QStringView(text).mid(start, end - start);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (number == 0 && line != kHeader)
            throw damaged(path, number, QStringLiteral("the first line is not \"%1\"").arg(kHeader));
        if (continuation) {
            continuation = line.trimmed().endsWith(QLatin1Char('\\'));
        } else if (number == 0 || line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
                   line.startsWith(QLatin1Char('#'))) {
        } else if (line.startsWith(QLatin1Char('['))) {
            qsizetype pos = 1;
            if (checkAll ? !unescape(line, pos, QLatin1Char(']'), nullptr) : !line.contains(QLatin1Char(']')))
                throw damaged(path, number, QStringLiteral("a key without its closing bracket"));
            haveKey = true;
            read = wanted(line.mid(1));
        } else {
            const bool named = line.startsWith(QLatin1Char('"')) || line.startsWith(QLatin1Char('@'));
            const auto value = read || checkAll || !named ? parseValue(line, read) : ValueLine{};
            if (!value)
                throw damaged(path, number, QStringLiteral("neither a key nor a value"));
            if (!haveKey)
                throw damaged(path, number, QStringLiteral("a value outside of any key"));
            // A text value ends in its quote, so only a binary one can end in a backslash.
            continuation = line.trimmed().endsWith(QLatin1Char('\\'));
            if (read)
                onValue(*value);
        }
        start = end + 1;
        ++number;
    }
    if (continuation)
        throw damaged(path, number - 1, QStringLiteral("the file ends inside a value"));
}

}  // namespace

namespace WineRegistryFile {

RegistryAccess::Values readKey(const QString& path, const QString& keyPath) {
    RegistryAccess::Values values;
    const QString key = escapedKey(keyPath);
    scan(
        path, false,
        [&](QStringView line) {
            return line.startsWith(key, Qt::CaseInsensitive) && line.mid(key.size()).startsWith(QLatin1Char(']'));
        },
        [&](const ValueLine& value) {
            if (value.text)
                values.emplace_back(value.name, *value.text);
        });
    return values;
}

void check(const QString& path) {
    scan(
        path, true, [](QStringView) { return false; }, [](const ValueLine&) {});
}

RegistryAccess::Values readExport(const QByteArray& bytes) {
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    RegistryAccess::Values values;
    if (lines.isEmpty() || QString(lines.first()).remove(QChar(0xfeff)) != kExportHeader)
        return values;
    int sections = 0;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1Char('[')) && ++sections > 1)
            break;
        if (const auto value = parseValue(line, true); sections == 1 && value && value->text)
            values.emplace_back(value->name, *value->text);
    }
    return values;
}

QString exportLine(const QString& name, const QString& text) {
    const auto quoted = [](QString s) {
        return '"' +
               s.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\"")) +
               '"';
    };
    return quoted(name) + '=' + quoted(text);
}

}  // namespace WineRegistryFile
