// The window on screen: real widgets, real keys and clicks, colours read from the pixels and the
// keyboard from the focused widget; first over the scripted dialogs, then over the real ones.
#include <gtest/gtest.h>
#include <QtTest>
#include <QtWidgets>

#include "AppFolder.h"
#include "FileTexts.h"
#include "FrmMainView.h"
#include "Printers.h"
#include "QtDialogs.h"
#include "RunError.h"
#include "forms/Frm_Add.h"

namespace {

const QByteArray kDatabase =
    DatabaseText().account("Zed", "c-z", "s-z", "zed's\r\ncomment\r\n").account("alpha", "c-a", "s-a");
const MessageBoxSpec kNewAccountFound{"The active account does not match the accounts stored on my database, therefore "
                                      "it must be a new one. Do you want to add it to the database?",
                                      "New Account Found", MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes};

// Whether the window becomes the one that takes the keyboard. (QTest's own wait also counts a
// dialog as active while only the window it belongs to is.)
bool becomesActive(QWidget* window) {
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}
// Types the text one key at a time, each into the widget that has the focus then.
void type(const QString& text) {
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}
// Tab pressed `steps` times from where the focus is: the widgets it stood on, the first included.
QString tabWalk(int steps) {
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    return walked.join(' ');
}

// The colour on screen of a check box's background: its right end, past the caption.
QColor backgroundOf(QWidget* widget) {
    return widget->grab().toImage().pixelColor(widget->width() - 2, widget->height() / 2);
}

// The pixel of a widget on screen that scores highest.
QColor most(QWidget* widget, int (*score)(const QColor&)) {
    const QImage image = widget->grab().toImage();
    QColor best = image.pixelColor(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (score(image.pixelColor(x, y)) > score(best))
                best = image.pixelColor(x, y);
    return best;
}
int darkness(const QColor& c) { return -c.lightness(); }
int redness(const QColor& c) { return c.red() - std::max(c.green(), c.blue()); }

class FrmMainViewTest : public ::testing::Test {
protected:
    FrmMainViewTest() {
        app.write("Accounts.dat", kDatabase);
        app.write("game/EXE/Freelancer.exe", "");
        app.setStore("c-a", "s-a", app.path("game"));
        app.main().Form_Load();
        view.render();
        view.show();
        view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    template <class W = QWidget>
    W* find(const char* name, QObject* in = nullptr) {
        W* widget = (in ? in : &view)->findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QAction* entry(const char* name) { return find<QAction>(name); }
    // Where the keyboard is once the window is active again, as a window manager makes it.
    QWidget* focusOnceActive() {
        view.activateWindow();
        return becomesActive(&view) ? QApplication::focusWidget() : nullptr;
    }
    QTreeView* list() { return find<QTreeView>("LvAccounts"); }

    AppFolder app;
    FrmMainView view{*app.windows, app.sv->errores};
};

// The keyboard starts on the account list (a Space there ticks no option); Tab walks the controls
// in their order, past the disabled ones, and comes round again.
TEST_F(FrmMainViewTest, TheKeyboardStartsOnTheListAndTabFollowsTheOrder) {
    ASSERT_TRUE(becomesActive(&view));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(tabWalk(5), "LvAccounts TxtComentarios CmdEdit ChkActivation ChkDeletion LvAccounts");
    EXPECT_EQ(app.read("Opciones.dat"), optionsText(0, 0));
    // While a comment is edited, Tab moves on to Save instead of typing a tab.
    for (int key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space, Qt::Key_X, Qt::Key_Tab})
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "CmdSalvaComentarios");
    EXPECT_EQ(find<QPlainTextEdit>("TxtComentarios")->toPlainText(), "x");
}

TEST_F(FrmMainViewTest, ShortcutKeysAndToolbarButtonsReachTheModel) {
    QTest::keyClick(&view, Qt::Key_F4);
    QTest::keyClick(&view, Qt::Key_F4, Qt::ShiftModifier);
    find<QToolButton>("Toolbar1_LAUNCH")->click();
    find<QToolButton>("Toolbar1_LAUNCH")->menu()->actions().first()->trigger();
    QStringList arguments;
    for (const auto& started : app.dialogs.started)
        arguments << started.arguments;
    EXPECT_EQ(arguments, (QStringList{"-s", "-w -s", "-s", "-w -s"}));

    app.dialogs.expect({"Are you sure you want to delete the account c-a?", "Delete", MsgButtons::YesNo,
                        MsgIcon::Question, MsgAnswer::No},
                       MsgAnswer::Yes);
    find<QToolButton>("Toolbar1_DELETE")->click();
    EXPECT_EQ(list()->model()->rowCount(), 1);
    EXPECT_EQ(app.read("Accounts.dat.bak"), kDatabase);
}

// No exception may cross Qt's event loop: the view reports what a handler let through and goes on.
TEST_F(FrmMainViewTest, AFailureLeavingAHandlerIsReportedToTheWindowsLog) {
    const std::tuple<std::function<void()>, QString, int> cases[] = {
        {[] {
             throw RunError{RunError::FileNotFound, "File not found"};
         },
         "File not found", 53},
        {[] { throw std::runtime_error("boom"); }, "Internal error: boom", 51},
        {[] { throw 7; }, "Internal error", 51},
    };
    for (const auto& [fail, description, number] : cases) {
        app.dialogs.expect(ScriptedDialogs::errorBox(description, app.logPath("Frm_Main.log")));
        view.forward([&, fail = fail, description = description] {
            app.main().LblCode.Caption = description;
            fail();
        });
        EXPECT_EQ(find<QLabel>("LblCode")->text(), description) << "the window is shown again";
        EXPECT_TRUE(app.read("Logs/Frm_Main.log")
                        .contains(QString("[%1]: %2\r\n       main.event").arg(number).arg(description).toLatin1()));
    }
    EXPECT_FALSE(view.ended());
}

TEST_F(FrmMainViewTest, RenderingFollowsTheModel) {
    for (QWidget* widget : view.findChildren<QWidget*>())  // every named control is named to a screen reader
        if ((qobject_cast<QAbstractButton*>(widget) || qobject_cast<QTreeView*>(widget) ||
             qobject_cast<QPlainTextEdit*>(widget)) &&
            widget->isVisibleTo(&view) && !widget->objectName().isEmpty()) {
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
        }
    EXPECT_FALSE(find<QToolButton>("Toolbar1_SAVE")->isEnabled());
    EXPECT_TRUE(find<QToolButton>("Toolbar1_DELETE")->isEnabled());
    EXPECT_EQ(list()->model()->index(0, 0).data().toString(), "alpha");
    EXPECT_EQ(list()->model()->index(1, 2).data(Qt::ToolTipRole).toString(),
              "Click over the selected item again to rename it");
    EXPECT_FALSE(list()->model()->headerData(0, Qt::Horizontal, Qt::DecorationRole).isNull());

    list()->setCurrentIndex(list()->model()->index(1, 0));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualRect(list()->model()->index(1, 1)).center());
    EXPECT_EQ(find<QPlainTextEdit>("TxtComentarios")->toPlainText(), "zed's\ncomment");

    QTest::mouseClick(list()->header()->viewport(), Qt::LeftButton, {},
                      QPoint(list()->header()->sectionViewportPosition(1) + 5, 5));
    EXPECT_EQ(list()->model()->index(0, 0).data().toString(), "Zed") << "by code, descending";
    EXPECT_TRUE(list()->model()->headerData(0, Qt::Horizontal, Qt::DecorationRole).isNull());

    find<QPushButton>("CmdEdit")->click();
    EXPECT_FALSE(find<QToolButton>("Toolbar1_LAUNCH")->isEnabled());
    EXPECT_FALSE(find<QPlainTextEdit>("TxtComentarios")->isReadOnly());
    EXPECT_FALSE(entry("Accounts")->isEnabled());
    EXPECT_TRUE(entry("Tools")->isEnabled());
    EXPECT_FALSE(list()->isEnabled());
    find<QPlainTextEdit>("TxtComentarios")->setPlainText("edited\ntwice");
    find<QPushButton>("CmdSalvaComentarios")->click();
    EXPECT_TRUE(
        app.read("Accounts.dat").contains("Zed\r\nc-z\r\ns-z\r\n<COMENTARIO>\r\nedited\r\ntwice\r\n</COMENTARIO>"));
    EXPECT_TRUE(find<QToolButton>("Toolbar1_LAUNCH")->isEnabled());

    find<QCheckBox>("ChkDeletion")->click();
    EXPECT_EQ(app.read("Opciones.dat"), optionsText(0, 1));
    EXPECT_TRUE(find<QCheckBox>("ChkDeletion")->isChecked());
}

// The colours as they are on screen: a ticked option light red, a clear one the button face, from
// start-up on and after every click; the name of an account not in the database red.
TEST_F(FrmMainViewTest, OptionsAndTheNotStoredNameShowTheirColours) {
    const QColor red(255, 128, 128), face = QApplication::palette().color(QPalette::Button);
    auto* activation = find<QCheckBox>("ChkActivation");
    auto* deletion = find<QCheckBox>("ChkDeletion");
    // The options file a scan reads (none: the one the step before left), the boxes clicked, then
    // the colours on screen and the file. A click on a greyed box clears it.
    const struct {
        QByteArray file;
        std::vector<QCheckBox*> clicked;
        QColor activation, deletion;
        QByteArray after;
    } steps[] = {
        {optionsText(1, 0), {}, red, face, optionsText(1, 0)},
        {{}, {deletion, activation}, face, red, optionsText(0, 1)},
        {optionsText(0, 2), {deletion}, face, face, optionsText(0, 0)},
    };
    for (const auto& step : steps) {
        if (!step.file.isEmpty()) {
            app.write("Opciones.dat", step.file);
            entry("Scan")->trigger();
        }
        for (QCheckBox* box : step.clicked)
            box->click();
        EXPECT_EQ(backgroundOf(activation), step.activation);
        EXPECT_EQ(backgroundOf(deletion), step.deletion);
        EXPECT_EQ(app.read("Opciones.dat"), step.after);
    }

    auto* name = find<QLabel>("LblName");
    EXPECT_LT(redness(most(name, redness)), 40) << "a stored account's name is not red";
    app.setStore("not-stored", "s");
    app.dialogs.expect(kNewAccountFound, MsgAnswer::No);
    entry("Scan")->trigger();
    EXPECT_EQ(name->text(), "WARNING! This account is not in the database");
    EXPECT_GT(redness(most(name, redness)), 150);
    // A screen reader reads each value, the warning included, and which value it is.
    for (const auto& [label, which] :
         {std::pair{"LblName", "Name"}, {"LblCode", "Code"}, {"LblSignature", "Signature"}}) {
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(find<QLabel>(label));
        EXPECT_EQ(read->text(QAccessible::Name), which);
        EXPECT_EQ(read->text(QAccessible::Description), find<QLabel>(label)->text());
    }
}

TEST_F(FrmMainViewTest, RenamingInPlaceSavesShortlyAfter) {
    // Only a name is edited in place: a code or a signature opens no editor.
    for (int column : {1, 2}) {
        list()->edit(list()->model()->index(0, column));
        EXPECT_EQ(list()->findChild<QLineEdit*>(), nullptr) << "column " << column;
    }
    const QModelIndex first = list()->model()->index(0, 0);
    list()->setCurrentIndex(first);
    // Types a name into the real editor; the editor hands it over once events are processed.
    const auto rename = [&](const QString& name) {
        list()->edit(first);
        QPointer<QLineEdit> editor = list()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, name);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!editor || !editor->isVisible());
    };
    rename("Beta");
    EXPECT_EQ(first.data().toString(), "Beta");
    // Shown once the editor has gone, for the two ticks of the save timer.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !find<QPushButton>("CmdEdit")->isEnabled(); }));
    QTRY_VERIFY_WITH_TIMEOUT(app.read("Accounts.dat").startsWith("DB Version: 101\r\nBeta\r\nc-a\r\n"), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(find<QPushButton>("CmdEdit")->isEnabled(), 20000);

    app.dialogs.expect({"The name you have entered already exists"});
    rename("ZED");
    EXPECT_EQ(first.data().toString(), "Beta");
}

