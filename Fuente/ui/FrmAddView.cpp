#include "FrmAddView.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Artwork.h"
#include "EventForwarder.h"
#include "forms/Frm_Add.h"

FrmAddView::FrmAddView(Frm_Add& model, QWidget& parent, EventForwarder& main)
    : QDialog(&parent), model_(model), main_(main) {
    setObjectName(Frm_Add::Name);
    setWindowTitle(Frm_Add::Caption);
    setWindowIcon(Artwork::windowIcon());
    setModal(false);

    auto* form = new QFormLayout;
    const auto field = [&](QWidget* widget, const char* name, const QString& caption) {
        widget->setObjectName(QLatin1String(name));
        widget->setAccessibleName(QString(caption).remove(QLatin1Char(':')));
        form->addRow(caption, widget);
    };
    field(txtNombre_ = new QLineEdit, "TxtNombre", QStringLiteral("Name:"));
    field(txtCodigo_ = new QLineEdit, "TxtCodigo", QStringLiteral("Code:"));
    field(txtFirma_ = new QLineEdit, "TxtFirma", QStringLiteral("Signature:"));
    field(txtComentarios_ = new QPlainTextEdit, "TxtComentarios", QStringLiteral("Comments:"));
    txtComentarios_->setTabChangesFocus(true);
    txtNombre_->setMinimumWidth(360);

    auto* buttons = new QDialogButtonBox;
    QPushButton* add = buttons->addButton(model_.CmdAdd.Caption, QDialogButtonBox::AcceptRole);
    add->setObjectName(QStringLiteral("CmdAdd"));
    add->setDefault(true);
    QPushButton* cancel = buttons->addButton(model_.CmdCancel.Caption, QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CmdCancel"));
    connect(add, &QPushButton::clicked, this, [this] {
        main_.forward([this] {
            take();
            model_.CmdAdd_Click();
        });
        // After a refusal's message the dialog, still open, takes the keyboard back.
        if (isVisible())
            activateWindow();
    });
    connect(cancel, &QPushButton::clicked, this, [this] { main_.forward([this] { model_.CmdCancel_Click(); }); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void FrmAddView::take() {
    model_.TxtNombre.Text = txtNombre_->text();
    model_.TxtCodigo.Text = txtCodigo_->text();
    model_.TxtFirma.Text = txtFirma_->text();
    model_.TxtComentarios.Text = txtComentarios_->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

void FrmAddView::render() {
    if (!model_.Visible) {
        if (isVisible())
            hide();
        return;
    }
    if (!isVisible()) {
        txtNombre_->setText(model_.TxtNombre.Text);
        txtCodigo_->setText(model_.TxtCodigo.Text);
        txtFirma_->setText(model_.TxtFirma.Text);
        txtComentarios_->setPlainText(
            QString(model_.TxtComentarios.Text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        show();
        activateWindow();  // a dialog opens with the keyboard
    }
    if (!model_.FocusedControl.isEmpty()) {
        if (auto* widget = findChild<QWidget*>(model_.FocusedControl))
            widget->setFocus();
        model_.FocusedControl.clear();
    }
}

void FrmAddView::reject() {
    main_.forward([this] { model_.Form_Unload(); });
}
