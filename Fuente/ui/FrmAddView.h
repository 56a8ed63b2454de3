#pragma once

#include <QDialog>

class Frm_Add;
class EventForwarder;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The manual add dialog, shown without waiting while the main window is disabled.
class FrmAddView : public QDialog {
    Q_OBJECT
public:
    // A dialog of `parent`, which runs its events.
    FrmAddView(Frm_Add& model, QWidget& parent, EventForwarder& main);

    void render();

protected:
    // Esc and the window's close button end here too.
    void reject() override;

private:
    // Copies what the person typed into the model, with the model's line breaks.
    void take();

    Frm_Add& model_;
    EventForwarder& main_;
    QLineEdit* txtNombre_;
    QLineEdit* txtCodigo_;
    QLineEdit* txtFirma_;
    QPlainTextEdit* txtComentarios_;
};
