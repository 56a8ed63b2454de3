#include "ClsBD.h"

#include <algorithm>
#include <limits>
#include <vector>

#include <QDir>
#include <QFileInfo>

#include "AccountList.h"
#include "ClsControlErrores.h"
#include "Cp1252.h"
#include "ClsRespaldos.h"
#include "ClsconvertirBaseVieja.h"
#include "DatabaseFile.h"
#include "Dialogs.h"
#include "FileSystem.h"
#include "Mod_Variables.h"
#include "RunError.h"
#include "TextReader.h"
#include "TextWriter.h"
#include "VbText.h"

bool ClsBD::isCloser(const QString& line) {
    return line.size() == Closer.size() && line.compare(Closer, Qt::CaseInsensitive) == 0;
}

bool ClsBD::isCloser(QByteArrayView line) {
    // No Windows-1252 letter outside ASCII folds to an ASCII one, so comparing the bytes' ASCII
    // letter case says what comparing the decoded text would.
    return line.size() == Closer.size() && qstrnicmp(line.data(), line.size(), "</COMENTARIO>") == 0;
}

namespace {

QString decoded(QByteArrayView line) { return Cp1252::decode(line.data(), line.size()); }

// Whether a code line of the file is a code in any letter case, blanks at either end left out,
// as the list's lookups compare codes; without making a text of every line. Upper-casing keeps
// a text's length, and no Windows-1252 letter outside ASCII upper-cases to an ASCII one, so an
// ASCII code is compared on the bytes.
class SameCode {
public:
    explicit SameCode(const QString& code)
        : wanted_(VbText::trim(code)),
          ascii_(std::all_of(wanted_.begin(), wanted_.end(), [](QChar c) { return c.unicode() < 0x80; })) {}

    bool operator()(QByteArrayView line) const {
        while (!line.isEmpty() && line.front() == ' ')
            line = line.sliced(1);
        while (!line.isEmpty() && line.back() == ' ')
            line.chop(1);
        if (line.size() != wanted_.size())
            return false;
        if (!ascii_)
            return VbText::sameUpper(decoded(line), wanted_);
        for (qsizetype i = 0; i < line.size(); ++i)
            if (asciiUpper(char16_t(uchar(line[i]))) != asciiUpper(wanted_[i].unicode()))
                return false;
        return true;
    }

private:
    static char16_t asciiUpper(char16_t c) { return c >= 'a' && c <= 'z' ? char16_t(c - 'a' + 'A') : c; }

    QString wanted_;
    bool ascii_;
};

}  // namespace

void ClsBD::cargarbdallv() {
    mv_.errores().guard(LogName, QStringLiteral("ClsBD.cargarbdallv"), [this] { load(std::nullopt); });
}

void ClsBD::loadAccountsWithCode(const QString& code) {
    mv_.errores().guard(LogName, QStringLiteral("ClsBD.cargarbdallv"), [&] { load(code); });
}

