// The window on screen, driven by the scripts of tests/ui/views (see its README): real widgets,
// real keys and clicks, colours read from the pixels and the keyboard from the focused widget.
#include <gtest/gtest.h>
#include <QtTest>
#include <QtWidgets>

#include "AppFolder.h"
#include "Cases.h"
#include "FrmMainView.h"
#include "Printers.h"
#include "QtDialogs.h"
#include "RunError.h"

namespace {

// The pixel of a widget on screen that scores highest.
QColor most(QWidget* widget, int (*score)(const QColor&)) {
    const QImage image = widget->grab().toImage();
    QColor best = image.pixelColor(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (score(image.pixelColor(x, y)) > score(best))
                best = image.pixelColor(x, y);
    return best;
}
int darkness(const QColor& c) { return -c.lightness(); }
int redness(const QColor& c) { return c.red() - std::max(c.green(), c.blue()); }

QWidget* focused() {
    if (!QApplication::focusWidget())
        throw std::runtime_error("no control has the keyboard");
    return QApplication::focusWidget();
}

// One script's application folder, the main window over it, and its steps.
struct ViewScript {
    QObject* find(const QString& path) const {
        QObject* in = view.get();
        if (path.contains('/'))
            in = view->findChild<QDialog*>(path.section('/', 0, 0));
        QObject* found = in ? in->findChild<QAction*>(path.section('/', -1)) : nullptr;
        if (in && !found)
            found = in->findChild<QWidget*>(path.section('/', -1));
        if (!found)
            throw std::runtime_error(("no control " + path).toStdString());
        return found;
    }
    QWidget* widget(const QString& path) const { return qobject_cast<QWidget*>(find(path)); }
    QTreeView* list() const { return qobject_cast<QTreeView*>(widget("LvAccounts")); }
    QModelIndex cell(int row, int column) const { return list()->model()->index(row, column); }
    QString run(const QString& line) {
        QString value = step(line.section(' ', 0, 0), line.section(' ', 1));
        return value.replace('\r', "\\r").replace('\n', "\\n").replace(app.path(), "$APP");
    }
    QString step(const QString& verb, const QString& rest);
    QString look(const QString& what, QObject* control) const;

    // Answers the real modal dialogs as a person would, and notes each in the transcript.
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal);
            dialog && dialog != chosen && !app.dialogs.files.empty()) {
            chosen = dialog;
            // Typed, as selectFile may lose a name in a folder that is still being read.
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(app.dialogs.files.front().fileName);
            app.dialogs.files.pop_front();
            // As its Save button does, once this turn of the timer is over: a box it opens must find it free.
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            app.dialogs.transcript += box->text() + (whileAsking ? " [" + whileAsking() + "]\n" : "\n");
            box->defaultButton()->click();
        } else if (modal) {
            app.dialogs.transcript += modal->metaObject()->className() + QString('\n');
            modal->close();
        }
    }

    CaseApp app;
    std::unique_ptr<QtDialogs> real;
    QTimer answerer;  // every 10 ms, over the real dialogs
    QFileDialog* chosen = nullptr;
    std::function<QString()> whileAsking;
    std::unique_ptr<FrmMainView> view;
};

