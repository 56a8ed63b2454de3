// Building the main window's widgets: the toolbar with its two options, the account list with the
// comment box and its buttons, the active account's labels, and the menus. Each widget is placed
// where the model's control stands and named as it, and hands its events to the model.
#include "FrmMainView.h"

#include <algorithm>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "AccountTableModel.h"
#include "AccountTreeView.h"
#include "Artwork.h"
#include "Twips.h"
#include "forms/Frm_Main.h"

void FrmMainView::buildToolbar(QWidget* client) {
    auto* toolbar = place<QWidget>(client, "Toolbar1", 0, 0, 14505, 810);
    toolbar->setAccessibleName(QStringLiteral("Toolbar"));
    auto* row = new QHBoxLayout(toolbar);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(0);
    for (int number = 1; number <= int(model_.Toolbar1.Buttons.size()); ++number) {
        if (model_.Toolbar1.button(number).Separator) {
            auto* line = new QFrame(toolbar);
            line->setFrameShape(QFrame::VLine);
            line->setFrameShadow(QFrame::Sunken);
            row->addSpacing(3);
            row->addWidget(line);
            row->addSpacing(3);
            continue;
        }
        QToolButton* tool = buildToolButton(toolbar, number);
        row->addWidget(tool);
        toolButtons_.emplace_back(number, tool);
    }
    row->addStretch();
    buildOptions(toolbar);
}

QToolButton* FrmMainView::buildToolButton(QWidget* toolbar, int number) {
    const ToolbarButton& button = model_.Toolbar1.button(number);
    auto* tool = new QToolButton(toolbar);
    tool->setObjectName(QStringLiteral("Toolbar1_") + button.Key.toUpper());
    tool->setText(button.Caption);
    tool->setToolTip(button.ToolTipText);
    tool->setAccessibleName(button.Caption);
    tool->setIcon(Artwork::toolbarIcon(button.Key));
    tool->setIconSize(QSize(32, 32));
    tool->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tool->setAutoRaise(true);
    tool->setFocusPolicy(Qt::NoFocus);
    const QString key = button.Key;
    connect(tool, &QToolButton::clicked, this,
            [this, key] { forward([this, key] { model_.Toolbar1_ButtonClick(key); }); });
    // The first button launches the game; its menu launches it in a window.
    if (number == 1)
        buildLaunchMenu(tool);
    return tool;
}

void FrmMainView::buildLaunchMenu(QToolButton* launch) {
    auto* menu = new QMenu(launch);
    QAction* windowed = menu->addAction(QStringLiteral("Launch on windowed mode"));
    windowed->setObjectName(Frm_Main::WindowedEntryKey);
    connect(windowed, &QAction::triggered, this,
            [this] { forward([this] { model_.Toolbar1_ButtonMenuClick(Frm_Main::WindowedEntryKey); }); });
    launch->setMenu(menu);
    launch->setPopupMode(QToolButton::MenuButtonPopup);
}

void FrmMainView::buildOptions(QWidget* toolbar) {
    const std::pair<CheckBox*, QCheckBox*> boxes[] = {
        {&model_.ChkActivation, place<QCheckBox>(toolbar, "ChkActivation", 9270, 135, 5145, 240)},
        {&model_.ChkDeletion, place<QCheckBox>(toolbar, "ChkDeletion", 9270, 405, 5145, 240)},
    };
    for (const auto& [box, widget] : boxes) {
        widget->setAccessibleName(box->Caption);
        widget->setAutoFillBackground(true);
        checkBoxes_.emplace_back(box, widget);
        auto handler = box == &model_.ChkActivation ? &Frm_Main::ChkActivation_Click : &Frm_Main::ChkDeletion_Click;
        // A click clears a ticked or greyed box and ticks a clear one.
        const std::function<void()> command = std::bind(handler, &model_);
        connect(widget, &QCheckBox::clicked, this, [this, box = box, command] {
            forward([box, command] {
                box->Value = box->Value == 0 ? 1 : 0;
                command();
            });
        });
    }
}

void FrmMainView::buildLists(QWidget* client) {
    auto* frame = place<QFrame>(client, "MainFrame", 0, 810, 14460, 5055);
    buildAccountList(frame);
    connectAccountList();
    buildComment(frame);
    buildCommentButtons(frame);
}