// Whatever the font, a blank's width parts each value of the frame from its caption.
TEST_F(FrmMainViewTest, EachValueStandsABlankAfterItsCaption) {
    const QFont font = QApplication::font();
    for (const char* family : {"DejaVu Sans", "DejaVu Sans Mono"}) {
        QApplication::setFont(QFont(family));
        FrmMainView other(*app.windows, app.sv->errores);
        for (const auto& [caption, value] :
             {std::pair{"Label2", "LblName"}, {"Label6", "LblCode"}, {"Label4", "LblSignature"}}) {
            auto* label = find<QLabel>(caption, &other);
            EXPECT_GE(find(value, &other)->x(),
                      label->x() + label->fontMetrics().horizontalAdvance(label->text() + ' '))
                << family << " " << caption;
        }
    }
    QApplication::setFont(font);
}

// On a screen too small for it, the window opens inside the available area, and what it cannot
// show scrolls into reach.
TEST_F(FrmMainViewTest, OnASmallScreenTheWindowOpensInsideIt) {
    QScreen* small = QGuiApplication::screens().value(1);
    ASSERT_NE(small, nullptr);
    FrmMainView other(*app.windows, app.sv->errores);
    other.setScreen(small);
    other.move(small->geometry().topLeft() + QPoint(300, 100));
    other.show();
    EXPECT_TRUE(small->availableGeometry().contains(other.frameGeometry()))
        << other.frameGeometry().width() << " x " << other.frameGeometry().height();
    auto* cancel = find<QPushButton>("CmdCancelar", &other);
    qobject_cast<QScrollArea*>(other.centralWidget())->ensureWidgetVisible(cancel);
    EXPECT_EQ(cancel->visibleRegion().boundingRect(), cancel->rect());
    other.close();
    EXPECT_TRUE(becomesActive(&view));  // the next test's boxes open on the first screen
}

