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
#include "DatabaseFormat.h"
#include "Dialogs.h"
#include "FileSystem.h"
#include "FreedMemory.h"
#include "Mod_Variables.h"
#include "RunError.h"
#include "SameCode.h"
#include "TextReader.h"
#include "TextWriter.h"
#include "VbText.h"
#include "WindowDisplay.h"

void ClsBD::cargarbdallv() {
    errores_.guard(LogName, QStringLiteral("ClsBD.cargarbdallv"), [this] { load(std::nullopt); });
}

void ClsBD::loadAccountsWithCode(const QString& code) {
    errores_.guard(LogName, QStringLiteral("ClsBD.cargarbdallv"), [&] { load(code); });
}

void ClsBD::load(const std::optional<QString>& onlyCode) {
    const std::optional<DatabaseFile::Fingerprint> held = database_.loaded();
    database_.setLoaded(std::nullopt);
    holdsOneCode_ = false;
    if (held && mv_.Accounts.count() > 0 && lostUnderneath())
        return keepHeldAccounts();
    if (!FileSystem::fileExists(mv_.RutaBD) && makeEmptyFile()) {
        // The list is left as it is; when it is empty it holds what the new file holds.
        if (mv_.Accounts.count() == 0)
            database_.setLoaded(DatabaseFile::read(mv_.RutaBD)->fingerprint);
        return;
    }
    // An older file is converted first, a newer one ends the program; a file left in an older
    // layout by a failed conversion is not read as a current one.
    if (!conversion_.ConvDbOld(mv_.RutaBD, false))
        return;
    // A list of some accounts is never written over the file.
    if (onlyCode) {
        readAccountsWithCode(*onlyCode);
        holdsOneCode_ = true;
    } else {
        database_.setLoaded(readAllRecords());
    }
    giveBackFreedMemory();
    giveNamesAgain();
    showSelectedComment();
}

bool ClsBD::makeEmptyFile() {
    // Made only while there is still no file: another copy of the program may have made one.
    return database_.replace([](const std::optional<QByteArray>& current, TextWriter& file) {
        if (current)
            return false;
        DatabaseFormat::escribirversion(file);
        return true;
    });
}

void ClsBD::showSelectedComment() {
    // The comment box never shows the comment of a row that is no longer selected.
    const AccountList& list = mv_.Accounts;
    display_.showComment(list.selected() != 0 ? traercomentario(list.selectedRow().code) : QString());
}

DatabaseFile::Fingerprint ClsBD::readAllRecords() {
    return readRecords(nullptr, [this](Read& read) {
        // The rows' texts and the comments each go in one text that never outgrows the file, and
        // so is never copied; the room no record uses is never touched, and so takes no memory.
        const qint64 size = QFileInfo(mv_.RutaBD).size();
        read.texts.reserve(size);
        read.comments.reserve(0, size);
    });
}

void ClsBD::readAccountsWithCode(const QString& code) {
    const SameCode wanted(code);
    readRecords(&wanted, [](Read&) {});
}

DatabaseFile::Fingerprint ClsBD::readRecords(const SameCode* wanted, const std::function<void(Read&)>& start) {
    AccountList& list = mv_.Accounts;
    list.clear();
    list.setSorted(false);
    // The old comments go with the old rows, before the new ones are read.
    mv_.Comentarios.assign({});
    Read read;
    DatabaseFile::Fingerprint fingerprint;
    try {
        start(read);
        bool header = true;
        // Only a list of every account can be written back, and so needs the file's hash.
        fingerprint = DatabaseFile::readInPieces(
            mv_.RutaBD, !wanted,
            [&] {
                read = Read();
                start(read);
                header = true;
            },
            [&](QByteArrayView piece, bool last) {
                TextReader file(mv_.RutaBD, piece, last);
                const qsizetype used = readRecordsFrom(file, header, wanted, read);
                header = header && used == 0;
                return used;
            });
    } catch (...) {
        // Whatever was read before a failure stays loaded; the record being read gets no row.
        publish(read);
        showSelectedComment();
        throw;
    }
    publish(read);
    return fingerprint;
}

