#include "FrmMainView.h"

#include <algorithm>
#include <exception>
#include <new>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
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

void FrmMainView::takeComment() {
    if (!model_.TxtComentarios.Locked)
        model_.TxtComentarios.Text = txtComentarios_->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

bool FrmMainView::covered() const {
    return !model_.Enabled || windows_.frmAdd.Visible || windows_.frmShortCut.Visible || windows_.about.Visible;
}

void FrmMainView::render() {
    const bool wasCovered = keepFocusWhileCovered();
    // A disabled window takes no input; its dialogs, being its children, must stay usable.
    centralWidget()->setEnabled(model_.Enabled);
    menuBar()->setEnabled(model_.Enabled);
    renderMenusAndToolbar();
    renderLabelsAndButtons();
    renderComment();
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
    if (wasCovered && !covered())
        giveFocusBack();
}

bool FrmMainView::keepFocusWhileCovered() {
    // Disabling takes the focus away from the window's controls, and nothing would give it back
    // to the one that had it: the first control of the focus chain would take it instead.
    const bool wasCovered = focusKept_.has_value();
    if (!wasCovered && covered()) {
        QWidget* focused = QApplication::focusWidget();
        focusKept_ = focused && isAncestorOf(focused) ? focused : focusWidget();
    }
    return wasCovered;
}

void FrmMainView::giveFocusBack() {
    QWidget* target = *focusKept_ && (*focusKept_)->isEnabled() ? focusKept_->data() : lvAccounts_;
    focusKept_.reset();
    if (isVisible())
        activateWindow();
    target->setFocus();
}

void FrmMainView::renderMenusAndToolbar() {
    for (const auto& [item, action] : menuEntries_) {
        action->setVisible(item->Visible);
        action->setEnabled(item->Enabled && model_.Enabled);
    }
    for (const auto& [number, tool] : toolButtons_)
        tool->setEnabled(model_.Toolbar1.button(number).Enabled);
}

void FrmMainView::renderLabelsAndButtons() {
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
}

void FrmMainView::renderComment() {
    // The model keeps the comment with its own line breaks.
    const QString comment = QString(model_.TxtComentarios.Text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (txtComentarios_->toPlainText() != comment)
        txtComentarios_->setPlainText(comment);
    txtComentarios_->setReadOnly(model_.TxtComentarios.Locked);
    applyColor(txtComentarios_, QPalette::Base, model_.TxtComentarios.BackColor);
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