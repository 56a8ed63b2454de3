#pragma once

#include <QMainWindow>

class AccountTableModel;
class Frm_Main;
class Mod_Variables;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QTreeView;

// The main window: real widgets at the model's places, named as its controls. It shows the model
// and hands events to it; it decides nothing.
class FrmMainView : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmMainView(Mod_Variables& mv, QWidget* parent = nullptr);

    // Shows everything the model holds.
    void render();

private:
    void build();
    void renderList();

    Frm_Main& model_;
    AccountTableModel* accounts_ = nullptr;
    QTreeView* lvAccounts_ = nullptr;
    QPlainTextEdit* txtComentarios_ = nullptr;
    QPushButton* cmdEdit_ = nullptr;
    QPushButton* cmdSalvaComentarios_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
    QCheckBox* chkActivation_ = nullptr;
    QCheckBox* chkDeletion_ = nullptr;
    QLabel* lblName_ = nullptr;
    QLabel* lblCode_ = nullptr;
    QLabel* lblSignature_ = nullptr;
    QTimer* tiSave_ = nullptr;
};
