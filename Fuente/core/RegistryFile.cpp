#include "RegistryFile.h"

#include <optional>
#include <QDir>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <vector>

#include "ClsRegistro.h"
#include "Cp1252.h"
#include "FileSystem.h"
#include "RunError.h"

namespace {

const QString kHeader = QStringLiteral("REGEDIT4");
// The header the platform's editor writes today, in UTF-16.
const QString kHeader5 = QStringLiteral("Windows Registry Editor Version 5.00");

// How a script is written, kept when it is rewritten: its encoding (the code page, or Unicode
// after a byte order mark) and its line ends.
struct Form {
    enum class Encoding { CodePage, Utf8, Utf16LE, Utf16BE } encoding = Encoding::CodePage;
    QString lineEnd = QStringLiteral("\r\n");
};

struct Entry {
    QString name;
    std::optional<QString> text;  // empty for values that are not text (dword:, hex:)
    int firstLine;
    int lastLine;
};

struct Section {
    QString key;
    int lastLine;
    std::vector<Entry> entries;
};

struct Script {
    QStringList lines;
    std::vector<Section> sections;
    Form form;
};

RunError malformed(const QString& path, int line, const QString& what) {
    return {RunError::InvalidFileFormat, QStringLiteral("Invalid file format: %1, line %2: %3")
                                             .arg(QDir::toNativeSeparators(path))
                                             .arg(line + 1)
                                             .arg(what)};
}

// Reads a quoted text at `pos` (which holds the opening quote); moves `pos` past the closing quote.
std::optional<QString> unquote(const QString& line, qsizetype& pos) {
    QString text;
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == QLatin1Char('"')) {
            ++pos;
            return text;
        }
        if (c == QLatin1Char('\\') && pos + 1 < line.size() &&
            (line[pos + 1] == QLatin1Char('\\') || line[pos + 1] == QLatin1Char('"')))
            ++pos;
        text += line[pos];
    }
    return std::nullopt;
}

// Finds the keys and values in a script's lines.
Script index(const QString& path, QStringList lines, const Form& form) {
    Script script;
    script.lines = std::move(lines);
    script.form = form;
    if (script.lines.isEmpty())
        return script;
    const QString header = script.lines.first().trimmed();
    if (header.compare(kHeader, Qt::CaseInsensitive) != 0 && header.compare(kHeader5, Qt::CaseInsensitive) != 0)
        throw malformed(path, 0, QStringLiteral("the first line is neither \"%1\" nor \"%2\"").arg(kHeader, kHeader5));

    for (int i = 1; i < script.lines.size(); ++i) {
        const QString line = script.lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')))
                throw malformed(path, i, QStringLiteral("a key without its closing bracket"));
            script.sections.push_back({line.mid(1, line.size() - 2), i, {}});
            continue;
        }
        Entry entry{QString(), std::nullopt, i, i};
        qsizetype pos = 0;
        if (line.startsWith(QLatin1Char('@'))) {
            pos = 1;
        } else if (line.startsWith(QLatin1Char('"'))) {
            const auto name = unquote(line, pos);
            if (!name)
                throw malformed(path, i, QStringLiteral("a value name without its closing quote"));
            entry.name = *name;
        } else {
            throw malformed(path, i, QStringLiteral("neither a key nor a value"));
        }
        if (script.sections.empty())
            throw malformed(path, i, QStringLiteral("a value outside of any key"));
        QString rest = line.mid(pos).trimmed();
        if (!rest.startsWith(QLatin1Char('=')))
            throw malformed(path, i, QStringLiteral("a value name without \"=\""));
        rest = rest.mid(1).trimmed();
        if (rest.startsWith(QLatin1Char('"'))) {
            qsizetype at = 0;
            entry.text = unquote(rest, at);
            if (!entry.text || !rest.mid(at).trimmed().isEmpty())
                throw malformed(path, i, QStringLiteral("a text value that is not one quoted text"));
        } else {
            // Binary values may go on over several lines, each but the last ending in "\".
            while (script.lines[entry.lastLine].trimmed().endsWith(QLatin1Char('\\')) &&
                   entry.lastLine + 1 < script.lines.size())
                ++entry.lastLine;
            i = entry.lastLine;
        }
        script.sections.back().lastLine = entry.lastLine;
        script.sections.back().entries.push_back(entry);
    }
    return script;
}

// The text after a byte order mark, or in the code page without one.
QString decode(const QByteArray& bytes, Form& form) {
    const auto unicode = [&](Form::Encoding encoding, QStringConverter::Encoding converter, int mark) {
        form.encoding = encoding;
        return QString(QStringDecoder(converter).decode(QByteArrayView(bytes.constData() + mark, bytes.size() - mark)));
    };
    if (bytes.startsWith("\xFF\xFE"))
        return unicode(Form::Encoding::Utf16LE, QStringConverter::Utf16LE, 2);
    if (bytes.startsWith("\xFE\xFF"))
        return unicode(Form::Encoding::Utf16BE, QStringConverter::Utf16BE, 2);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return unicode(Form::Encoding::Utf8, QStringConverter::Utf8, 3);
    return Cp1252::decode(bytes);
}

