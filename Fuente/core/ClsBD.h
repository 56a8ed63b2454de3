#pragma once

#include <functional>
#include <optional>
#include <QString>
#include <vector>

#include "AccountList.h"
#include "DatabaseFile.h"
#include "TablaComentarios.h"

class ClsControlErrores;
class ClsRespaldos;
class ClsconvertirBaseVieja;
class SameCode;
class TextReader;
class Clsvalidacion;
class Dialogs;
class Mod_Variables;
class TextWriter;
class WindowDisplay;

// The account database file: loading it into the account list and the comment table, and
// writing it back (its layout: DatabaseFormat).
class ClsBD {
public:
    static inline const QString LogName = QStringLiteral("ClsBD.log");

    // Loads and writes mv.RutaBD into mv.Accounts and mv.Comentarios; shows the selected row's
    // comment on `display`.
    ClsBD(Mod_Variables& mv, Dialogs& dialogs, ClsControlErrores& errores, DatabaseFile& database,
          ClsconvertirBaseVieja& conversion, ClsRespaldos& respaldos, const Clsvalidacion& validacion,
          WindowDisplay& display)
        : mv_(mv),
          dialogs_(dialogs),
          errores_(errores),
          database_(database),
          conversion_(conversion),
          respaldos_(respaldos),
          validacion_(validacion),
          display_(display) {}

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
    // yet are saved with it. When another copy of the program changed the file since it was
    // loaded, the list is loaded again and the change applied to it once more, or, when that is
    // no longer possible, the person is told. Returns whether the file was written.
    bool reescribir(const DatabaseFile::Change& change);
    // Adds the change's records at the end of the database, with the same checks.
    bool anexar(const DatabaseFile::Change& change);

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

private:
    bool cambiar(const DatabaseFile::Change& change, DatabaseFile::Kind kind);
    void load(const std::optional<QString>& onlyCode);
    // What a load has read: the rows' texts (one text for all), the rows and the comments.
    struct Read {
        QString texts;
        std::vector<AccountList::Entry> rows;
        TablaComentarios::Builder comments;
    };
    // Reads the records of the whole file into the list and the comment table; what it read.
    DatabaseFile::Fingerprint readAllRecords();
    // Reads only the records with the code.
    void readAccountsWithCode(const QString& code);
    // Empties the list and the comment table, then reads the file in pieces, all its records or
    // only those `wanted`, into a Read that `start` prepares, and shows what it read, also when
    // reading fails. Returns what it read of the file, hashed when it read every record.
    DatabaseFile::Fingerprint readRecords(const SameCode* wanted, const std::function<void(Read&)>& start);
    // Reads the header (with `header`) and the records, all or those `wanted`, that the reader
    // holds whole; returns where what they used ends.
    qsizetype readRecordsFrom(TextReader& file, bool header, const SameCode* wanted, Read& read);
    // Makes the file with the header alone while there is none; whether it made it.
    bool makeEmptyFile();
    // Shows what was read in the list and the comment table.
    void publish(Read& read);
    // Writes what the import's working copy adds to the stored accounts.
    void mergeImported(TextWriter& destination, const QString& aux, bool& imported, int& refused) const;
    // Whether the file the list was loaded from is gone or too short to hold an account.
    bool lostUnderneath() const;
    // Keeps the list's accounts in a safety copy and tells the person.
    void keepHeldAccounts();
    void giveNamesAgain();
    void showSelectedComment();

    struct Rename {
        AccountRow before;
        QString name;
    };

    Mod_Variables& mv_;
    Dialogs& dialogs_;
    ClsControlErrores& errores_;
    DatabaseFile& database_;
    ClsconvertirBaseVieja& conversion_;
    ClsRespaldos& respaldos_;
    const Clsvalidacion& validacion_;
    WindowDisplay& display_;
    std::vector<Rename> renames_;
    bool holdsOneCode_ = false;
};