QString ViewScript::step(const QString& verb, const QString& rest) {
    const QStringList a = rest.split(' ');
    const QString text = QString(rest.section(' ', 1)).replace("\\r", "\r").replace("\\n", "\n");
    if (verb == "real") {
        real = std::make_unique<QtDialogs>();
        app.windows.reset();
        app.sv = std::make_unique<Services>(*app.mv, *real, app.registry);
        app.windows = std::make_unique<WindowModels>(*app.mv, *app.sv);
        QObject::connect(&answerer, &QTimer::timeout, [this] { answer(); });
        answerer.start(10);
    } else if (verb == "before") {
        Cases::prepare(app, rest);
    } else if (verb == "write") {
        app.write(a[0], text.toUtf8());
    } else if (verb == "store") {
        const QStringList f = QString(rest).replace("$APP", app.path()).split(" | ");
        app.setStore(f.value(0), f.value(1), f.value(2));
    } else if (verb == "answer") {
        app.dialogs.answers.push_back(rest == "Yes" ? MsgAnswer::Yes : MsgAnswer::No);
    } else if (verb == "file") {
        app.dialogs.files.push_back({app.path(rest), QFileInfo(rest).fileName()});
    } else if (verb == "while-asking") {
        whileAsking = [this, rest] {
            QStringList values;
            try {  // nothing may leave a handler of Qt's events
                for (const QString& line : rest.split(" ; "))
                    values << run(line);
            } catch (const std::exception& e) {
                values << e.what();
            }
            return values.join(" ; ");
        };
    } else if (verb == "load" || verb == "font") {
        if (verb == "font")
            QApplication::setFont(QFont(rest));
        view = std::make_unique<FrmMainView>(*app.windows, app.sv->errores);
        if (real)
            real->setParentWindow(view.get(), [this] { view->renderForBox(); });
        if (verb == "load")
            app.main().Form_Load();
        view->render();
        view->show();
        view->activateWindow();
        if (!QTest::qWaitForWindowExposed(view.get()))
            throw std::runtime_error("the window is not shown");
    } else if (verb == "screen") {
        QScreen* screen = QGuiApplication::screens().value(rest.toInt());
        view->hide();
        view->setScreen(screen);
        view->move(screen->geometry().topLeft() + QPoint(300, 100));
        view->show();
    } else if (verb == "keys") {
        for (const QString& key : a)
            QTest::keyClick(focused(), QKeySequence(key)[0].key(), QKeySequence(key)[0].keyboardModifiers());
    } else if (verb == "type") {
        for (const QChar c : rest)
            QTest::keyClick(focused(), c.toLatin1());
    } else if (verb == "click") {
        if (auto* action = qobject_cast<QAction*>(find(rest)))
            action->trigger();
        else if (auto* button = qobject_cast<QAbstractButton*>(find(rest)))
            button->click();
        else
            QTest::mouseClick(widget(rest), Qt::LeftButton);
    } else if (verb == "set") {
        find(a[0])->setProperty(qobject_cast<QPlainTextEdit*>(find(a[0])) ? "plainText" : "text", text);
    } else if (verb == "double-click" && !a[0].front().isDigit()) {
        QTest::mouseDClick(widget(rest), Qt::LeftButton);
    } else if (verb == "cell" || verb == "double-click") {
        // As a mouse makes a double click: click, press, double click, release.
        const QPoint at = list()->visualRect(cell(a[0].toInt(), a.value(1).toInt())).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        if (verb == "double-click") {
            QTest::mousePress(list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, at);
        }
    } else if (verb == "header") {
        QTest::mouseClick(list()->header()->viewport(), Qt::LeftButton, {},
                          QPoint(list()->header()->sectionViewportPosition(rest.toInt()) + 5, 5));
    } else if (verb == "rename") {
        // Types a name into the real editor, which hands it over once events are processed.
        list()->edit(list()->currentIndex().siblingAtColumn(0));
        QPointer<QLineEdit> editor = list()->findChild<QLineEdit*>();
        if (!editor)
            throw std::runtime_error("no editor");
        editor->selectAll();
        QTest::keyClicks(editor, rest);
        QTest::keyClick(editor, Qt::Key_Return);
        (void)QTest::qWaitFor([&] { return !editor || !editor->isVisible(); });
    } else if (verb == "throw") {
        view->forward([&] {
            app.main().LblCode.Caption = rest;
            if (rest == "run-error")
                throw RunError{RunError::FileNotFound, "File not found"};
            if (rest == "exception")
                throw std::runtime_error("boom");
            throw 7;
        });
    } else if (verb == "focus") {
        QWidget *window = QApplication::activeWindow(), *control = QApplication::focusWidget();
        return (window ? window->objectName() : "none") + '/' + (control ? control->objectName() : "none");
    } else if (verb == "tab") {
        QStringList walked{focused()->objectName()};
        for (int i = 0; i < rest.toInt(); ++i) {
            QTest::keyClick(focused(), Qt::Key_Tab);
            walked << focused()->objectName();
        }
        return walked.join(' ');
    } else if (verb == "rows") {
        QStringList rows;
        for (int row = 0; row < list()->model()->rowCount(); ++row)
            rows << cell(row, 0).data().toString() + (list()->selectionModel()->isRowSelected(row, {}) ? "*" : "");
        return rows.join(' ');
    } else if (verb == "columns") {
        QStringList columns;
        for (int column = 0; column < list()->model()->columnCount(); ++column) {
            const QVariant mark = list()->model()->headerData(column, Qt::Horizontal, Qt::DecorationRole);
            const QImage image = mark.value<QIcon>().pixmap(11).toImage();
            QString value = mark.isNull() ? "-" : qAlpha(image.pixel(2, 8)) > qAlpha(image.pixel(2, 2)) ? "up" : "down";
            if (!cell(0, column).data(Qt::ToolTipRole).isNull())
                value += " tip";
            list()->edit(list()->currentIndex().siblingAtColumn(column));
            if (QPointer<QLineEdit> editor = list()->findChild<QLineEdit*>()) {
                value += " editor";
                QTest::keyClick(editor, Qt::Key_Escape);
                (void)QTest::qWaitFor([&] { return !editor; });
            }
            columns << value;
        }
        return columns.join(" | ");
    } else if (verb == "editor") {
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        return list()->findChild<QLineEdit*>() ? "open" : "none";
    } else if (verb == "close") {
        return view->close() ? "closed" : "stays open";
    } else if (verb == "said") {
        QStringList lines = app.dialogs.transcript.split('\n', Qt::SkipEmptyParts);
        app.dialogs.transcript.clear();
        for (QString& line : lines)
            line = line.trimmed();
        return lines.isEmpty() ? "nothing" : lines.join(" / ");
    } else if (verb == "read") {
        return app.read(rest);
    } else if (verb == "fits") {
        QStringList values{view->screen()->availableGeometry().contains(view->frameGeometry()) ? "inside" : "outside"};
        for (const QString& name : a) {
            qobject_cast<QScrollArea*>(view->centralWidget())->ensureWidgetVisible(widget(name));
            values << (widget(name)->visibleRegion().boundingRect() == widget(name)->rect() ? "whole" : "cut");
        }
        return values.join(' ');
    } else if (verb == "gaps") {
        QStringList values;
        for (int i = 0; i + 1 < a.size(); i += 2) {
            auto* caption = qobject_cast<QLabel*>(widget(a[i]));
            const int start = caption->x() + caption->fontMetrics().horizontalAdvance(caption->text() + ' ');
            values << (widget(a[i + 1])->x() >= start ? "blank" : "too close");
        }
        return values.join(' ');
    } else if (verb == "speechless") {
        QStringList names;
        for (QWidget* w : view->findChildren<QWidget*>())
            if ((qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                 qobject_cast<QPlainTextEdit*>(w)) &&
                w->isVisibleTo(view.get()) && !w->objectName().isEmpty() && w->accessibleName().isEmpty())
                names << w->objectName();
        return names.isEmpty() ? "none" : names.join(' ');
    } else {
        QStringList values;
        for (const QString& name : a)
            values << look(verb, find(name));
        return values.join(" | ");
    }
    return {};
}

