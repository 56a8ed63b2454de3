#pragma once

#include <optional>
#include <QString>

class Mod_Variables;
class TextWriter;

// The account database file: loading it into the account list and the comment table, and
// writing it back.
//
// File layout: the header line, then per account the name, the code, the signature,
// "<COMENTARIO>", the comment lines and "</COMENTARIO>" (recognised in any letter case).
class ClsBD {
public:
    static constexpr int Version = 101;
    static inline const QString Opener = QStringLiteral("<COMENTARIO>");
    static inline const QString Closer = QStringLiteral("</COMENTARIO>");
    static inline const QString LogName = QStringLiteral("ClsBD.log");
    // The import's working copy of the chosen file, beside the database.
    static inline const QString SufijoAux = QStringLiteral(".Aux");

    explicit ClsBD(Mod_Variables& mv) : mv_(mv) {}

    // Loads RutaBD into the account list (in reverse file order, sorting off) and the comment
    // table. A missing file is created with the header alone and the list is left as it is.
    void cargarbdallv();

    static void escribirversion(TextWriter& file);

    // The signature of the first row whose code matches, ignoring letter case and blanks at
    // either end; empty when none does.
    QString BuscarfirmaenLV(const QString& code);

    // Rewrites RutaBD from the account list in its display order and the comment table.
    void guardarcambios();

    // Merges the accounts of an account data file that the person chooses: accounts whose code
    // is stored are skipped, an imported name already in use is marked. The database is replaced
    // in one step, its previous content kept in ".bak"; a source that ends inside an account
    // imports nothing.
    void importar();

    // The comment stored for a code (exact letter case), or the empty text.
    QString traercomentario(const QString& code) const;

    // Opens the database for a rewrite, after a copy of it went into the backups.
    TextWriter reescritura();

    // Writes every row of the account list as records, with their comments.
    void escribirCuentas(TextWriter& file) const;
    // Writes one record. The comment's CR LF pairs become line ends and an empty comment is one
    // empty line; without a comment the opener is directly followed by the closer.
    static void escribirRegistro(TextWriter& file, const QString& name, const QString& code,
                                 const QString& signature, const std::optional<QString>& comment);

    // Whether a line closes a comment: "</COMENTARIO>" in any letter case.
    static bool isCloser(const QString& line);

private:
    void load();

    Mod_Variables& mv_;
};