// The add dialog and the about box (closed with Enter or Escape) leave the main window open but
// disabled, the "Account in use:" frame greyed whole, until they close; then the keyboard is back
// on the list.
TEST_F(FrmMainViewTest, TheAddAndAboutDialogsDisableTheMainWindowUntilTheyClose) {
    const int grey = view.palette().color(QPalette::Disabled, QPalette::WindowText).lightness();
    for (int key : {0, int(Qt::Key_Return), int(Qt::Key_Escape)}) {
        ASSERT_TRUE(becomesActive(&view));
        key ? QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1) : entry("MnuAdd")->trigger();
        auto* dialog = find<QDialog>(key ? "frmAbout" : qPrintable(Frm_Add::Name));
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->isModal());
        EXPECT_FALSE(view.centralWidget()->isEnabled());
        EXPECT_FALSE(view.close()) << "the disabled window stays open";
        EXPECT_TRUE(dialog->isVisible());
        for (const char* label : {"Label2", "LblName", "Label6", "LblCode", "Label4", "LblSignature"})
            EXPECT_GE(most(find(label), darkness).lightness(), grey - 8) << label;
        QTest::keyClick(dialog, Qt::Key(key ? key : Qt::Key_Escape));
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_TRUE(view.centralWidget()->isEnabled());
        EXPECT_LT(most(find("LblCode"), darkness).lightness(), grey - 40);
        EXPECT_EQ(focusOnceActive(), list());
    }
    entry("MnuAdd")->trigger();
    auto* dialog = find<QDialog>(qPrintable(Frm_Add::Name));
    for (const auto& [box, text] : {std::pair{"TxtNombre", "Manual"}, {"TxtCodigo", "c-m"}, {"TxtFirma", "s-m"}})
        find<QLineEdit>(box, dialog)->setText(text);
    find<QPlainTextEdit>("TxtComentarios", dialog)->setPlainText("one\ntwo");
    app.dialogs.expect({"Account added successfully. Do you wish to activate the new account?",
                        {},
                        MsgButtons::YesNo,
                        MsgIcon::Question,
                        MsgAnswer::Yes},
                       MsgAnswer::No);
    find<QPushButton>("CmdAdd", dialog)->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(focusOnceActive(), list());
    EXPECT_TRUE(
        app.read("Accounts.dat").endsWith("Manual\r\nc-m\r\ns-m\r\n<COMENTARIO>\r\none\r\ntwo\r\n</COMENTARIO>\r\n"));
    EXPECT_EQ(list()->model()->rowCount(), 3);
}

