#include "QtDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>

#include "RunError.h"

#ifdef Q_OS_WIN
#include "GameProcess.h"
#endif

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(MsgAnswer answer) {
    return answer == MsgAnswer::Yes ? QMessageBox::Yes : answer == MsgAnswer::No ? QMessageBox::No : QMessageBox::Ok;
}

// The name as the person reads it: the dialogs give "/" on every platform.
FileChoice choice(const QString& fileName) {
    return {QDir::toNativeSeparators(fileName), fileName.isEmpty() ? QString() : QFileInfo(fileName).fileName()};
}

// Gives the keyboard back, once a box has closed, to the control that had it before: the
// window the box belonged to would otherwise give it to the first control of its focus chain,
// or, where nothing activates that window again, to none.
class FocusKeeper {
public:
    FocusKeeper() : focused_(QApplication::focusWidget()) {}
    ~FocusKeeper() {
        if (!focused_ || !focused_->isVisible() || !focused_->isEnabled())
            return;
        focused_->activateWindow();
        focused_->setFocus();
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    QPointer<QWidget> focused_;
};

// One line on standard error: the box's title, its text on lines of their own, and what was answered.
void tell(const QString& title, const QString& text, const char* answer = nullptr) {
    QString line = title + QStringLiteral(": ") + QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (answer)
        line += QStringLiteral("\n-> ") + QLatin1String(answer) + QStringLiteral(" (no display to ask on)");
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

}  // namespace

QWidget* QtDialogs::owner() const {
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : parent_.data();
}

void QtDialogs::showState() const {
    if (showState_)
        showState_();
}

MsgAnswer QtDialogs::showMessage(const MessageBoxSpec& box) {
    showState();
    QMessageBox message(qtIcon(box.icon), box.title, box.text,
                        box.buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                        owner());
    const FocusKeeper focus;
    message.setTextFormat(Qt::PlainText);
    message.setDefaultButton(qtButton(box.defaultButton));
    const int pressed = message.exec();
    if (box.buttons == MsgButtons::OK)
        return MsgAnswer::OK;
    return pressed == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

QString QtDialogs::InputBox(const QString& prompt, const QString& title, const QString& preset) {
    showState();
    const FocusKeeper focus;
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), title, prompt, QLineEdit::Normal, preset, &ok);
    return ok ? text : QString();
}

QString QtDialogs::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(QLatin1Char(';')).join(QLatin1Char(' '));
        filters << (parts[i].contains(QLatin1Char('(')) ? parts[i] : parts[i] + " (" + patterns + ')');
    }
    return filters.join(QStringLiteral(";;"));
}

FileChoice QtDialogs::ShowOpen(const QString& filter, const QString& initialName) {
    const FocusKeeper focus;
    return choice(QFileDialog::getOpenFileName(owner(), QString(), initialName, qtFilter(filter)));
}

FileChoice QtDialogs::ShowSave(const QString& filter, const QString& initialName) {
    const FocusKeeper focus;
    // The caller asks about an existing file itself, when it wishes to.
    return choice(QFileDialog::getSaveFileName(owner(), QString(), initialName, qtFilter(filter), nullptr,
                                               QFileDialog::DontConfirmOverwrite));
}

void QtDialogs::SetClipboard(const QString& text) { QApplication::clipboard()->setText(text); }

void QtDialogs::Beep() { QApplication::beep(); }

void QtDialogs::OpenLink(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }

void QtDialogs::StartProgram(const QString& program, const QString& arguments, const QString& workingFolder,
                             Show show) {
#ifdef Q_OS_WIN
    const win32::Status status = win32::startProgram(program.toStdWString(), arguments.toStdWString(),
                                                     QDir::toNativeSeparators(workingFolder).toStdWString(),
                                                     show == Show::Minimized);
    if (!status.ok())
        throw RunError::fromWindows(status.code, QString::fromStdWString(status.message) + ": " + program);
#else
    Q_UNUSED(show)  // the desktop decides how a new window shows
    // A Windows program that is not executable here is started through Wine.
    QString executable = program;
    QStringList argumentList = QProcess::splitCommand(arguments);
    if (!QFileInfo(program).isExecutable()) {
        executable = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (executable.isEmpty())
            throw RunError{RunError::FileNotFound, "File not found: wine, which starts " + program};
        argumentList.prepend(program);
    }
    if (!QProcess::startDetached(executable, argumentList, workingFolder))
        throw RunError{RunError::PathFileAccess, "Path/File access error: cannot start " + program};
#endif
}

MsgAnswer UnseenDialogs::showMessage(const MessageBoxSpec& box) {
    if (box.buttons == MsgButtons::OK) {
        tell(box.title, box.text);
        return MsgAnswer::OK;
    }
    tell(box.title, box.text, "No");
    return MsgAnswer::No;
}

QString UnseenDialogs::InputBox(const QString& prompt, const QString& title, const QString&) {
    tell(title, prompt, "Cancel");
    return {};
}

FileChoice UnseenDialogs::ShowOpen(const QString&, const QString&) { return {}; }

FileChoice UnseenDialogs::ShowSave(const QString&, const QString&) { return {}; }