qsizetype ClsBD::readRecordsFrom(TextReader& file, bool header, const SameCode* wanted, Read& read) {
    std::vector<QByteArrayView> lines;  // one comment's lines, in the file's bytes
    qsizetype used = 0;
    try {
        if (header) {
            file.readLineBytes();  // its version was checked before
            if (file.atEnd())
                display_.Botones();
            used = file.position();
        }
        while (!file.atEnd()) {
            const QByteArrayView name = file.readLineBytes();
            const QByteArrayView code = file.readLineBytes();
            const QByteArrayView signature = file.readLineBytes();
            file.readLineBytes();  // the opener
            lines.clear();
            QByteArrayView line = file.readLineBytes();
            for (; !DatabaseFormat::isCloser(line); line = file.readLineBytes())
                lines.push_back(line);
            used = file.position();
            // A row keeps the sizes of its texts and of its comment (whose line ends may double as
            // they become CR LF) in 32 bits.
            if (line.data() - name.data() > std::numeric_limits<int>::max() / 2)
                throw RunError{RunError::OutOfMemory, "Out of memory: an account in " +
                                                          QDir::toNativeSeparators(mv_.RutaBD) + " is over 1 GB long"};
            if (wanted && !(*wanted)(code))
                continue;
            read.rows.push_back({read.texts.size(), int(name.size()), int(code.size()), int(signature.size())});
            for (QByteArrayView text : {name, code, signature})
                Cp1252::decodeAppend(text, read.texts);
            read.comments.add(code, lines);
        }
    } catch (const TextReader::PieceEnd&) {
        // The rest is read with the next piece.
    }
    return used;
}

void ClsBD::publish(Read& read) {
    // Each record goes on top of the list, so the list holds the records in reverse file order;
    // the first record added stays selected.
    AccountList& list = mv_.Accounts;
    std::reverse(read.rows.begin(), read.rows.end());
    read.texts.squeeze();  // the room reserved is given back
    list.assign(std::move(read.texts), std::move(read.rows));
    if (list.count() > 0)
        list.select(list.count());
    mv_.Comentarios.assign(std::move(read.comments));
}

bool ClsBD::lostUnderneath() const {
    // No account fits in fewer bytes than the header this program writes.
    const QFileInfo file(mv_.RutaBD);
    return !file.exists() || (file.isFile() && file.size() < DatabaseFormat::Header.size());
}

void ClsBD::keepHeldAccounts() {
    // Another program deleted or emptied the file under the list: that is no new database. The
    // list stays as it is, no longer counted as loaded, so nothing writes it over the file.
    const QString copy = respaldos_.guardarRescate([this](TextWriter& file) {
        DatabaseFormat::escribirversion(file);
        escribirCuentas(file);
    });
    dialogs_.MsgBox(QStringLiteral("%1 was %2 by another program while this window held its %3 accounts. "
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
            dialogs_.MsgBox("The new name \"" + rename.name + "\" of the account " + rename.before.code +
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
    DatabaseFile::Change withHeader = change;
    withHeader.write = [&change](TextWriter& file) {
        DatabaseFormat::escribirversion(file);
        change.write(file);
    };
    if (!cambiar(withHeader, DatabaseFile::Kind::Rewrite))
        return false;
    renames_.clear();  // the list written held them
    return true;
}

bool ClsBD::anexar(const DatabaseFile::Change& change) { return cambiar(change, DatabaseFile::Kind::Append); }

bool ClsBD::cambiar(const DatabaseFile::Change& change, DatabaseFile::Kind kind) {
    // How many times a change is applied again to a list loaded again before giving up.
    constexpr int kAttempts = 5;
    const QString shown = QDir::toNativeSeparators(mv_.RutaBD);
    for (int attempt = 1;; ++attempt) {
        if (database_.writeIfCurrent(change, kind))
            return true;
        if (attempt == kAttempts)
            throw RunError{RunError::PermissionDenied,
                           "Permission denied: " + shown + " is being changed by another copy of the program"};
        // Another copy changed the file since it was loaded: the change is made to the fresh list.
        // A file that could not be loaded whole has been reported by its load.
        cargarbdallv();
        if (!database_.isLoaded())
            return false;
        if (!change.reapply()) {
            dialogs_.MsgBox(change.refused + ": another copy of the program changed " + shown +
                                " meanwhile. The list shows the accounts as they are stored now.",
                            MsgButtons::OK, MsgIcon::Exclamation);
            return false;
        }
    }
}

QString ClsBD::BuscarfirmaenLV(const QString& code) {
    const AccountList& list = mv_.Accounts;
    const int position = list.firstWithCodeIgnoringCase(code);
    return position == 0 ? QString() : list.signature(position).toString();
}

void ClsBD::guardarcambios() {
    errores_.guard(LogName, QStringLiteral("ClsBD.guardarcambios"), [this] {
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
    DatabaseFormat::writeHead(file, list.name(position), list.code(position), list.signature(position));
    file.writeEncodedLine(mv_.Comentarios.storedComment(list.code(position)));
    file.writeLine(DatabaseFormat::Closer);
}
