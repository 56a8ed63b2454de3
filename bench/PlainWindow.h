#pragma once

#include <memory>

#include "BenchWindow.h"

class PlainTableModel;

// The floor of the main window: a plain QTreeView over PlainTableModel, F2 reading the file
// again and a click on the name header sorting it.
class PlainWindow : public BenchWindow {
public:
    explicit PlainWindow(const QString& databasePath);
    ~PlainWindow() override;

    bool refresh() override;
    bool deleteSelected() override;
    void close() override;
    QWidget* window() override { return view_.get(); }
    QTreeView* list() override { return view_.get(); }

protected:
    void load() override;

private:
    std::unique_ptr<QTreeView> view_;
    PlainTableModel* model_;
};
