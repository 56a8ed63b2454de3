#pragma once

#include <optional>
#include <QByteArrayView>
#include <QString>

class TextWriter;

// The layout of the account database file, shared by its loader, its writers and its conversion:
// the header line, then per account the name, the code, the signature, "<COMENTARIO>", the
// comment lines and "</COMENTARIO>" (recognised in any letter case).
class DatabaseFormat {
public:
    static constexpr int Version = 101;
    static inline const QString Opener = QStringLiteral("<COMENTARIO>");
    static inline const QString Closer = QStringLiteral("</COMENTARIO>");
    // The first line of the file, with its line end.
    static inline const QString Header = QStringLiteral("DB Version: %1\r\n").arg(Version);
    // The import's working copy of the chosen file, beside the database.
    static inline const QString SufijoAux = QStringLiteral(".Aux");

    // Writes the header line.
    static void escribirversion(TextWriter& file);
    // Writes one record. The comment's CR LF pairs become line ends and an empty comment is one
    // empty line; without a comment the opener is directly followed by the closer.
    static void escribirRegistro(TextWriter& file, const QString& name, const QString& code, const QString& signature,
                                 const std::optional<QString>& comment);
    // Writes a record's first four lines: name, code, signature and the opener.
    static void writeHead(TextWriter& file, QStringView name, QStringView code, QStringView signature);

    // Whether a line closes a comment: "</COMENTARIO>" in any letter case.
    static bool isCloser(const QString& line);
    static bool isCloser(QByteArrayView line);
};