void ClsBD::load(const std::optional<QString>& onlyCode) {
    DatabaseFile& database = mv_.database();
    const std::optional<DatabaseFile::Fingerprint> held = database.loaded();
    database.setLoaded(std::nullopt);
    holdsOneCode_ = false;
    AccountList& list = mv_.Accounts;
    if (held && list.count() > 0 && lostUnderneath())
        return keepHeldAccounts();
    if (!FileSystem::fileExists(mv_.RutaBD)) {
        // Made only while there is still no file: another copy of the program may have made one.
        const bool made = database.replace([](const std::optional<QByteArray>& current, TextWriter& file) {
            if (current)
                return false;
            escribirversion(file);
            return true;
        });
        if (made) {
            // The list is left as it is; when it is empty it holds what the new file holds.
            if (list.count() == 0)
                database.setLoaded(DatabaseFile::read(mv_.RutaBD)->fingerprint);
            return;
        }
    }
    // An older file is converted first, a newer one ends the program; a file left in an older
    // layout by a failed conversion is not read as a current one.
    if (!mv_.conversion().ConvDbOld(mv_.RutaBD, false))
        return;
    // A list of some accounts is never written back, so it needs no fingerprint of the file.
    const std::optional<DatabaseFile::Snapshot> snapshot = DatabaseFile::read(mv_.RutaBD, !onlyCode);
    if (!snapshot)
        throw FileSystem::openFailure(mv_.RutaBD, true);
    TextReader file(mv_.RutaBD, snapshot->bytes);
    list.clear();
    list.setSorted(false);
    // The old comments go with the old rows, before the new ones are read beside the file's bytes.
    mv_.Comentarios.assign({});

    // Room for as many records as the file can hold (each has at least five lines), so that the
    // vectors are never copied as they grow; the room no record uses is never touched, and so
    // takes no memory.
    const auto records = onlyCode
                             ? 0
                             : std::size_t(std::count(snapshot->bytes.cbegin(), snapshot->bytes.cend(), '\r') / 5 + 1);
    const SameCode wanted(onlyCode.value_or(QString()));
    // The rows' texts and the comments each go in one text that never outgrows the file, and
    // so is never copied.
    QString texts;
    texts.reserve(onlyCode ? 0 : snapshot->bytes.size());
    std::vector<AccountList::Entry> rows;
    rows.reserve(records);
    TablaComentarios::Builder comments;
    comments.reserve(records, onlyCode ? 0 : snapshot->bytes.size());
    std::vector<QByteArrayView> lines;  // one comment's lines, in the file's bytes
    // Whatever was read before a failure stays loaded; the record being read gets no row.
    const auto publish = [&] {
        // Each record goes on top of the list, so the list holds the records in reverse file order;
        // the first record added stays selected.
        std::reverse(rows.begin(), rows.end());
        texts.squeeze();  // the room reserved is given back
        list.assign(std::move(texts), std::move(rows));
        if (list.count() > 0)
            list.select(list.count());
        mv_.Comentarios.assign(std::move(comments));
    };
    // The comment box never shows the comment of a row that is no longer selected.
    const auto showComment = [&] {
        mv_.display().showComment(list.selected() != 0 ? traercomentario(list.selectedRow().code) : QString());
    };
    try {
        file.readLineBytes();  // the header; its version was checked before
        if (file.atEnd())
            mv_.display().Botones();
        while (!file.atEnd()) {
            const QByteArrayView name = file.readLineBytes();
            const QByteArrayView code = file.readLineBytes();
            const QByteArrayView signature = file.readLineBytes();
            file.readLineBytes();  // the opener
            lines.clear();
            QByteArrayView line = file.readLineBytes();
            for (; !isCloser(line); line = file.readLineBytes())
                lines.push_back(line);
            // A row keeps the sizes of its texts and of its comment (whose line ends may double as
            // they become CR LF) in 32 bits.
            if (line.data() - name.data() > std::numeric_limits<int>::max() / 2)
                throw RunError{RunError::OutOfMemory, "Out of memory: an account in " +
                                                          QDir::toNativeSeparators(mv_.RutaBD) + " is over 1 GB long"};
            if (onlyCode && !wanted(code))
                continue;
            rows.push_back({texts.size(), int(name.size()), int(code.size()), int(signature.size())});
            for (QByteArrayView text : {name, code, signature})
                Cp1252::decodeAppend(text, texts);
            comments.add(code, lines);
        }
    } catch (...) {
        publish();
        showComment();
        throw;
    }
    publish();
    // A list of some accounts is never written over the file.
    if (onlyCode)
        holdsOneCode_ = true;
    else
        database.setLoaded(snapshot->fingerprint);
    giveNamesAgain();
    showComment();
}

bool ClsBD::lostUnderneath() const {
    // No account fits in fewer bytes than the header this program writes.
    const QFileInfo file(mv_.RutaBD);
    return !file.exists() || (file.isFile() && file.size() < Header.size());
}

