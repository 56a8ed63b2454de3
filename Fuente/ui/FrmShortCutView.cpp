#include "FrmShortCutView.h"

#include <functional>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "Artwork.h"
#include "EventForwarder.h"
#include "forms/Frm_ShortCut.h"

namespace {

void showBox(QLineEdit* widget, const TextBox& box) {
    if (widget->text() != box.Text)
        widget->setText(box.Text);
    widget->setReadOnly(box.Locked);
    widget->setEnabled(box.Enabled);
    // Setting the limit sets the text again, which drops its selection.
    if (box.MaxLength > 0 && widget->maxLength() != box.MaxLength)
        widget->setMaxLength(box.MaxLength);
}

}  // namespace

FrmShortCutView::FrmShortCutView(Frm_ShortCut& model, QWidget& parent, EventForwarder& main)
    : QDialog(&parent), model_(model), main_(main) {
    setObjectName(Frm_ShortCut::Name);
    setWindowTitle(Frm_ShortCut::Caption);
    setWindowIcon(Artwork::windowIcon());
    setWindowModality(Qt::ApplicationModal);

    QGridLayout* grid = buildNameAndLocation();
    buildOptions();
    QGroupBox* address = buildServerAddress();
    QDialogButtonBox* buttons = buildOkCancel();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(chkWindowed_);
    layout->addWidget(chkAutoConnect_);
    layout->addWidget(address);
    layout->addWidget(chkOverwrite_);
    layout->addWidget(buttons);
}

std::function<void()> FrmShortCutView::handlerFor(void (Frm_ShortCut::*handler)()) {
    // The model gets what was typed and ticked before the handler runs.
    const std::function<void()> command = std::bind(handler, &model_);
    return [this, command] {
        main_.forward([this, command] {
            take();
            command();
        });
    };
}

QGridLayout* FrmShortCutView::buildNameAndLocation() {
    auto* grid = new QGridLayout;
    txtNombre_ = new QLineEdit;
    txtNombre_->setObjectName(QStringLiteral("TxtNombre"));
    txtNombre_->setAccessibleName(QStringLiteral("Shortcut name"));
    auto* nameLabel = new QLabel(QStringLiteral("Shortcut name:"));
    nameLabel->setObjectName(QStringLiteral("Label1"));
    nameLabel->setBuddy(txtNombre_);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(txtNombre_, 0, 1, 1, 2);

    txtPath_ = new QLineEdit;
    txtPath_->setObjectName(QStringLiteral("TxtPath"));
    txtPath_->setAccessibleName(QStringLiteral("Shortcut location"));
    auto* pathLabel = new QLabel(QStringLiteral("Shortcut location:"));
    pathLabel->setObjectName(QStringLiteral("Label5"));
    pathLabel->setBuddy(txtPath_);
    auto* browse = new QPushButton(model_.CmdPath.Caption);
    browse->setObjectName(QStringLiteral("CmdPath"));
    browse->setToolTip(QStringLiteral("Browse . . ."));
    browse->setAccessibleName(QStringLiteral("Browse"));
    browse->setAutoDefault(false);
    grid->addWidget(pathLabel, 1, 0);
    grid->addWidget(txtPath_, 1, 1);
    grid->addWidget(browse, 1, 2);
    txtPath_->setMinimumWidth(340);
    txtNombre_->installEventFilter(this);
    txtPath_->installEventFilter(this);
    connect(browse, &QPushButton::clicked, this, handlerFor(&Frm_ShortCut::CmdPath_Click));
    return grid;
}

void FrmShortCutView::buildOptions() {
    const auto checkBox = [](const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption);
        box->setObjectName(QLatin1String(name));
        box->setAccessibleName(caption.simplified());
        return box;
    };
    chkWindowed_ = checkBox("ChkWindowed", model_.ChkWindowed.Caption);
    chkAutoConnect_ = checkBox("ChkAutoConnect", model_.ChkAutoConnect.Caption);
    chkOverwrite_ = checkBox("ChkOverwrite", model_.ChkOverwrite.Caption);
    connect(chkAutoConnect_, &QCheckBox::clicked, this, handlerFor(&Frm_ShortCut::ChkAutoConnect_Click));
}

