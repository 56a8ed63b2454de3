#include "ClsControles.h"

#include "ClsBD.h"
#include "ClsControlErrores.h"
#include "Mod_Variables.h"
#include "forms/Frm_Main.h"

QString ClsControles::NomArchivoValido(const QString& text) {
    QString name = text;
    for (QChar c : QStringLiteral("/\\:*?"))
        name.remove(c);
    name.replace(QLatin1Char('"'), QLatin1String("''"));
    for (QChar c : QStringLiteral("<>|"))
        name.remove(c);
    return name;
}

void ClsControles::SelText(int start, int length, TextBox& box) {
    mv_.errores().guard(LogName, QStringLiteral("ClsCtrl.SelText"), [&] {
        if (start < 0 || length < 0 || start > box.Text.size())
            throw RunError{RunError::InvalidPropertyValue, QStringLiteral("Invalid property value")};
        box.SelStart = start;
        box.SelLength = qMin<int>(length, int(box.Text.size()) - start);
    });
}

void ClsControles::QIH(AccountList& list) {
    for (int column = 0; column < AccountList::ColumnCount; ++column)
        list.setHeaderIcon(column, AccountList::NoIcon);
}

void ClsControles::Activmnuaccounts(bool scan, bool del, bool separator, bool add, bool import, bool exportEntry) {
    Frm_Main& main = mv_.main();
    main.Scan.Visible = scan;
    main.Delete.Visible = del;
    main.rrwerw.Visible = separator;
    main.MnuAdd.Visible = add;
    main.Import.Visible = import;
    main.Export.Visible = exportEntry;
}

void ClsControles::Botones() {
    mv_.errores().guard(LogName, QStringLiteral("ClsCtrl.Botones"), [this] {
        Frm_Main& main = mv_.main();
        const bool accounts = main.LvAccounts.count() > 0;
        BotTB(true, false, accounts, true, true, accounts, true);
        main.CmdEdit.Enabled = accounts;
        main.TxtComentarios.Text = accounts ? mv_.bd().traercomentario(main.LvAccounts.selectedRow().code) : QString();
    });
}

void ClsControles::BotTB(bool launch, bool save, bool del, bool scan, bool import, bool exportButton, bool about) {
    auto& toolbar = mv_.main().Toolbar1;
    const std::pair<int, bool> states[] = {{1, launch}, {3, save},         {4, del},   {6, scan},
                                           {7, import}, {8, exportButton}, {10, about}};
    for (const auto& [number, enabled] : states)
        toolbar.button(number).Enabled = enabled;
    Activmnuaccounts(scan, del, del, true, import, exportButton);
}
