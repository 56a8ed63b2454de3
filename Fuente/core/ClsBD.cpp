#include "ClsBD.h"

#include <algorithm>
#include <vector>

#include "AccountList.h"
#include "ClsControlErrores.h"
#include "Cp1252.h"
#include "ClsRespaldos.h"
#include "ClsconvertirBaseVieja.h"
#include "DatabaseFile.h"
#include "Dialogs.h"
#include "FileSystem.h"
#include "Mod_Variables.h"
#include "TextReader.h"
#include "TextWriter.h"

bool ClsBD::isCloser(const QString& line) {
    return line.size() == Closer.size() && line.compare(Closer, Qt::CaseInsensitive) == 0;
}

bool ClsBD::isCloser(QByteArrayView line) {
    // No Windows-1252 letter outside ASCII folds to an ASCII one, so comparing the bytes' ASCII
    // letter case says what comparing the decoded text would.
    return line.size() == Closer.size() && qstrnicmp(line.data(), line.size(), "</COMENTARIO>") == 0;
}

namespace {

// Comment lines joined by CR LF, in one allocation of the exact size: most comments are never
// changed, and the table keeps a million of them.
QByteArray joinLines(const std::vector<QByteArrayView>& lines) {
    qsizetype size = 2 * (qsizetype(lines.size()) - 1);
    for (QByteArrayView line : lines)
        size += line.size();
    QByteArray joined(size, Qt::Uninitialized);
    char* out = joined.data();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k > 0) {
            *out++ = '\r';
            *out++ = '\n';
        }
        out = std::copy(lines[k].begin(), lines[k].end(), out);
    }
    return joined;
}

}  // namespace

void ClsBD::cargarbdallv() {
    mv_.errores().guard(LogName, QStringLiteral("ClsBD.cargarbdallv"), [this] { load(); });
}

void ClsBD::load() {
    DatabaseFile& database = mv_.database();
    database.setLoaded(std::nullopt);
    AccountList& list = mv_.Accounts;
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
    const std::optional<DatabaseFile::Snapshot> snapshot = DatabaseFile::read(mv_.RutaBD);
    if (!snapshot)
        throw FileSystem::openFailure(mv_.RutaBD, true);
    TextReader file(mv_.RutaBD, snapshot->bytes);
    list.clear();
    list.setSorted(false);

    // Room for as many records as the file can hold (each has at least five lines), so that the
    // vectors are never copied as they grow; the room no record uses is never touched, and so
    // takes no memory.
    const auto records = std::size_t(std::count(snapshot->bytes.cbegin(), snapshot->bytes.cend(), '\r') / 5 + 1);
    std::vector<AccountRow> rows;
    rows.reserve(records);
    std::vector<TablaComentarios::Row> comments;
    comments.reserve(records);
    std::vector<QByteArrayView> lines;  // one comment's lines, in the file's bytes
    // Whatever was read before a failure stays loaded; the record being read gets no row.
    const auto publish = [&] {
        // Each record goes on top of the list, so the list holds the records in reverse file order;
        // the first record added stays selected.
        std::reverse(rows.begin(), rows.end());
        list.assign(std::move(rows));
        if (list.count() > 0)
            list.select(list.count());
        mv_.Comentarios.assign(std::move(comments));
    };
    // The comment box never shows the comment of a row that is no longer selected.
    const auto showComment = [&] {
        mv_.display().showComment(list.selected() != 0 ? traercomentario(list.selectedRow().code) : QString());
    };
    try {
        file.readLine();  // the header; its version was checked before
        if (file.atEnd())
            mv_.display().Botones();
        while (!file.atEnd()) {
            AccountRow row;
            row.name = file.readLine();
            row.code = file.readLine();
            row.signature = file.readLine();
            file.readLine();  // the opener
            TablaComentarios::Row& comment = comments.emplace_back();
            lines.clear();
            for (QByteArrayView line = file.readLineBytes(); !isCloser(line); line = file.readLineBytes())
                lines.push_back(line);
            if (!lines.empty()) {
                comment.code = row.code;
                comment.comment = joinLines(lines);
            }
            rows.push_back(std::move(row));
        }
    } catch (...) {
        publish();
        showComment();
        throw;
    }
    publish();
    database.setLoaded(snapshot->fingerprint);
    giveNamesAgain();
    showComment();
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
        const AccountRow& row = list.row(i);
        if (row == account)
            return i;
        if (row.code == account.code && row.signature == account.signature) {
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

void ClsBD::escribirversion(TextWriter& file) { file.writeLine(QStringLiteral("DB Version: %1").arg(Version)); }

QString ClsBD::BuscarfirmaenLV(const QString& code) {
    const AccountList& list = mv_.Accounts;
    const int position = list.firstWithCodeIgnoringCase(code);
    return position == 0 ? QString() : list.row(position).signature;
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
        writeStored(file, list.row(i));
}

void ClsBD::writeStored(TextWriter& file, const AccountRow& row) const {
    writeHead(file, row.name, row.code, row.signature);
    file.writeEncodedLine(mv_.Comentarios.storedComment(row.code));
    file.writeLine(Closer);
}

void ClsBD::escribirRegistro(TextWriter& file, const QString& name, const QString& code, const QString& signature,
                             const std::optional<QString>& comment) {
    writeHead(file, name, code, signature);
    if (comment)
        file.writeLine(*comment);
    file.writeLine(Closer);
}

void ClsBD::writeHead(TextWriter& file, const QString& name, const QString& code, const QString& signature) {
    file.writeLine(name);
    file.writeLine(code);
    file.writeLine(signature);
    file.writeLine(Opener);
}