QString ViewScript::look(const QString& what, QObject* control) const {
    auto* w = qobject_cast<QWidget*>(control);
    if (what == "state")
        return QStringList{"clear", "greyed", "ticked"}.value(qobject_cast<QCheckBox*>(w)->checkState());
    if (what == "colour") {
        // The background: the right end, past any caption.
        const QColor colour = w->grab().toImage().pixelColor(w->width() - 5, w->height() / 2);
        return colour == QApplication::palette().color(QPalette::Button) ? "face" : colour.name();
    }
    if (what == "ink") {
        // Greyed as disabled text is, or dark.
        const int grey = view->palette().color(QPalette::Disabled, QPalette::WindowText).lightness();
        const int darkest = most(w, darkness).lightness();
        return darkest >= grey - 8 ? "grey" : darkest < grey - 40 ? "dark" : "between";
    }
    if (what == "red") {
        const int red = redness(most(w, redness));
        return red > 150 ? "red" : red < 40 ? "not red" : "reddish";
    }
    const QVariant value = control->property(qPrintable(what));
    if (!value.isValid())
        throw std::runtime_error(("unknown step " + what).toStdString());
    return value.toString();
}

class ViewTest : public ::testing::TestWithParam<QString> {};

TEST_P(ViewTest, ShowsWhatTheScriptExpects) {
    const QString path = QStringLiteral(VIEWS_DIR) + '/' + GetParam();
    const QFont font = QApplication::font();
    const QStringList lines = QString(readFile(path)).split('\n');
    ViewScript script;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty() || lines[i].startsWith('#'))
            continue;
        const int at = lines[i].indexOf(" = ");
        const bool wait = lines[i].startsWith("wait ");
        const QString line = lines[i].left(at).mid(wait ? 5 : 0), expected = lines[i].mid(at + 3);
        const QRegularExpression wanted(
            QRegularExpression::anchoredPattern(QRegularExpression::escape(expected).replace("\\.\\.\\.", ".*")));
        QString value;
        try {
            if (!(wait && QTest::qWaitFor([&] { return wanted.match(value = script.run(line)).hasMatch(); }, 20000)))
                value = script.run(line);
        } catch (const std::exception& e) {
            ADD_FAILURE_AT(qPrintable(path), i + 1) << e.what();
            break;
        }
        if (at >= 0 && !wanted.match(value).hasMatch())
            ADD_FAILURE_AT(qPrintable(path), i + 1)
                << "expected: " << qPrintable(expected) << "\n  actual:   " << qPrintable(value);
    }
    EXPECT_EQ(script.run("said"), "nothing") << "every box shown is looked at";
    QApplication::setFont(font);
}

INSTANTIATE_TEST_SUITE_P(
    , ViewTest, ::testing::ValuesIn(QDir(VIEWS_DIR).entryList({"*.txt"}, QDir::Files, QDir::Name)),
    [](const auto& info) { return QString(info.param).chopped(4).replace('-', '_').toStdString(); });

}  // namespace

int main(int argc, char** argv) {
    // Widget tests need no display. Offscreen, two screens (views/screens.json): one the window
    // fits on, and a laptop's 1280 x 800 at 150 % to its right.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VIEWS_DIR "/screens.json");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
