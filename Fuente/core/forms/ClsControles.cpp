#include "forms/ClsControles.h"

#include "ClsBD.h"
#include "ClsControlErrores.h"
#include "forms/Frm_MainControls.h"

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
    errores_.guard(LogName, QStringLiteral("ClsCtrl.SelText"), [&] {
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
    Frm_MainControls& main = main_;
    main.Scan.Visible = scan;
    main.Delete.Visible = del;
    main.rrwerw.Visible = separator;
    main.MnuAdd.Visible = add;
    main.Import.Visible = import;
    main.Export.Visible = exportEntry;
}

void ClsControles::Botones() {
    errores_.guard(LogName, QStringLiteral("ClsCtrl.Botones"), [this] {
        const bool accounts = main_.LvAccounts.count() > 0;
        BotTB(true, false, accounts, true, true, accounts, true);
        main_.CmdEdit.Enabled = accounts;
        main_.TxtComentarios.Text = accounts ? bd_.traercomentario(main_.LvAccounts.selectedRow().code) : QString();
    });
}

void ClsControles::BotTB(bool launch, bool save, bool del, bool scan, bool import, bool exportButton, bool about) {
    auto& toolbar = main_.Toolbar1;
    const std::pair<int, bool> states[] = {{1, launch}, {3, save},         {4, del},   {6, scan},
                                           {7, import}, {8, exportButton}, {10, about}};
    for (const auto& [number, enabled] : states)
        toolbar.button(number).Enabled = enabled;
    Activmnuaccounts(scan, del, del, true, import, exportButton);
}

void ClsControles::showComment(const QString& comment) { main_.TxtComentarios.Text = comment; }

void ClsControles::showActive(const QString& name) {
    main_.LblName.ForeColor = Colores::ButtonText;
    main_.LblName.Caption = name;
}

void ClsControles::showNotStored(const QString& warning) {
    main_.LblName.ForeColor = Colores::Red;
    main_.LblName.Caption = warning;
}

void ClsControles::showNoActive() {
    main_.LblName.ForeColor = Colores::ButtonText;
    main_.LblName.Caption = main_.LblSignature.Caption = main_.LblCode.Caption = QStringLiteral("N/A");
    main_.TxtComentarios.Text.clear();
}
