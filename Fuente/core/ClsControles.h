#pragma once

#include <QString>

class AccountList;
class Mod_Variables;
struct TextBox;

// Keeps the main window's controls in step with the program's state.
class ClsControles {
public:
    static inline const QString LogName = QStringLiteral("ClsControles.log");

    explicit ClsControles(Mod_Variables& mv) : mv_(mv) {}

    // A copy of the text fit for a file name: / \ : * ? < > | removed, a double quote made two
    // apostrophes.
    static QString NomArchivoValido(const QString& text);
    void SelText(int start, int length, TextBox& box);
    // Removes the sort mark from every column header.
    void QIH(AccountList& list);
    // Shows or hides the six entries of the Accounts menu.
    void Activmnuaccounts(bool scan, bool del, bool separator, bool add, bool import, bool exportEntry);
    // Enables the controls that the number of accounts allows.
    void Botones();
    // Enables toolbar buttons 1, 3, 4, 6, 7, 8 and 10; the Accounts menu entries follow them.
    void BotTB(bool launch, bool save, bool del, bool scan, bool import, bool exportButton, bool about);

private:
    Mod_Variables& mv_;
};