void FrmMainView::buildAccountList(QWidget* frame) {
    auto* listLabel = place<QLabel>(frame, "Label3", 45, 180, 4335, 240, QStringLiteral("Account list:"));
    lvAccounts_ = place<AccountTreeView>(frame, "LvAccounts", 45, 360, 9960, 4605);
    listLabel->setBuddy(lvAccounts_);
    lvAccounts_->setAccessibleName(QStringLiteral("Account list"));
    accounts_ = new AccountTableModel(
        model_.LvAccounts,
        [this](const QString& name) {
            // Shown once the editor has closed: the list must not be reset while it commits.
            const bool accepted = model_.LvAccounts_AfterLabelEdit(name);
            QTimer::singleShot(0, this, [this] { render(); });
            return accepted;
        },
        this);
    lvAccounts_->setModel(accounts_);
    lvAccounts_->setRootIsDecorated(false);
    lvAccounts_->setUniformRowHeights(true);
    lvAccounts_->setAllColumnsShowFocus(true);
    lvAccounts_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvAccounts_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvAccounts_->setEditTriggers(QAbstractItemView::SelectedClicked);
    lvAccounts_->header()->setSectionsMovable(false);
    lvAccounts_->header()->setStretchLastSection(false);
    lvAccounts_->header()->setSectionsClickable(true);
    lvAccounts_->header()->setSortIndicatorShown(false);
    const int widths[] = {3510, 3150, 3105};
    for (int column = 0; column < 3; ++column)
        lvAccounts_->setColumnWidth(column, twips(widths[column]));
}

void FrmMainView::connectAccountList() {
    connect(
        lvAccounts_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex& current) { model_.LvAccounts.select(current.isValid() ? current.row() + 1 : 0); });
    connect(lvAccounts_, &QAbstractItemView::clicked, this, [this] { forward([this] { model_.LvAccounts_Click(); }); });
    connect(lvAccounts_, &AccountTreeView::keyReleased, this,
            [this] { forward([this] { model_.LvAccounts_KeyUp(); }); });
    connect(lvAccounts_, &QAbstractItemView::doubleClicked, this,
            [this] { forward([this] { model_.LvAccounts_DblClick(); }); });
    connect(lvAccounts_->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { forward([this, column] { model_.LvAccounts_ColumnClick(column); }); });
}

void FrmMainView::buildComment(QWidget* frame) {
    auto* commentLabel = place<QLabel>(frame, "Label1", 10035, 180, 4335, 240,
                                       QStringLiteral("Selected account comments:"));
    txtComentarios_ = place<QPlainTextEdit>(frame, "TxtComentarios", 10035, 375, 4335, 4260);
    txtComentarios_->setAccessibleName(QStringLiteral("Selected account comments"));
    txtComentarios_->setTabChangesFocus(true);
    commentLabel->setBuddy(txtComentarios_);
}

void FrmMainView::buildCommentButtons(QWidget* frame) {
    const std::tuple<CommandButton*, const char*, QRect, void (Frm_Main::*)()> buttons[] = {
        {&model_.CmdEdit, "CmdEdit", {10035, 4680, 1455, 285}, &Frm_Main::CmdEdit_Click},
        {&model_.CmdSalvaComentarios,
         "CmdSalvaComentarios",
         {11520, 4680, 1410, 285},
         &Frm_Main::CmdSalvaComentarios_Click},
        {&model_.CmdCancelar, "CmdCancelar", {12960, 4680, 1410, 285}, &Frm_Main::CmdCancelar_Click},
    };
    for (const auto& [button, name, at, handler] : buttons) {
        auto* widget = place<QPushButton>(frame, name, at.x(), at.y(), at.width(), at.height());
        widget->setAccessibleName(button->Caption);
        buttons_.emplace_back(button, widget);
        // The model gets what was typed into the comment box before the button's handler runs.
        const std::function<void()> command = std::bind(handler, &model_);
        connect(widget, &QPushButton::clicked, this, [this, command] {
            forward([this, command] {
                takeComment();
                command();
            });
        });
    }
}