QByteArray encode(const QString& text, const Form& form) {
    switch (form.encoding) {
    case Form::Encoding::Utf8:
        return "\xEF\xBB\xBF" + text.toUtf8();
    case Form::Encoding::Utf16LE:
        return "\xFF\xFE" + QByteArray(QStringEncoder(QStringConverter::Utf16LE).encode(text));
    case Form::Encoding::Utf16BE:
        return "\xFE\xFF" + QByteArray(QStringEncoder(QStringConverter::Utf16BE).encode(text));
    default:
        return Cp1252::encode(text);
    }
}

// A line ends at CR LF, CR or LF, as the platform's editor reads it; the first line end found is
// the one the file is rewritten with.
QStringList splitLines(const QString& text, Form& form) {
    QStringList lines;
    bool first = true;
    for (qsizetype pos = 0; pos < text.size();) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        lines << text.mid(pos, end - pos);
        qsizetype next = end + 1;
        if (end + 1 < text.size() && text[end] == QLatin1Char('\r') && text[end + 1] == QLatin1Char('\n'))
            ++next;
        if (first && end < text.size())
            form.lineEnd = text.mid(end, next - end);
        first = false;
        pos = next;
    }
    return lines;
}

Script parse(const QString& path) {
    if (!FileSystem::fileExists(path) && !FileSystem::folderExists(path))
        return {};
    Form form;
    QStringList lines = splitLines(decode(FileSystem::readFile(path), form), form);
    return index(path, std::move(lines), form);
}

QString sectionKey(const QString& path, quint32 root, const QString& keyPath) {
    switch (root) {
    case RegistryAccess::CurrentUser:
        return "HKEY_CURRENT_USER\\" + keyPath;
    case RegistryAccess::LocalMachine:
        return "HKEY_LOCAL_MACHINE\\" + keyPath;
    default:
        throw RunError{RunError::InvalidProcedureCall,
                       QStringLiteral("Invalid procedure call or argument: unknown registry root %1 for %2")
                           .arg(root, 0, 16)
                           .arg(QDir::toNativeSeparators(path))};
    }
}

// The last place where the value is set: merging a script applies its lines in order.
struct Found {
    const Section* section = nullptr;
    const Entry* entry = nullptr;
};

Found find(const Script& script, const QString& key, const QString& valueName) {
    Found found;
    for (const Section& section : script.sections) {
        if (section.key.compare(key, Qt::CaseInsensitive) != 0)
            continue;
        found.section = &section;
        for (const Entry& entry : section.entries)
            if (entry.name.compare(valueName, Qt::CaseInsensitive) == 0)
                found.entry = &entry;
    }
    return found;
}

}  // namespace

QString RegistryFile::ReadValue(quint32 root, const QString& keyPath, const QString& valueName) {
    const QString key = sectionKey(path_, root, keyPath);
    const Script script = parse(path_);
    const Found found = find(script, key, valueName);
    return found.entry && found.entry->text ? *found.entry->text : QString();
}

void RegistryFile::WriteValue(quint32 root, const QString& keyPath, const QString& valueName, const QString& value) {
    WriteValues(root, keyPath, {{valueName, value}});
}

void RegistryFile::WriteValues(quint32 root, const QString& keyPath, const Values& values) {
    const QString key = sectionKey(path_, root, keyPath);
    for (const auto& [valueName, value] : values)
        if (value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n')))
            throw RunError{RunError::InvalidProcedureCall,
                           QStringLiteral("Invalid procedure call or argument: a value with a line break cannot be "
                                          "stored in %1")
                               .arg(QDir::toNativeSeparators(path_))};
    Script script = parse(path_);
    for (const auto& [valueName, value] : values) {
        const QString line = (valueName.isEmpty() ? QStringLiteral("@") : ClsRegistro::valorCitado(valueName)) + '=' +
                             ClsRegistro::valorCitado(value);
        const Found found = find(script, key, valueName);
        QStringList lines = script.lines;
        if (found.entry) {
            lines.remove(found.entry->firstLine, found.entry->lastLine - found.entry->firstLine + 1);
            lines.insert(found.entry->firstLine, line);
        } else if (found.section) {
            // A binary value whose last line still ends in "\" (only the file's last line can) would
            // take the new line as its continuation: an empty line ends it first.
            qsizetype at = found.section->lastLine + 1;
            if (lines[at - 1].trimmed().endsWith(QLatin1Char('\\')))
                lines.insert(at++, QString());
            lines.insert(at, line);
        } else {
            if (lines.isEmpty())
                lines << kHeader;
            if (!lines.last().trimmed().isEmpty())
                lines << QString();
            lines << '[' + key + ']' << line;
        }
        script = index(path_, std::move(lines), script.form);
    }
    // All the values reach the file in one rewrite: a failure changes none of them.
    QString text;
    for (const QString& l : script.lines)
        text += l + script.form.lineEnd;
    FileSystem::replaceFile(path_, encode(text, script.form));
}
