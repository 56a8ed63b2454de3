#pragma once

#include "WindowDisplay.h"

// The display the services are given when they are built: it shows nothing until the window
// models, built after them, hand it the window's controls (and take them back when they go).
class DisplayRelay : public WindowDisplay {
public:
    void setTarget(WindowDisplay* target) { target_ = target ? target : &nothing_; }

    void showComment(const QString& comment) override { target_->showComment(comment); }
    void showActive(const QString& name) override { target_->showActive(name); }
    void showNotStored(const QString& warning) override { target_->showNotStored(warning); }
    void showNoActive() override { target_->showNoActive(); }
    void Botones() override { target_->Botones(); }

private:
    WindowDisplay nothing_;
    WindowDisplay* target_ = &nothing_;
};