TEST_F(FrmMainViewTest, TheShortcutDialogIsModalAndWritesALauncher) {
    entry("Shortcut")->trigger();
    auto* dialog = find<QDialog>("Frm_ShortCut");
    ASSERT_NE(dialog, nullptr);
    const auto box = [&](int i) { return find<QLineEdit>(qPrintable(QString("TxtIP(%1)").arg(i)), dialog); };
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(box(4)->text(), "2302");
    EXPECT_FALSE(box(0)->isEnabled());
    // However the focus comes into an address box, its text is selected, so typing replaces it.
    ASSERT_TRUE(becomesActive(dialog));
    find<QCheckBox>("ChkAutoConnect", dialog)->click();
    EXPECT_TRUE(box(0)->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), box(0));
    EXPECT_EQ(box(0)->selectedText(), "127");
    type("192.168.1.10");
    QStringList address;
    for (int i = 0; i < 5; ++i)
        address << box(i)->text() + '/' + QString::number(box(i)->maxLength());
    EXPECT_EQ(address, (QStringList{"192/3", "168/3", "1/3", "10/3", "2302/5"}));
    // Tab walks every control once and comes round to the name.
    find("TxtNombre", dialog)->setFocus();
    EXPECT_EQ(tabWalk(13), "TxtNombre TxtPath CmdPath ChkWindowed ChkAutoConnect TxtIP(0) TxtIP(1) TxtIP(2) "
                           "TxtIP(3) TxtIP(4) ChkOverwrite CmdOk CmdCancel TxtNombre");
    QTest::mouseClick(box(4), Qt::LeftButton);
    type("2303");
    EXPECT_EQ(box(4)->text(), "2303") << "a click selects too";

    app.mkdir("links");
    app.dialogs.files.push_back({app.path("links/Quick.desktop"), "Quick.desktop"});
    find<QPushButton>("CmdPath", dialog)->click();
    EXPECT_EQ(find<QLineEdit>("TxtNombre", dialog)->text(), "Quick");
    app.dialogs.expect({"Shortcut Quick Created at " + app.path("links/"), {}, MsgButtons::OK, MsgIcon::Exclamation});
    find<QPushButton>("CmdOk", dialog)->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(app.read("links/Quick.desktop").contains("/A=c-a /S=192.168.1.10:2303"));
}

