#include "FrmMainView.h"

#include <algorithm>
#include <exception>
#include <new>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "AccountTableModel.h"
#include "AccountTreeView.h"
#include "Artwork.h"
#include "ClsControlErrores.h"
#include "Colors.h"
#include "FrmAboutView.h"
#include "FrmAddView.h"
#include "FrmShortCutView.h"
#include "forms/WindowModels.h"
#include "RunError.h"
#include "Twips.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_Main.h"
#include "forms/Frm_ShortCut.h"
#include "forms/frmAbout.h"

FrmMainView::FrmMainView(WindowModels& windows, ClsControlErrores& errores, QWidget* parent)
    : QMainWindow(parent), windows_(windows), errores_(errores), model_(windows.main) {
    setObjectName(Frm_Main::Name);
    setWindowTitle(Frm_Main::Caption);
    setWindowIcon(Artwork::windowIcon());
    // The places are fixed, so the text is small enough for them, as on the desktop the window was made for.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* client = new QWidget;
    client->setFixedSize(twips(14505), twips(6840));
    // The places are fixed; on a screen too small for them (a small one at 150 %), the window is
    // made to fit and the controls scroll.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(client);
    setCentralWidget(scroll);
    buildToolbar(client);
    buildLists(client);
    buildActiveAccount(client);
    buildMenus();
    // The keyboard goes from the list to the comment, its three buttons and the two options.
    QWidget* order[] = {lvAccounts_,        txtComentarios_,       buttons_[0].second,   buttons_[1].second,
                        buttons_[2].second, checkBoxes_[0].second, checkBoxes_[1].second};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    // The window opens with the keyboard on the list, the first control of that order.
    lvAccounts_->setFocus();
    setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());

    tiSave_ = new QTimer(this);
    tiSave_->setObjectName(QStringLiteral("TiSave"));
    connect(tiSave_, &QTimer::timeout, this, [this] { forward([this] { model_.TiSave_Timer(); }); });
    model_.PopupAccountsMenu = [this] {
        render();
        accountsMenu_->exec(QCursor::pos());
    };
    addView_ = new FrmAddView(windows.frmAdd, *this, *this);
    shortcutView_ = new FrmShortCutView(windows.frmShortCut, *this, *this);
    aboutView_ = new FrmAboutView(windows.about, *this, *this);
}

void FrmMainView::forward(const std::function<void()>& handler) {
    if (ended_)
        return;
    // Qt's event loop lets no exception through: whatever a handler did not report itself is
    // reported here, to the window's log, and the window goes on.
    const auto report = [this](int number, const QString& description) {
        errores_.informarerror(errores_.logPath(Frm_Main::Name + ".log"), number, description,
                               QStringLiteral("main.event"));
    };
    try {
        handler();
    } catch (const EndProgram&) {
        ended_ = true;
        QApplication::closeAllWindows();
        QApplication::exit(0);
        return;
    } catch (const RunError& e) {
        report(e.number, e.description);
    } catch (const std::bad_alloc&) {
        report(RunError::OutOfMemory, QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        report(RunError::InternalError, "Internal error: " + QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(RunError::InternalError, QStringLiteral("Internal error"));
    }
    render();
}

void FrmMainView::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        fitIntoScreen();
}

void FrmMainView::fitIntoScreen() {
    const QRect available = screen()->availableGeometry();
    // The frame as the platform draws it; before it is known, a title bar's worth.
    QMargins frame(geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
                   frameGeometry().right() - geometry().right(), frameGeometry().bottom() - geometry().bottom());
    if (frame.isNull())
        frame = QMargins(8, 31, 8, 8);
    // The client whole below the menu bar, as high as the bar came out in this style and font.
    auto* area = static_cast<QScrollArea*>(centralWidget());
    const QSize natural = area->widget()->size() + (size() - area->size());
    const QSize room = available.size().shrunkBy(frame);
    QSize size = natural.boundedTo(room);
    const bool fits = size == natural;
    if (!fits) {
        // A scroll bar takes room from the other side: given back where the screen has it.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        if (size.width() < natural.width())
            size.setHeight(std::min(room.height(), natural.height() + bar));
        if (size.height() < natural.height())
            size.setWidth(std::min(room.width(), natural.width() + bar));
    }
    for (const auto policy : {&QScrollArea::setHorizontalScrollBarPolicy, &QScrollArea::setVerticalScrollBarPolicy})
        (area->*policy)(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setFixedSize(size);
    // Kept inside the available area, frame included.
    QRect placed = frameGeometry();
    placed.setSize(size.grownBy(frame));
    placed.moveRight(std::min(placed.right(), available.right()));
    placed.moveBottom(std::min(placed.bottom(), available.bottom()));
    placed.moveLeft(std::max(placed.left(), available.left()));
    placed.moveTop(std::max(placed.top(), available.top()));
    if (placed.topLeft() != frameGeometry().topLeft())
        move(placed.topLeft());
}

void FrmMainView::closeEvent(QCloseEvent* event) {
    // Disabled while the manual add or the About dialog is open: what is typed there is kept.
    if (!model_.Enabled && !ended_) {
        event->ignore();
        return;
    }
    for (QDialog* dialog : std::initializer_list<QDialog*>{addView_, shortcutView_, aboutView_})
        dialog->close();
    event->accept();
}

bool FrmMainView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick)
        for (const auto& [label, handler] : labelDoubleClicks_)
            if (watched == label) {
                forward(std::bind(handler, &model_));
                return true;
            }
    return QMainWindow::eventFilter(watched, event);
}

