// The window benchmarks' steps, in the program's window and in its floor: each one has to show
// its result on the screen, or its time measures nothing.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "BenchFolder.h"
#include "ScriptedDialogs.h"
#include "FileBytes.h"
#include "GeneratedDatabase.h"
#include "PlainWindow.h"
#include "RealWindow.h"

namespace {

constexpr int kAccounts = 400;

struct WindowCase {
    const char* name;
    std::function<std::unique_ptr<BenchWindow>(const QString& folder, Dialogs& dialogs)> make;
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }

class BenchWindowSteps : public ::testing::TestWithParam<WindowCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(BenchFolder::prepare(dir_.path(), generated_));
        window_ = GetParam().make(dir_.path(), dialogs_);
        ASSERT_TRUE(window_->start());
    }
    void TearDown() override {
        if (window_)
            window_->close();
        EXPECT_EQ(dialogs_.messages, 0) << dialogs_.lastMessage.toStdString();
    }
    QString cell(int row, int column) { return window_->list()->model()->index(row, column).data().toString(); }

    GeneratedDatabase generated_{kAccounts};
    QTemporaryDir dir_;
    DefaultDialogs dialogs_;
    std::unique_ptr<BenchWindow> window_;
};

TEST_P(BenchWindowSteps, EachStepPaintsItsResult) {
    QTreeView* list = window_->list();
    ASSERT_EQ(list->model()->rowCount(), kAccounts);

    ASSERT_TRUE(window_->clickRow());
    const int clicked = list->currentIndex().row();
    ASSERT_TRUE(window_->clickRow());
    EXPECT_NE(list->currentIndex().row(), clicked) << "a second click selects another row";

    const QImage before = list->viewport()->grab().toImage();
    const int top = window_->topRow();
    ASSERT_TRUE(window_->pageDown());
    EXPECT_GT(window_->topRow(), top);
    EXPECT_NE(list->viewport()->grab().toImage(), before);

    const int paints = window_->paints();
    ASSERT_TRUE(window_->refresh());
    EXPECT_GT(window_->paints(), paints);
    EXPECT_EQ(list->model()->rowCount(), kAccounts);

    const QString first = cell(0, 0);
    ASSERT_TRUE(window_->sortByName());
    EXPECT_NE(cell(0, 0), first) << "the click on the name header sorts the list again";

    ASSERT_TRUE(window_->clickRow());
    const QString deleted = cell(list->currentIndex().row(), 1);
    ASSERT_TRUE(window_->deleteSelected());
    EXPECT_EQ(list->model()->rowCount(), kAccounts - 1);
    EXPECT_FALSE(readFile(BenchFolder::databasePath(dir_.path())).contains("\r\n" + deleted.toLatin1() + "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Windows, BenchWindowSteps,
    ::testing::Values(
        WindowCase{"Program", [](const QString& folder,
                                 Dialogs& dialogs) { return std::make_unique<RealWindow>(folder, dialogs); }},
        WindowCase{"Plain", [](const QString& folder,
                               Dialogs&) { return std::make_unique<PlainWindow>(BenchFolder::databasePath(folder)); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
