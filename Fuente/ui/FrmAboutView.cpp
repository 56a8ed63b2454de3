#include "FrmAboutView.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Artwork.h"
#include "EventForwarder.h"
#include "forms/frmAbout.h"

FrmAboutView::FrmAboutView(frmAbout& model, QWidget& parent, EventForwarder& main)
    : QDialog(&parent), model_(model), main_(main) {
    setObjectName(frmAbout::Name);
    setWindowIcon(Artwork::windowIcon());
    setModal(false);

    auto* icon = new QLabel(this);
    icon->setPixmap(Artwork::windowIcon().pixmap(32, 32));
    buildTitles();
    QLabel* description = addLabel("lblDescription", model_.lblDescription);
    QLabel* disclaimer = addLabel("lblDisclaimer", model_.lblDisclaimer);
    buildLinks();
    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    QDialogButtonBox* buttons = buildButtons();

    auto* head = new QHBoxLayout;
    head->addWidget(icon);
    auto* titles = new QVBoxLayout;
    titles->addWidget(lblTitle_);
    titles->addWidget(lblVersion_);
    head->addLayout(titles, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(description);
    layout->addWidget(label1_);
    layout->addWidget(label2_);
    layout->addWidget(line);
    layout->addWidget(disclaimer);
    layout->addWidget(buttons);
    setFixedWidth(420);
}

QLabel* FrmAboutView::addLabel(const char* name, const Label& model) {
    auto* widget = new QLabel(model.Caption, this);
    widget->setObjectName(QLatin1String(name));
    widget->setToolTip(model.ToolTipText);
    widget->setWordWrap(true);
    widget->setTextFormat(Qt::PlainText);
    return widget;
}

void FrmAboutView::buildTitles() {
    lblTitle_ = addLabel("lblTitle", model_.lblTitle);
    QFont title = lblTitle_->font();
    title.setPointSize(title.pointSize() + 6);
    title.setBold(true);
    lblTitle_->setFont(title);
    lblVersion_ = addLabel("lblVersion", model_.lblVersion);
}

void FrmAboutView::buildLinks() {
    label1_ = addLabel("Label1", model_.Label1);
    label2_ = addLabel("Label2", model_.Label2);
    // Clicked like links: the event filter hands the click to the model.
    for (QLabel* link : {label1_, label2_}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setForegroundRole(QPalette::Link);
        link->installEventFilter(this);
    }
}

QDialogButtonBox* FrmAboutView::buildButtons() {
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(model_.CmdOk.Caption, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("CmdOk"));
    ok->setDefault(true);
    QPushButton* sysInfo = buttons->addButton(model_.cmdSysInfo.Caption, QDialogButtonBox::ActionRole);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    sysInfo->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] { main_.forward([this] { model_.CmdOk_Click(); }); });
    connect(sysInfo, &QPushButton::clicked, this, [this] { main_.forward([this] { model_.cmdSysInfo_Click(); }); });
    return buttons;
}

bool FrmAboutView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && (watched == label1_ || watched == label2_)) {
        main_.forward([this, watched] { watched == label1_ ? model_.Label1_Click() : model_.Label2_Click(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmAboutView::render() {
    if (!model_.Visible) {
        if (isVisible())
            hide();
        return;
    }
    setWindowTitle(model_.Caption);
    lblTitle_->setText(model_.lblTitle.Caption);
    lblVersion_->setText(model_.lblVersion.Caption);
    if (!isVisible()) {
        show();
        activateWindow();  // a dialog opens with the keyboard
    }
}

void FrmAboutView::reject() {
    main_.forward([this] { model_.Form_Unload(); });
}
