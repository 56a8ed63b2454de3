#include "FrmMainView.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include "AccountTableModel.h"
#include "Colors.h"
#include "Mod_Variables.h"
#include "forms/Frm_Main.h"

namespace {

constexpr int TwipsPerPixel = 15;

// Creates a widget named as its control, at a place given in twips inside its parent.
template <class W, class... Args>
W* place(QWidget* parent, const char* name, int left, int top, int width, int height, Args&&... args) {
    auto* widget = new W(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel);
    return widget;
}

void showCheckBox(QCheckBox* widget, const CheckBox& box) {
    widget->setText(box.Caption);
    widget->setCheckState(box.Value == 0 ? Qt::Unchecked : box.Value == 1 ? Qt::Checked : Qt::PartiallyChecked);
    widget->setEnabled(box.Enabled);
    widget->setAutoFillBackground(true);
    applyColor(widget, QPalette::Window, box.BackColor);
}

void showLabel(QLabel* widget, const Label& label) {
    widget->setText(label.Caption);
    widget->setToolTip(label.ToolTipText);
    applyColor(widget, QPalette::WindowText, label.ForeColor);
}

void showButton(QPushButton* widget, const CommandButton& button) {
    widget->setText(button.Caption);
    widget->setEnabled(button.Enabled);
}

}  // namespace

FrmMainView::FrmMainView(Mod_Variables& mv, QWidget* parent) : QMainWindow(parent), model_(mv.main()) {
    setObjectName(Frm_Main::Name);
    setWindowTitle(Frm_Main::Caption);
    build();
}

void FrmMainView::build() {
    auto* client = new QWidget(this);
    client->setFixedSize(14505 / TwipsPerPixel, 6840 / TwipsPerPixel);
    setCentralWidget(client);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* toolbar = place<QWidget>(client, "Toolbar1", 0, 0, 14505, 810);
    chkActivation_ = place<QCheckBox>(toolbar, "ChkActivation", 9270, 135, 5145, 240);
    chkDeletion_ = place<QCheckBox>(toolbar, "ChkDeletion", 9270, 405, 5145, 240);

    auto* mainFrame = place<QFrame>(client, "MainFrame", 0, 810, 14460, 5055);
    place<QLabel>(mainFrame, "Label3", 45, 180, 4335, 240, QStringLiteral("Account list:"));
    lvAccounts_ = place<QTreeView>(mainFrame, "LvAccounts", 45, 360, 9960, 4605);
    accounts_ = new AccountTableModel(model_.LvAccounts, this);
    lvAccounts_->setModel(accounts_);
    lvAccounts_->setRootIsDecorated(false);
    lvAccounts_->setUniformRowHeights(true);
    lvAccounts_->setAllColumnsShowFocus(true);
    lvAccounts_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvAccounts_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvAccounts_->header()->setSectionsMovable(false);
    lvAccounts_->header()->setStretchLastSection(false);
    const int widths[] = {3510, 3150, 3105};
    for (int column = 0; column < 3; ++column)
        lvAccounts_->setColumnWidth(column, widths[column] / TwipsPerPixel);

    place<QLabel>(mainFrame, "Label1", 10035, 180, 4335, 240, QStringLiteral("Selected account comments:"));
    txtComentarios_ = place<QPlainTextEdit>(mainFrame, "TxtComentarios", 10035, 375, 4335, 4260);
    cmdEdit_ = place<QPushButton>(mainFrame, "CmdEdit", 10035, 4680, 1455, 285);
    cmdSalvaComentarios_ = place<QPushButton>(mainFrame, "CmdSalvaComentarios", 11520, 4680, 1410, 285);
    cmdCancelar_ = place<QPushButton>(mainFrame, "CmdCancelar", 12960, 4680, 1410, 285);

    auto* frame1 = place<QGroupBox>(client, "Frame1", 0, 5895, 14460, 915, QStringLiteral("Account in use:"));
    place<QLabel>(frame1, "Label2", 45, 255, 510, 195, QStringLiteral("Name:"));
    lblName_ = place<QLabel>(frame1, "LblName", 540, 225, 13785, 285);
    place<QLabel>(frame1, "Label6", 45, 570, 465, 195, QStringLiteral("Code:"));
    lblCode_ = place<QLabel>(frame1, "LblCode", 540, 540, 6495, 285);
    place<QLabel>(frame1, "Label4", 7110, 570, 735, 195, QStringLiteral("Signature:"));
    lblSignature_ = place<QLabel>(frame1, "LblSignature", 7875, 540, 6450, 285);

    tiSave_ = new QTimer(this);
    tiSave_->setObjectName(QStringLiteral("TiSave"));
    connect(tiSave_, &QTimer::timeout, this, [this] {
        model_.TiSave_Timer();
        render();
    });
}

void FrmMainView::render() {
    showCheckBox(chkActivation_, model_.ChkActivation);
    showCheckBox(chkDeletion_, model_.ChkDeletion);
    showLabel(lblName_, model_.LblName);
    showLabel(lblCode_, model_.LblCode);
    showLabel(lblSignature_, model_.LblSignature);
    showButton(cmdEdit_, model_.CmdEdit);
    showButton(cmdSalvaComentarios_, model_.CmdSalvaComentarios);
    showButton(cmdCancelar_, model_.CmdCancelar);
    if (txtComentarios_->toPlainText() != model_.TxtComentarios.Text)
        txtComentarios_->setPlainText(model_.TxtComentarios.Text);
    txtComentarios_->setReadOnly(model_.TxtComentarios.Locked);
    applyColor(txtComentarios_, QPalette::Base, model_.TxtComentarios.BackColor);
    renderList();
    tiSave_->setInterval(model_.TiSave.Interval);
    if (model_.TiSave.Enabled != tiSave_->isActive())
        model_.TiSave.Enabled ? tiSave_->start() : tiSave_->stop();
}

void FrmMainView::renderList() {
    const AccountList& list = model_.LvAccounts;
    accounts_->refresh();
    lvAccounts_->setEnabled(list.enabled);
    if (list.selected() == 0) {
        lvAccounts_->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex row = accounts_->index(list.selected() - 1, 0);
    lvAccounts_->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lvAccounts_->scrollTo(row);
}
