#pragma once

#include <QDialog>

class frmAbout;
class EventForwarder;
class QLabel;

// The About dialog, shown without waiting while the main window is disabled.
class FrmAboutView : public QDialog {
    Q_OBJECT
public:
    // A dialog of `parent`, which runs its events.
    FrmAboutView(frmAbout& model, QWidget& parent, EventForwarder& main);

    void render();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    frmAbout& model_;
    EventForwarder& main_;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* label1_;
    QLabel* label2_;
};