void FrmMainView::buildActiveAccount(QWidget* client) {
    auto* frame = place<QGroupBox>(client, "Frame1", 0, 5895, 14460, 915, QStringLiteral("Account in use:"));
    const std::tuple<const char*, QString, QRect, const char*, Label*, QRect, void (Frm_Main::*)()> rows[] = {
        {"Label2",
         QStringLiteral("Name:"),
         {45, 255, 510, 195},
         "LblName",
         &model_.LblName,
         {540, 225, 13785, 285},
         &Frm_Main::LblName_DblClick},
        {"Label6",
         QStringLiteral("Code:"),
         {45, 570, 465, 195},
         "LblCode",
         &model_.LblCode,
         {540, 540, 6495, 285},
         &Frm_Main::LblCode_DblClick},
        {"Label4",
         QStringLiteral("Signature:"),
         {7110, 570, 735, 195},
         "LblSignature",
         &model_.LblSignature,
         {7875, 540, 6450, 285},
         &Frm_Main::LblSignature_DblClick},
    };
    for (const auto& [captionName, caption, captionAt, name, label, at, handler] : rows) {
        auto* captionLabel = place<QLabel>(frame, captionName, captionAt.x(), captionAt.y(), captionAt.width(),
                                           captionAt.height(), caption);
        auto* widget = place<QLabel>(frame, name, at.x(), at.y(), at.width(), at.height());
        // The value stands at least a blank's width after its caption: a caption wider in this font
        // than its place pushes the value label to the right.
        captionLabel->resize(std::max(captionLabel->width(), captionLabel->sizeHint().width()), captionLabel->height());
        const int start = captionLabel->x() + captionLabel->fontMetrics().horizontalAdvance(caption + QLatin1Char(' '));
        if (start > widget->x()) {
            const int right = widget->geometry().right();
            widget->setGeometry(start, widget->y(), right - start + 1, widget->height());
        }
        widget->setAccessibleName(QString(caption).remove(QLatin1Char(':')));
        widget->setTextInteractionFlags(Qt::NoTextInteraction);
        widget->installEventFilter(this);
        labels_.emplace_back(label, widget);
        labelDoubleClicks_.emplace_back(widget, handler);
    }
}

QAction* FrmMainView::addEntry(QMenu* menu, MenuItem& item, const char* name, void (Frm_Main::*handler)()) {
    QAction* action = item.Caption == QLatin1String("-") ? menu->addSeparator() : menu->addAction(item.Caption);
    action->setObjectName(QLatin1String(name));
    if (!item.Shortcut.isEmpty())
        action->setShortcut(QKeySequence(item.Shortcut));
    if (handler) {
        const std::function<void()> command = std::bind(handler, &model_);
        connect(action, &QAction::triggered, this, [this, command] { forward(command); });
    }
    menuEntries_.push_back({&item, action});
    return action;
}

void FrmMainView::buildMenus() {
    const auto topMenu = [this](MenuItem& item, const char* name) {
        QMenu* menu = menuBar()->addMenu(item.Caption);
        menu->setObjectName(QLatin1String(name));
        menu->menuAction()->setObjectName(QLatin1String(name));
        menuEntries_.push_back({&item, menu->menuAction()});
        return menu;
    };
    accountsMenu_ = topMenu(model_.Accounts, "Accounts");
    addEntry(accountsMenu_, model_.Scan, "Scan", &Frm_Main::Scan_Click);
    addEntry(accountsMenu_, model_.Delete, "Delete", &Frm_Main::Delete_Click);
    addEntry(accountsMenu_, model_.rrwerw, "rrwerw", nullptr);
    addEntry(accountsMenu_, model_.MnuAdd, "MnuAdd", &Frm_Main::MnuAdd_Click);
    addEntry(accountsMenu_, model_.Import, "Import", &Frm_Main::Import_Click);
    addEntry(accountsMenu_, model_.Export, "Export", &Frm_Main::Export_Click);
    QMenu* game = topMenu(model_.Game, "Game");
    addEntry(game, model_.Launch, "Launch", &Frm_Main::Launch_Click);
    addEntry(game, model_.LaunchW, "LaunchW", &Frm_Main::LaunchW_Click);
    QMenu* tools = topMenu(model_.Tools, "Tools");
    addEntry(tools, model_.Shortcut, "Shortcut", &Frm_Main::Shortcut_Click);
    QMenu* help = topMenu(model_.Help, "Help");
    addEntry(help, model_.About, "About", &Frm_Main::About_Click);
}