void FrmMainView::buildToolbar(QWidget* client) {
    auto* toolbar = place<QWidget>(client, "Toolbar1", 0, 0, 14505, 810);
    toolbar->setAccessibleName(QStringLiteral("Toolbar"));
    auto* row = new QHBoxLayout(toolbar);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(0);
    for (int number = 1; number <= int(model_.Toolbar1.Buttons.size()); ++number) {
        const ToolbarButton& button = model_.Toolbar1.button(number);
        if (button.Separator) {
            auto* line = new QFrame(toolbar);
            line->setFrameShape(QFrame::VLine);
            line->setFrameShadow(QFrame::Sunken);
            row->addSpacing(3);
            row->addWidget(line);
            row->addSpacing(3);
            continue;
        }
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
        if (number == 1) {
            auto* menu = new QMenu(tool);
            QAction* windowed = menu->addAction(QStringLiteral("Launch on windowed mode"));
            windowed->setObjectName(Frm_Main::WindowedEntryKey);
            connect(windowed, &QAction::triggered, this,
                    [this] { forward([this] { model_.Toolbar1_ButtonMenuClick(Frm_Main::WindowedEntryKey); }); });
            tool->setMenu(menu);
            tool->setPopupMode(QToolButton::MenuButtonPopup);
        }
        row->addWidget(tool);
        toolButtons_.emplace_back(number, tool);
    }
    row->addStretch();

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

    auto* commentLabel = place<QLabel>(frame, "Label1", 10035, 180, 4335, 240,
                                       QStringLiteral("Selected account comments:"));
    txtComentarios_ = place<QPlainTextEdit>(frame, "TxtComentarios", 10035, 375, 4335, 4260);
    txtComentarios_->setAccessibleName(QStringLiteral("Selected account comments"));
    txtComentarios_->setTabChangesFocus(true);
    commentLabel->setBuddy(txtComentarios_);

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
        const std::function<void()> command = std::bind(handler, &model_);
        connect(widget, &QPushButton::clicked, this, [this, command] {
            forward([this, command] {
                takeComment();
                command();
            });
        });
    }
}

void FrmMainView::takeComment() {
    if (!model_.TxtComentarios.Locked)
        model_.TxtComentarios.Text = txtComentarios_->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
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

bool FrmMainView::covered() const {
    return !model_.Enabled || windows_.frmAdd.Visible || windows_.frmShortCut.Visible || windows_.about.Visible;
}

void FrmMainView::render() {
    // Disabling takes the focus away from the window's controls, and nothing would give it back
    // to the one that had it: the first control of the focus chain would take it instead.
    const bool wasCovered = focusKept_.has_value();
    if (!wasCovered && covered()) {
        QWidget* focused = QApplication::focusWidget();
        focusKept_ = focused && isAncestorOf(focused) ? focused : focusWidget();
    }
    // A disabled window takes no input; its dialogs, being its children, must stay usable.
    centralWidget()->setEnabled(model_.Enabled);
    menuBar()->setEnabled(model_.Enabled);
    for (const auto& [item, action] : menuEntries_) {
        action->setVisible(item->Visible);
        action->setEnabled(item->Enabled && model_.Enabled);
    }
    for (const auto& [number, tool] : toolButtons_)
        tool->setEnabled(model_.Toolbar1.button(number).Enabled);
    for (const auto& [label, widget] : labels_) {
        widget->setText(label->Caption);
        // A screen reader reads the value itself; the accessible name says which value it is.
        widget->setAccessibleDescription(label->Caption);
        widget->setToolTip(label->ToolTipText);
        applyColor(widget, QPalette::WindowText, label->ForeColor);
    }
    for (const auto& [box, widget] : checkBoxes_) {
        widget->setText(box->Caption);
        widget->setCheckState(box->Value == 0 ? Qt::Unchecked : box->Value == 1 ? Qt::Checked : Qt::PartiallyChecked);
        widget->setEnabled(box->Enabled);
        applyColor(widget, widget->backgroundRole(), box->BackColor);
    }
    for (const auto& [button, widget] : buttons_) {
        widget->setText(button->Caption);
        widget->setEnabled(button->Enabled);
    }
    const QString comment = QString(model_.TxtComentarios.Text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (txtComentarios_->toPlainText() != comment)
        txtComentarios_->setPlainText(comment);
    txtComentarios_->setReadOnly(model_.TxtComentarios.Locked);
    applyColor(txtComentarios_, QPalette::Base, model_.TxtComentarios.BackColor);
    renderList();
    if (model_.FocusedControl == QLatin1String("TxtComentarios")) {
        txtComentarios_->setFocus();
        model_.FocusedControl.clear();
    }
    tiSave_->setInterval(model_.TiSave.Interval);
    if (model_.TiSave.Enabled != tiSave_->isActive())
        model_.TiSave.Enabled ? tiSave_->start() : tiSave_->stop();
    addView_->render();
    shortcutView_->render();
    aboutView_->render();
    if (wasCovered && !covered()) {
        QWidget* target = *focusKept_ && (*focusKept_)->isEnabled() ? focusKept_->data() : lvAccounts_;
        focusKept_.reset();
        if (isVisible())
            activateWindow();
        target->setFocus();
    }
}

void FrmMainView::renderForBox() {
    if (!lvAccounts_->editing())
        render();
}

void FrmMainView::renderList() {
    const AccountList& list = model_.LvAccounts;
    accounts_->refresh();
    // Out of the tab order and deaf to input while a comment is edited.
    lvAccounts_->setEnabled(list.enabled);
    QItemSelectionModel* selection = lvAccounts_->selectionModel();
    if (list.selected() == 0) {
        selection->clear();
        return;
    }
    const QModelIndex row = accounts_->index(list.selected() - 1, 0);
    if (selection->currentIndex().row() != row.row() || !selection->isRowSelected(row.row(), {})) {
        selection->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        lvAccounts_->scrollTo(row);
    }
}
