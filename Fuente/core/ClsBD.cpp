#include "ClsBD.h"

#include <algorithm>
#include <vector>

#include "AccountList.h"
#include "ClsControlErrores.h"
#include "ClsControles.h"
#include "Cp1252.h"
#include "ClsRespaldos.h"
#include "ClsconvertirBaseVieja.h"
#include "FileSystem.h"
#include "Mod_Variables.h"
#include "TextReader.h"
#include "TextWriter.h"
#include "forms/Frm_Main.h"

bool ClsBD::isCloser(const QString& line) {
    return line.size() == Closer.size() && line.compare(Closer, Qt::CaseInsensitive) == 0;
}

void ClsBD::cargarbdallv() {
    mv_.errores().guard(LogName, QStringLiteral("ClsBD.cargarbdallv"), [this] { load(); });
}

void ClsBD::load() {
    if (!FileSystem::fileExists(mv_.RutaBD)) {
        TextWriter file(mv_.RutaBD, TextWriter::Mode::Rewrite);
        escribirversion(file);
        file.close();
        return;
    }
    // An older file is converted first, a newer one ends the program; a file left in an older
    // layout by a failed conversion is not read as a current one.
    if (!mv_.conversion().ConvDbOld(mv_.RutaBD, false))
        return;
    TextReader file(mv_.RutaBD);
    AccountList& list = mv_.main().LvAccounts;
    list.clear();
    list.setSorted(false);

    std::vector<AccountRow> rows;
    std::vector<TablaComentarios::Row> comments;
    // Whatever was read before a failure stays loaded; the record being read gets no row.
    const auto publish = [&] {
        // Each record goes on top of the list, so the list holds the records in reverse file order;
        // the first record added stays selected.
        std::reverse(rows.begin(), rows.end());
        rows.shrink_to_fit();  // the list keeps this vector: no room for growth it will not use
        comments.shrink_to_fit();
        list.assign(std::move(rows));
        if (list.count() > 0)
            list.select(list.count());
        mv_.Comentarios.assign(std::move(comments));
    };
    try {
        file.readLine();  // the header; its version was checked before
        if (file.atEnd())
            mv_.controles().Botones();
        while (!file.atEnd()) {
            AccountRow row;
            row.name = file.readLine();
            row.code = file.readLine();
            row.signature = file.readLine();
            file.readLine();  // the opener
            TablaComentarios::Row& comment = comments.emplace_back();
            bool first = true;
            for (QString line = file.readLine(); !isCloser(line); line = file.readLine()) {
                comment.code = row.code;
                if (!first)
                    comment.comment += "\r\n";
                Cp1252::encodeAppend(line, comment.comment);
                first = false;
            }
            comment.comment.squeeze();
            rows.push_back(std::move(row));
        }
    } catch (...) {
        publish();
        throw;
    }
    publish();
}

void ClsBD::escribirversion(TextWriter& file) { file.writeLine(QStringLiteral("DB Version: %1").arg(Version)); }

QString ClsBD::BuscarfirmaenLV(const QString& code) {
    const AccountList& list = mv_.main().LvAccounts;
    const int position = list.firstWithCodeIgnoringCase(code);
    return position == 0 ? QString() : list.row(position).signature;
}

TextWriter ClsBD::reescritura() {
    mv_.respaldos().respaldarBD();
    return TextWriter(mv_.RutaBD, TextWriter::Mode::Rewrite);
}

void ClsBD::guardarcambios() {
    mv_.errores().guard(LogName, QStringLiteral("ClsBD.guardarcambios"), [this] {
        TextWriter file = reescritura();
        escribirversion(file);
        escribirCuentas(file);
        file.close();
    });
}

QString ClsBD::traercomentario(const QString& code) const { return mv_.Comentarios.commentFor(code); }

void ClsBD::escribirCuentas(TextWriter& file) const {
    const AccountList& list = mv_.main().LvAccounts;
    for (int i = 1; i <= list.count(); ++i) {
        const AccountRow& row = list.row(i);
        escribirRegistro(file, row.name, row.code, row.signature, traercomentario(row.code));
    }
}

void ClsBD::escribirRegistro(TextWriter& file, const QString& name, const QString& code, const QString& signature,
                             const std::optional<QString>& comment) {
    file.writeLine(name);
    file.writeLine(code);
    file.writeLine(signature);
    file.writeLine(Opener);
    if (comment)
        file.writeLine(*comment);
    file.writeLine(Closer);
}
