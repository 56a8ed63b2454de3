#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "AppFolder.h"
#include "FileTexts.h"
#include "FrmMainView.h"
#include "Keyboard.h"
#include "Printers.h"
#include "QtDialogs.h"
#include "forms/Frm_Add.h"

namespace {

// Answers the modal dialogs that real dialogs show, from a 10 ms timer, as a person would: a file
// dialog by choosing `file` once, a message box by its default button. Everything else, a file
// dialog still open included, is closed, and everything answered or closed is noted.
class ModalAnswerer {
public:
    explicit ModalAnswerer(const QString& file = {}) : file_(file) {
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
            files->selectFile(file_);
            // As its Save button does, once this turn of the timer is over: a box it opens must find it free.
            QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen << box->text();
            box->defaultButton()->click();
        } else if (modal) {
            seen << modal->metaObject()->className();
            modal->close();
        }
    }
    QString file_;
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

// After a check of the manual add dialog has refused, the dialog has the keyboard again, in the
// box the check names or, when it names none, where it was; the main window has it again once
// the dialog has closed.
TEST(RealDialogs, TheAddDialogTakesTheKeyboardBackAfterARefusal) {
    AppFolder app;
    app.write("Accounts.dat", DatabaseText().account("alpha", "c-a", "s-a"));
    app.setStore("c-a", "s-a");
    QtDialogs dialogs;
    Mod_Variables mv(QDir(app.path("")).absolutePath(), dialogs, app.registry);
    WindowModels windows(mv);
    FrmMainView view(mv);
    dialogs.setParentWindow(&view);
    mv.main().Form_Load();
    view.render();
    view.show();
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

}  // namespace