QGroupBox* FrmShortCutView::buildServerAddress() {
    auto* address = new QGroupBox;
    address->setObjectName(QStringLiteral("Frame1"));
    auto* row = new QHBoxLayout(address);
    const char* const separators[] = {"Label2", "Label3", "Label4", "Label6"};
    for (int i = 0; i < 5; ++i) {
        auto* box = new QLineEdit;
        box->setObjectName(QStringLiteral("TxtIP(%1)").arg(i));
        box->setAccessibleName(i < 4 ? QStringLiteral("Server address, number %1").arg(i + 1)
                                     : QStringLiteral("Server port"));
        box->setFixedWidth(i < 4 ? 44 : 60);
        box->setAlignment(Qt::AlignCenter);
        box->installEventFilter(this);
        txtIP_[std::size_t(i)] = box;
        row->addWidget(box);
        if (i < 4) {
            auto* dot = new QLabel(i < 3 ? QStringLiteral(".") : QStringLiteral(":"));
            dot->setObjectName(QLatin1String(separators[i]));
            row->addWidget(dot);
        }
    }
    row->addStretch();
    return address;
}

QDialogButtonBox* FrmShortCutView::buildOkCancel() {
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(model_.CmdOk.Caption, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("CmdOk"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(model_.CmdCancel.Caption, QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CmdCancel"));
    connect(ok, &QPushButton::clicked, this, handlerFor(&Frm_ShortCut::CmdOk_Click));
    connect(cancel, &QPushButton::clicked, this, handlerFor(&Frm_ShortCut::CmdCancel_Click));
    return buttons;
}

void FrmShortCutView::take() {
    model_.TxtNombre.Text = txtNombre_->text();
    for (std::size_t i = 0; i < txtIP_.size(); ++i)
        model_.TxtIP[i].Text = txtIP_[i]->text();
    model_.ChkWindowed.Value = chkWindowed_->isChecked() ? 1 : 0;
    model_.ChkAutoConnect.Value = chkAutoConnect_->isChecked() ? 1 : 0;
    model_.ChkOverwrite.Value = chkOverwrite_->isChecked() ? 1 : 0;
}

QLineEdit* FrmShortCutView::boxFor(const QString& controlName) const { return findChild<QLineEdit*>(controlName); }

TextBox& FrmShortCutView::modelFor(const QLineEdit* box) {
    if (box == txtNombre_)
        return model_.TxtNombre;
    if (box == txtPath_)
        return model_.TxtPath;
    return model_.TxtIP.at(std::size_t(std::find(txtIP_.begin(), txtIP_.end(), box) - txtIP_.begin()));
}

bool FrmShortCutView::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && event->type() == QEvent::FocusIn) {
        main_.forward([this, box] {
            take();
            model_.GotFocus(modelFor(box));
        });
        const TextBox& model = modelFor(box);
        box->setSelection(model.SelStart, model.SelLength);
        // A click places the cursor after the focus came: the selection is made again once it is over.
        clickedInto_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason ? box : nullptr;
    } else if (box && box == clickedInto_ && event->type() == QEvent::MouseButtonRelease) {
        clickedInto_ = nullptr;
        const TextBox& model = modelFor(box);
        if (!box->hasSelectedText())  // unless the person dragged over some text
            box->setSelection(model.SelStart, model.SelLength);
    } else if (box && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto at = std::find(txtIP_.begin(), txtIP_.end(), box);
        if (at != txtIP_.end() && key->key() == Qt::Key_Period) {
            const int index = int(at - txtIP_.begin());
            const int code = key->modifiers() & Qt::KeypadModifier ? Frm_ShortCut::KeypadDecimal
                                                                   : Frm_ShortCut::FullStop;
            main_.forward([this, index, code] {
                take();
                model_.TxtIP_KeyUp(index, code);
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmShortCutView::render() {
    if (!model_.Visible) {
        if (isVisible())
            hide();
        return;
    }
    showBox(txtNombre_, model_.TxtNombre);
    showBox(txtPath_, model_.TxtPath);
    for (std::size_t i = 0; i < txtIP_.size(); ++i)
        showBox(txtIP_[i], model_.TxtIP[i]);
    chkWindowed_->setChecked(model_.ChkWindowed.Value == 1);
    chkAutoConnect_->setChecked(model_.ChkAutoConnect.Value == 1);
    chkOverwrite_->setChecked(model_.ChkOverwrite.Value == 1);
    if (!isVisible()) {
        show();
        activateWindow();  // a dialog opens with the keyboard
    }
    if (!model_.FocusedControl.isEmpty()) {
        if (QLineEdit* box = boxFor(model_.FocusedControl))
            box->setFocus();
        model_.FocusedControl.clear();
    }
}

void FrmShortCutView::reject() {
    main_.forward([this] { model_.CmdCancel_Click(); });
}
