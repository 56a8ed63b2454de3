#pragma once

#include <QDialog>

class frmAbout;
class EventForwarder;
class QDialogButtonBox;
class QLabel;
struct Label;

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
    // A word-wrapped plain-text label showing `model`.
    QLabel* addLabel(const char* name, const Label& model);
    // The program's title, large and bold, and its version beneath.
    void buildTitles();
    // The two labels that act as links.
    void buildLinks();
    QDialogButtonBox* buildButtons();

    frmAbout& model_;
    EventForwarder& main_;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* label1_;
    QLabel* label2_;
};
