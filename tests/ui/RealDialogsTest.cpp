#include <gtest/gtest.h>
#include <QtTest>
#include <QtWidgets>

#include "AppFolder.h"
#include "FileTexts.h"
#include "FrmMainView.h"
#include "Keyboard.h"
#include "Printers.h"
#include "ProgramBoxes.h"
#include "QtDialogs.h"
#include "forms/Frm_Add.h"

namespace {

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
    EXPECT_EQ(dialog->findChild<QLineEdit*>("TxtNombre")->text(), "Named");
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
    EXPECT_EQ(answerer.seen.value(0), ProgramBoxes::NewAccountFound.text);
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
    EXPECT_EQ(answerer.seen.value(0), ProgramBoxes::ConfirmActivation.text);
    EXPECT_FALSE(editorOpened);
}

}  // namespace
