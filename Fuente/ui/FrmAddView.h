#pragma once

#include <QDialog>

class Frm_Add;
class FrmMainView;
class Mod_Variables;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The manual add dialog, shown without waiting while the main window is disabled.
class FrmAddView : public QDialog {
    Q_OBJECT
public:
    FrmAddView(Mod_Variables& mv, FrmMainView& main);

    void render();

protected:
    // Esc and the window's close button end here too.
    void reject() override;

private:
    // Copies what the person typed into the model, with the model's line breaks.
    void take();

    Frm_Add& model_;
    FrmMainView& main_;
    QLineEdit* txtNombre_;
    QLineEdit* txtCodigo_;
    QLineEdit* txtFirma_;
    QPlainTextEdit* txtComentarios_;
};
