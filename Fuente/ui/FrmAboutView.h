#pragma once

#include <QDialog>

class frmAbout;
class FrmMainView;
class Mod_Variables;
class QLabel;

// The About dialog, shown without waiting while the main window is disabled.
class FrmAboutView : public QDialog {
    Q_OBJECT
public:
    FrmAboutView(Mod_Variables& mv, FrmMainView& main);

    void render();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    frmAbout& model_;
    FrmMainView& main_;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* label1_;
    QLabel* label2_;
};
