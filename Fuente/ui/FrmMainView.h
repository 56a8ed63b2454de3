#pragma once

#include <functional>
#include <optional>
#include <QPointer>
#include <QMainWindow>
#include <vector>

#include "EventForwarder.h"
#include "forms/Controls.h"

class AccountTableModel;
class AccountTreeView;
class FrmAboutView;
class FrmAddView;
class FrmShortCutView;
class Frm_Main;
class ClsControlErrores;
class WindowModels;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolButton;

// The main window: real widgets at the model's places, named as its controls. It hands every
// event to the model and then shows the whole model again; it decides nothing.
class FrmMainView : public QMainWindow, public EventForwarder {
    Q_OBJECT
public:
    // Failures its handlers do not report go to `errores`.
    FrmMainView(WindowModels& windows, ClsControlErrores& errores, QWidget* parent = nullptr);

    // Shows everything the window models hold, the manual add dialog included.
    void render();
    // The same before a box opens while a handler runs, unless the list's editor is handing its
    // name over: the list must not be reset under it.
    void renderForBox();
    // Runs an event handler of a window model and shows the result. A request to end the
    // program closes the application instead; any other failure that leaves the handler is
    // reported to the main window's log.
    void forward(const std::function<void()>& handler) override;
    // Whether the program was asked to end (nothing is saved then).
    bool ended() const { return ended_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Double clicks on the active account's labels.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the widgets (FrmMainViewBuild.cpp).
    void buildToolbar(QWidget* client);
    QToolButton* buildToolButton(QWidget* toolbar, int number);
    void buildLaunchMenu(QToolButton* launch);
    // The two options at the toolbar's right end.
    void buildOptions(QWidget* toolbar);
    // The account list, and beside it the selected account's comment with its three buttons.
    void buildLists(QWidget* client);
    void buildAccountList(QWidget* frame);
    void connectAccountList();
    void buildComment(QWidget* frame);
    void buildCommentButtons(QWidget* frame);
    // The labels of the account in use.
    void buildActiveAccount(QWidget* client);
    void buildMenus();
    QAction* addEntry(QMenu* menu, MenuItem& item, const char* name, void (Frm_Main::*handler)());

    // Showing the models (FrmMainView.cpp).
    void renderMenusAndToolbar();
    void renderLabelsAndButtons();
    void renderComment();
    void renderList();
    // Notes the control with the keyboard when the window becomes covered; says whether it was
    // covered before.
    bool keepFocusWhileCovered();
    // Gives the keyboard back to the control noted, once the window is no longer covered.
    void giveFocusBack();
    // Whether the window is disabled or one of its dialogs is open.
    bool covered() const;
    // Makes the window fit the available area of its screen, and places it inside.
    void fitIntoScreen();
    // Copies the comment box's text into the model, with the model's line breaks.
    void takeComment();

    WindowModels& windows_;
    ClsControlErrores& errores_;
    Frm_Main& model_;
    bool ended_ = false;
    // While the window is covered: the control that had the keyboard before, to have it again after.
    std::optional<QPointer<QWidget>> focusKept_;

    struct MenuEntry {
        const MenuItem* item;
        QAction* action;
    };
    std::vector<MenuEntry> menuEntries_;
    QMenu* accountsMenu_ = nullptr;
    std::vector<std::pair<int, QToolButton*>> toolButtons_;
    std::vector<std::pair<const Label*, QLabel*>> labels_;
    std::vector<std::pair<QLabel*, void (Frm_Main::*)()>> labelDoubleClicks_;
    std::vector<std::pair<const CheckBox*, QCheckBox*>> checkBoxes_;
    std::vector<std::pair<const CommandButton*, QPushButton*>> buttons_;

    AccountTableModel* accounts_ = nullptr;
    AccountTreeView* lvAccounts_ = nullptr;
    QPlainTextEdit* txtComentarios_ = nullptr;
    QTimer* tiSave_ = nullptr;
    FrmAddView* addView_ = nullptr;
    FrmShortCutView* shortcutView_ = nullptr;
    FrmAboutView* aboutView_ = nullptr;
};
