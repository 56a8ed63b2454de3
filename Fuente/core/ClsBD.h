#pragma once

#include <optional>
#include <QString>
#include <vector>

#include "AccountList.h"
#include "DatabaseFile.h"

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
    // The first line of the file, with its line end.
    static inline const QString Header = QStringLiteral("DB Version: %1\r\n").arg(Version);

    explicit ClsBD(Mod_Variables& mv) : mv_(mv) {}

    // Loads RutaBD into the account list (in reverse file order, sorting off) and the comment
    // table. A missing file is created with the header alone and the list is left as it is.
    // Names given but not saved yet are given again, and the window shows the selected row's
    // comment (and, for a file without accounts, the controls an empty list allows).
    void cargarbdallv();
    // Loads only the accounts whose code is this one in any letter case, blanks at either end
    // left out: all that a command line needs of a database of any size. The list then never
    // counts as loaded whole, so nothing writes it over the file.
    void loadAccountsWithCode(const QString& code);
    // Whether the last load that completed was one of loadAccountsWithCode.
    bool holdsOneCode() const { return holdsOneCode_; }

    static void escribirversion(TextWriter& file);

    // The signature of the first row whose code matches, ignoring letter case and blanks at
    // either end; empty when none does.
    QString BuscarfirmaenLV(const QString& code);

    // Rewrites RutaBD from the account list in its display order and the comment table.
    void guardarcambios();
    // Gives a row a new name, kept as a change not saved yet until a rewrite of the database
    // succeeds: a save that fails leaves it for the next save, and a load gives it again.
    void renombrar(int position, const QString& name);
    bool hayCambiosSinGuardar() const { return !renames_.empty(); }
    // Rewrites the database through the one checked rewrite, the header first; names not saved
    // yet are saved with it. Returns whether the file was written.
    bool reescribir(const DatabaseFile::Change& change);

    // The row of the list that is this account: the row equal to it, or else the one row with its
    // code and signature (renamed meanwhile by another copy of the program); 0 when none.
    int buscarFila(const AccountRow& account) const;
    // The row to activate for a code: the first in list order whose code, trimmed of blanks, is the
    // given one; or else the first whose code matches in any letter case; 0 when none.
    int filaParaActivar(const QString& code) const;

    // Merges the accounts of an account data file that the person chooses: accounts whose code
    // is stored are skipped, an imported name already in use is marked. The database is replaced
    // in one step, its previous content kept in ".bak"; a source that ends inside an account
    // imports nothing.
    void importar();

    // The comment stored for a code (exact letter case), or the empty text.
    QString traercomentario(const QString& code) const;

    // Writes every row of the account list as records, with their comments.
    void escribirCuentas(TextWriter& file) const;
    // Writes a row of the list as a record with its stored comment lines as the file held them; a
    // record that had no comment line gets one empty line.
    void writeStored(TextWriter& file, int position) const;
    // Writes one record. The comment's CR LF pairs become line ends and an empty comment is one
    // empty line; without a comment the opener is directly followed by the closer.
    static void escribirRegistro(TextWriter& file, const QString& name, const QString& code, const QString& signature,
                                 const std::optional<QString>& comment);

    // Whether a line closes a comment: "</COMENTARIO>" in any letter case.
    static bool isCloser(const QString& line);
    static bool isCloser(QByteArrayView line);

private:
    static void writeHead(TextWriter& file, QStringView name, QStringView code, QStringView signature);
    void load(const std::optional<QString>& onlyCode);
    // Whether the file the list was loaded from is gone or too short to hold an account.
    bool lostUnderneath() const;
    // Keeps the list's accounts in a safety copy and tells the person.
    void keepHeldAccounts();
    void giveNamesAgain();

    struct Rename {
        AccountRow before;
        QString name;
    };

    Mod_Variables& mv_;
    std::vector<Rename> renames_;
    bool holdsOneCode_ = false;
};