// Answers the modal dialogs that real dialogs show, from a 10 ms timer, as a person would: a file
// dialog by choosing `file` once, a message box by its default button. Everything else, a file
// dialog still open included, is closed, and everything answered or closed is noted.
class ModalAnswerer {
public:
    // `onBox` sees the program while a message box is open.
    explicit ModalAnswerer(const QString& file = {}, std::function<void()> onBox = {})
        : file_(file), onBox_(std::move(onBox)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start();
    }
    QStringList seen;

private:
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* files = qobject_cast<QFileDialog*>(modal); files && files != chosen_) {
            chosen_ = files;
            // Typed, as selectFile may lose a name in a folder that is still being read.
            files->findChild<QLineEdit*>("fileNameEdit")->setText(file_);
            // As its Save button does, once this turn of the timer is over: a box it opens must find it free.
            QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen << box->text();
            if (onBox_)
                onBox_();
            box->defaultButton()->click();
        } else if (modal) {
            seen << modal->metaObject()->className();
            modal->close();
        }
    }
    QString file_;
    std::function<void()> onBox_;
    QFileDialog* chosen_ = nullptr;
    QTimer timer_;
};

// The save dialog asks nothing about an existing file: the export asks its own question.
TEST(RealDialogs, TheSaveDialogAsksNothingAboutAnExistingFile) {
    AppFolder app;
    app.write("Backup.ADF", "old");
    QtDialogs dialogs;
    ModalAnswerer answerer(app.path("Backup.ADF"));
    const FileChoice choice = dialogs.ShowSave("VTR Data File(*.ADF)|*.ADF|Windows Registry files(*.reg)|*.reg", {});
    EXPECT_EQ(choice.fileName, app.path("Backup.ADF"));
    EXPECT_EQ(choice.fileTitle, "Backup.ADF");
    EXPECT_EQ(answerer.seen, QStringList());
}

// The main window over real dialogs, on two accounts, "alpha" active.
class RealWindow : public ::testing::Test {
protected:
    RealWindow() {
        app.write("Accounts.dat", DatabaseText().account("Zed", "c-z", "s-z").account("alpha", "c-a", "s-a"));
        app.setStore("c-a", "s-a");
        dialogs.setParentWindow(&view, [this] { view.renderForBox(); });
        windows.main.Form_Load();
        view.render();
        view.show();
    }
    AppFolder app;
    QtDialogs dialogs;
    Mod_Variables mv{QDir(app.path("")).absolutePath()};
    Services sv{mv, dialogs, app.registry};
    WindowModels windows{mv, sv};
    FrmMainView view{windows, sv.errores};
    QTreeView* list = view.findChild<QTreeView*>("LvAccounts");
};