void ClsBD::keepHeldAccounts() {
    // Another program deleted or emptied the file under the list: that is no new database. The
    // list stays as it is, no longer counted as loaded, so nothing writes it over the file.
    const QString copy = mv_.respaldos().guardarRescate([this](TextWriter& file) {
        escribirversion(file);
        escribirCuentas(file);
    });
    mv_.dialogs.MsgBox(
        QStringLiteral("%1 was %2 by another program while this window held its %3 accounts. "
                       "Nothing was written over it: the %3 accounts are kept in %4. To get them "
                       "back, close the program and copy that file over %1.")
            .arg(QDir::toNativeSeparators(mv_.RutaBD),
                 FileSystem::fileExists(mv_.RutaBD) ? QStringLiteral("emptied") : QStringLiteral("deleted"),
                 QString::number(mv_.Accounts.count()), QDir::toNativeSeparators(copy)),
        MsgButtons::OK, MsgIcon::Exclamation);
}

void ClsBD::giveNamesAgain() {
    AccountList& list = mv_.Accounts;
    std::vector<Rename> kept;
    for (Rename& rename : renames_) {
        const int position = buscarFila(rename.before);
        if (position == 0) {
            mv_.dialogs.MsgBox("The new name \"" + rename.name + "\" of the account " + rename.before.code +
                                   " was not saved: another copy of the program changed or deleted the account "
                                   "meanwhile.",
                               MsgButtons::OK, MsgIcon::Exclamation);
            continue;
        }
        rename.before = list.row(position);
        list.setName(position, rename.name);
        kept.push_back(rename);
    }
    renames_ = std::move(kept);
}

void ClsBD::renombrar(int position, const QString& name) {
    AccountList& list = mv_.Accounts;
    renames_.push_back({list.row(position), name});
    list.setName(position, name);
}

int ClsBD::buscarFila(const AccountRow& account) const {
    const AccountList& list = mv_.Accounts;
    int sameAccount = 0;
    int sameAccounts = 0;
    for (int i = 1; i <= list.count(); ++i) {
        if (list.holds(i, account))
            return i;
        if (list.code(i) == account.code && list.signature(i) == account.signature) {
            sameAccount = i;
            ++sameAccounts;
        }
    }
    return sameAccounts == 1 ? sameAccount : 0;
}

int ClsBD::filaParaActivar(const QString& code) const {
    const AccountList& list = mv_.Accounts;
    const int exact = list.firstWithTrimmedCode(code);
    return exact != 0 ? exact : list.firstWithCodeIgnoringCase(code);
}

bool ClsBD::reescribir(const DatabaseFile::Change& change) {
    if (!mv_.database().rewrite(change))
        return false;
    renames_.clear();  // the list written held them
    return true;
}

void ClsBD::escribirversion(TextWriter& file) { file.writeLine(Header.chopped(2)); }

QString ClsBD::BuscarfirmaenLV(const QString& code) {
    const AccountList& list = mv_.Accounts;
    const int position = list.firstWithCodeIgnoringCase(code);
    return position == 0 ? QString() : list.signature(position).toString();
}

void ClsBD::guardarcambios() {
    mv_.errores().guard(LogName, QStringLiteral("ClsBD.guardarcambios"), [this] {
        DatabaseFile::Change change;
        change.write = [this](TextWriter& file) { escribirCuentas(file); };
        change.refused = QStringLiteral("The changes were not saved");
        reescribir(change);
    });
}

QString ClsBD::traercomentario(const QString& code) const { return mv_.Comentarios.commentFor(code); }

void ClsBD::escribirCuentas(TextWriter& file) const {
    const AccountList& list = mv_.Accounts;
    for (int i = 1; i <= list.count(); ++i)
        writeStored(file, i);
}

void ClsBD::writeStored(TextWriter& file, int position) const {
    const AccountList& list = mv_.Accounts;
    writeHead(file, list.name(position), list.code(position), list.signature(position));
    file.writeEncodedLine(mv_.Comentarios.storedComment(list.code(position)));
    file.writeLine(Closer);
}

void ClsBD::escribirRegistro(TextWriter& file, const QString& name, const QString& code, const QString& signature,
                             const std::optional<QString>& comment) {
    writeHead(file, name, code, signature);
    if (comment)
        file.writeLine(*comment);
    file.writeLine(Closer);
}

void ClsBD::writeHead(TextWriter& file, QStringView name, QStringView code, QStringView signature) {
    file.writeLine(name);
    file.writeLine(code);
    file.writeLine(signature);
    file.writeLine(Opener);
}
