#pragma once

#include <memory>

#include "BenchWindow.h"

class PlainTableModel;

// The floor of the main window: a plain QTreeView over PlainTableModel, F2 reading the file
// again and a click on the name header sorting it. Its deletion writes onto the disk as the
// program does; deleteWithoutSync is the floor without that.
class PlainWindow : public BenchWindow {
public:
    explicit PlainWindow(const QString& databasePath);
    ~PlainWindow() override;

    bool refresh() override;
    bool deleteSelected() override;
    // Deletes the selected account (the top row's when none is selected) without syncing.
    bool deleteWithoutSync();
    // Closes the window; as the program leaves its accounts to the system at exit, the rows are
    // not freed.
    void close() override;
    QWidget* window() override { return view_.get(); }
    QTreeView* list() override { return view_.get(); }

protected:
    void load() override;

private:
    std::unique_ptr<QTreeView> view_;
    PlainTableModel* model_;
};