// After a check of the manual add dialog has refused, the dialog has the keyboard again, in the
// box the check names or, when it names none, where it was; the main window has it again once
// the dialog has closed.
TEST_F(RealWindow, TheAddDialogTakesTheKeyboardBackAfterARefusal) {
    ASSERT_TRUE(becomesActive(&view));
    view.findChild<QAction*>("MnuAdd")->trigger();
    auto* dialog = view.findChild<QDialog*>(Frm_Add::Name);
    ASSERT_TRUE(becomesActive(dialog));
    ModalAnswerer answerer;
    const auto refusedWith = [&](const QString& message) {
        answerer.seen.clear();
        dialog->findChild<QPushButton*>("CmdAdd")->click();
        EXPECT_EQ(answerer.seen, QStringList{message});
        return becomesActive(dialog);
    };
    ASSERT_TRUE(refusedWith("Insert a name"));
    type("Named");
    dialog->findChild<QLineEdit*>("TxtCodigo")->setText("c-n");
    ASSERT_TRUE(refusedWith("Accounts without signature can't be added"));
    type("2");
    EXPECT_EQ(dialog->findChild<QLineEdit*>("TxtNombre")->text(), "Named2");

    // Once the dialog, and then a file dialog, has closed, the keyboard is back on the list, where
    // a Space ticks no option.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_TRUE(becomesActive(&view));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "LvAccounts");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_EQ(answerer.seen.last(), "QFileDialog");
    ASSERT_TRUE(becomesActive(&view));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "LvAccounts");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(app.read("Opciones.dat"), optionsText(0, 0));
}

// While Scan asks about a new account, the window shows what the question is about: the list as
// it stays after the answer, the new account's values in the frame, not stored.
TEST_F(RealWindow, ShowsTheNewAccountWhileScanAsksAboutIt) {
    ASSERT_TRUE(becomesActive(&view));
    app.setStore("c-new", "s-new");
    QStringList shown;
    ModalAnswerer answerer({}, [&] {
        for (int row = 0; row < list->model()->rowCount(); ++row)
            shown << list->model()->index(row, 0).data().toString() +
                         (list->selectionModel()->isRowSelected(row, {}) ? "*" : "");
        for (const char* label : {"LblName", "LblCode", "LblSignature"})
            shown << view.findChild<QLabel*>(label)->text();
    });
    view.findChild<QAction*>("Scan")->trigger();
    EXPECT_EQ(answerer.seen.value(0), kNewAccountFound.text);
    EXPECT_EQ(shown, (QStringList{"alpha", "Zed*", "WARNING! This account is not in the database", "c-new", "s-new"}));
}

// A double click on the selected row only activates: no rename editor opens while it asks.
TEST_F(RealWindow, ADoubleClickOnTheSelectedRowOpensNoEditor) {
    const QPoint alpha = list->visualRect(list->model()->index(0, 0)).center();
    ASSERT_TRUE(list->selectionModel()->isRowSelected(0, {}));
    bool editorOpened = false;
    ModalAnswerer answerer({}, [&] {
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        editorOpened = editorOpened || list->findChild<QLineEdit*>();
    });
    // As a mouse makes it: click, press, double click, release.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, alpha);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, alpha);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, alpha);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, alpha);
    EXPECT_EQ(answerer.seen.value(0), "Are you sure that you want to activate the selected account?");
    EXPECT_FALSE(editorOpened);
}

}  // namespace

int main(int argc, char** argv) {
    // Widget tests need no display. Offscreen, two screens: one the window fits on, and a laptop's
    // 1280 x 800 at 150 % to its right.
    QTemporaryFile screens;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        if (!screens.open())
            return 1;
        screens.write(R"({"screens": [{"name": "big", "width": 1600, "height": 1200},
            {"name": "small", "x": 1600, "width": 1280, "height": 800, "logicalDpi": 144, "logicalBaseDpi": 96}]})");
        screens.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
