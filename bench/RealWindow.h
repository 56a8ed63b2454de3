#pragma once

#include <memory>

#include "BenchWindow.h"

class Dialogs;
class FrmMainView;
class Mod_Variables;
class RegistryFile;
class Services;
class WindowModels;

// The program's main window over an application folder, set up as main() sets it up (the
// settings store being the folder's GameSettings.reg).
class RealWindow : public BenchWindow {
public:
    RealWindow(const QString& folder, Dialogs& dialogs);
    ~RealWindow() override;

    bool refresh() override;
    bool deleteSelected() override;
    // As the program ends: the window closed and the model's unload; the accounts are not freed.
    void close() override;
    QWidget* window() override;
    QTreeView* list() override;
    int accounts() const;

protected:
    void load() override;

private:
    bool key(Qt::Key key);

    std::unique_ptr<RegistryFile> registry_;
    std::unique_ptr<Mod_Variables> mv_;
    std::unique_ptr<Services> sv_;
    std::unique_ptr<WindowModels> windows_;
    std::unique_ptr<FrmMainView> view_;
};
