#pragma once

#include <array>
#include <functional>
#include <QDialog>

class Frm_ShortCut;
class EventForwarder;
class QCheckBox;
class QDialogButtonBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
struct TextBox;

// The shortcut dialog, modal over the main window.
class FrmShortCutView : public QDialog {
    Q_OBJECT
public:
    // A dialog of `parent`, which runs its events.
    FrmShortCutView(Frm_ShortCut& model, QWidget& parent, EventForwarder& main);

    void render();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    // The shortcut's name and location, with the button that browses for the location.
    QGridLayout* buildNameAndLocation();
    // The three options: windowed, connect at once, overwrite.
    void buildOptions();
    // The server's address and port.
    QGroupBox* buildServerAddress();
    QDialogButtonBox* buildOkCancel();
    // A control's event handler: `handler` run by the main window on what the person typed.
    std::function<void()> handlerFor(void (Frm_ShortCut::*handler)());
    // Copies what the person typed or ticked into the model.
    void take();
    QLineEdit* boxFor(const QString& controlName) const;
    TextBox& modelFor(const QLineEdit* box);

    Frm_ShortCut& model_;
    EventForwarder& main_;
    QLineEdit* txtNombre_;
    QLineEdit* txtPath_;
    std::array<QLineEdit*, 5> txtIP_;
    QCheckBox* chkWindowed_;
    QCheckBox* chkAutoConnect_;
    QCheckBox* chkOverwrite_;
    // The box that a mouse press has just put the focus into.
    QLineEdit* clickedInto_ = nullptr;
};
