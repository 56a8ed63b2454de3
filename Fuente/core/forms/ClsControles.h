#pragma once

#include <QString>

#include "WindowDisplay.h"

class AccountList;
class ClsBD;
class ClsControlErrores;
class Frm_MainControls;
struct TextBox;

// Keeps the main window's controls in step with the program's state, and shows there what the
// services report while they work.
class ClsControles : public WindowDisplay {
public:
    static inline const QString LogName = QStringLiteral("ClsControles.log");

    // `bd` gives the comments the comment box shows.
    ClsControles(Frm_MainControls& main, ClsControlErrores& errores, const ClsBD& bd)
        : main_(main), errores_(errores), bd_(bd) {}

    // A copy of the text fit for a file name: / \ : * ? < > | removed, a double quote made two
    // apostrophes.
    static QString NomArchivoValido(const QString& text);
    void SelText(int start, int length, TextBox& box);
    // Removes the sort mark from every column header.
    void QIH(AccountList& list);
    // Shows or hides the six entries of the Accounts menu.
    void Activmnuaccounts(bool scan, bool del, bool separator, bool add, bool import, bool exportEntry);
    // Enables the controls that the number of accounts allows.
    void Botones() override;
    // Enables toolbar buttons 1, 3, 4, 6, 7, 8 and 10; the Accounts menu entries follow them.
    void BotTB(bool launch, bool save, bool del, bool scan, bool import, bool exportButton, bool about);

    void showComment(const QString& comment) override;
    void showActive(const QString& name) override;
    void showNotStored(const QString& warning) override;
    void showNoActive() override;

private:
    Frm_MainControls& main_;
    ClsControlErrores& errores_;
    const ClsBD& bd_;
};
