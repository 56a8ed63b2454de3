#include <gtest/gtest.h>
#include <QtTest>
#include <QtWidgets>

#include "AppFolder.h"
#include "FileTexts.h"
#include "FrmMainView.h"
#include "Keyboard.h"
#include "Printers.h"
#include "ProgramBoxes.h"
#include "RunError.h"
#include "forms/Frm_Add.h"

namespace {

const QByteArray kDatabase =
    DatabaseText().account("Zed", "c-z", "s-z", "zed's\r\ncomment\r\n").account("alpha", "c-a", "s-a");

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
    template <class W>
    W* find(const char* name) {
        W* widget = view.findChild<W*>(QLatin1String(name));
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

TEST_F(FrmMainViewTest, TheClientAreaIsFixedAndEveryControlIsNamed) {
    EXPECT_EQ(view.centralWidget()->size(), QSize(967, 456));
    EXPECT_FALSE(view.windowFlags() & Qt::WindowMaximizeButtonHint);
    for (QWidget* widget : view.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QTreeView*>(widget) ||
                             qobject_cast<QPlainTextEdit*>(widget);
        if (control && widget->isVisibleTo(&view) && !widget->objectName().isEmpty()) {
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
        }
    }
}

// The keyboard starts on the account list (a Space there ticks no option); Tab walks the controls
// in their order, past the disabled ones, and comes round again.
TEST_F(FrmMainViewTest, TheKeyboardStartsOnTheListAndTabFollowsTheOrder) {
    ASSERT_TRUE(becomesActive(&view));
    QStringList walked{QApplication::focusWidget()->objectName()};
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(walked,
              (QStringList{"LvAccounts", "TxtComentarios", "CmdEdit", "ChkActivation", "ChkDeletion", "LvAccounts"}));
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

    app.dialogs.expect(ProgramBoxes::DeleteAccount("c-a"), MsgAnswer::Yes);
    find<QToolButton>("Toolbar1_DELETE")->click();
    EXPECT_EQ(list()->model()->rowCount(), 1);
    EXPECT_EQ(app.read("Accounts.dat.bak"), kDatabase);
}

// No exception may cross Qt's event loop: the view reports what a handler let through and goes on.
TEST_F(FrmMainViewTest, AFailureLeavingAHandlerIsReportedToTheWindowsLog) {
    const struct {
        std::function<void()> fail;
        QString description;
        int number;
    } cases[] = {
        {[] {
             throw RunError{RunError::FileNotFound, "File not found"};
         },
         "File not found", 53},
        {[] { throw std::runtime_error("boom"); }, "Internal error: boom", 51},
        {[] { throw 7; }, "Internal error", 51},
    };
    const QString log = app.logPath("Frm_Main.log");
    for (const auto& c : cases) {
        app.dialogs.expect(ScriptedDialogs::errorBox(c.description, log));
        view.forward([&] {
            app.main().LblCode.Caption = c.description;
            c.fail();
        });
        EXPECT_EQ(find<QLabel>("LblCode")->text(), c.description) << "the window is shown again";
        const QByteArray report = "[" + QByteArray::number(c.number) + "]: " + c.description.toLatin1();
        EXPECT_TRUE(app.read("Logs/Frm_Main.log").contains(report + "\r\n       main.event"));
    }
    EXPECT_FALSE(view.ended());
}

TEST_F(FrmMainViewTest, RenderingFollowsTheModel) {
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
    app.dialogs.expect(ProgramBoxes::NewAccountFound, MsgAnswer::No);
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
            auto* label = other.findChild<QLabel*>(caption);
            EXPECT_GE(other.findChild<QLabel*>(value)->x(),
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
    auto* cancel = other.findChild<QPushButton*>("CmdCancelar");
    qobject_cast<QScrollArea*>(other.centralWidget())->ensureWidgetVisible(cancel);
    EXPECT_EQ(cancel->visibleRegion().boundingRect(), cancel->rect());
    other.close();
    EXPECT_TRUE(becomesActive(&view));  // the next test's boxes open on the first screen
}

TEST_F(FrmMainViewTest, TheAddDialogDisablesTheMainWindowUntilItCloses) {
    entry("MnuAdd")->trigger();
    auto* dialog = view.findChild<QDialog*>(Frm_Add::Name);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_FALSE(view.centralWidget()->isEnabled());
    EXPECT_FALSE(view.close()) << "the disabled window stays open";
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_TRUE(view.centralWidget()->isEnabled());
    EXPECT_EQ(focusOnceActive(), list()) << "the keyboard is back where it was";

    entry("MnuAdd")->trigger();
    dialog->findChild<QLineEdit*>("TxtNombre")->setText("Manual");
    dialog->findChild<QLineEdit*>("TxtCodigo")->setText("c-m");
    dialog->findChild<QLineEdit*>("TxtFirma")->setText("s-m");
    dialog->findChild<QPlainTextEdit*>("TxtComentarios")->setPlainText("one\ntwo");
    app.dialogs.expect(ProgramBoxes::AddedActivate, MsgAnswer::No);
    dialog->findChild<QPushButton*>("CmdAdd")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(view.centralWidget()->isEnabled());
    EXPECT_EQ(focusOnceActive(), list());
    EXPECT_TRUE(
        app.read("Accounts.dat").endsWith("Manual\r\nc-m\r\ns-m\r\n<COMENTARIO>\r\none\r\ntwo\r\n</COMENTARIO>\r\n"));
    EXPECT_EQ(list()->model()->rowCount(), 3);
}

TEST_F(FrmMainViewTest, TheShortcutDialogIsModalAndWritesALauncher) {
    entry("Shortcut")->trigger();
    auto* dialog = view.findChild<QDialog*>("Frm_ShortCut");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(dialog->findChild<QLineEdit*>("TxtIP(4)")->text(), "2302");
    EXPECT_FALSE(dialog->findChild<QLineEdit*>("TxtIP(0)")->isEnabled());
    // However the focus comes into an address box, its text is selected, so typing replaces it.
    ASSERT_TRUE(becomesActive(dialog));
    dialog->findChild<QCheckBox*>("ChkAutoConnect")->click();
    EXPECT_TRUE(dialog->findChild<QLineEdit*>("TxtIP(0)")->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), dialog->findChild<QLineEdit*>("TxtIP(0)"));
    EXPECT_EQ(dialog->findChild<QLineEdit*>("TxtIP(0)")->selectedText(), "127");
    type("192.168.1.10");
    QStringList address;
    for (int i = 0; i < 5; ++i) {
        auto* box = dialog->findChild<QLineEdit*>(QString("TxtIP(%1)").arg(i));
        address << box->text() + '/' + QString::number(box->maxLength());
    }
    EXPECT_EQ(address, (QStringList{"192/3", "168/3", "1/3", "10/3", "2302/5"}));
    // Tab walks every control once and comes round to the name.
    dialog->findChild<QLineEdit*>("TxtNombre")->setFocus();
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 13; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(walked.join(' '), "TxtNombre TxtPath CmdPath ChkWindowed ChkAutoConnect TxtIP(0) TxtIP(1) TxtIP(2) "
                                "TxtIP(3) TxtIP(4) ChkOverwrite CmdOk CmdCancel TxtNombre");
    QTest::mouseClick(dialog->findChild<QLineEdit*>("TxtIP(4)"), Qt::LeftButton);
    type("2303");
    EXPECT_EQ(dialog->findChild<QLineEdit*>("TxtIP(4)")->text(), "2303") << "a click selects too";

    app.mkdir("links");
    app.dialogs.files.push_back({app.path("links/Quick.desktop"), "Quick.desktop"});
    dialog->findChild<QPushButton*>("CmdPath")->click();
    EXPECT_EQ(dialog->findChild<QLineEdit*>("TxtNombre")->text(), "Quick");
    app.dialogs.expect({"Shortcut Quick Created at " + app.path("links/"), {}, MsgButtons::OK, MsgIcon::Exclamation});
    dialog->findChild<QPushButton*>("CmdOk")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(app.read("links/Quick.desktop").contains("/A=c-a /S=192.168.1.10:2303"));
}

// While it is open the main window, the "Account in use:" frame whole, looks disabled and cannot
// be closed.
TEST_F(FrmMainViewTest, TheAboutDialogClosesWithEnterOrEscape) {
    const char* const labels[] = {"Label2", "LblName", "Label6", "LblCode", "Label4", "LblSignature"};
    const int grey = view.palette().color(QPalette::Disabled, QPalette::WindowText).lightness();
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        ASSERT_TRUE(becomesActive(&view));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        auto* dialog = view.findChild<QDialog*>("frmAbout");
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->isModal());
        EXPECT_FALSE(view.centralWidget()->isEnabled());
        EXPECT_FALSE(view.close()) << "the disabled window stays open";
        EXPECT_TRUE(dialog->isVisible());
        for (const char* label : labels)
            EXPECT_GE(most(find<QLabel>(label), darkness).lightness(), grey - 8) << label;
        QTest::keyClick(dialog, Qt::Key(key));
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_TRUE(view.centralWidget()->isEnabled());
        EXPECT_LT(most(find<QLabel>("LblCode"), darkness).lightness(), grey - 40);
        EXPECT_EQ(focusOnceActive(), list()) << "the keyboard is back on the list";
    }
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
