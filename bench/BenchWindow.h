#pragma once

#include <QTreeView>
#include <QWidget>

// A window with the account list that the window benchmarks drive: the program's own main
// window or its floor, a plain Qt window with the same list. Every step is made with the
// keyboard and the mouse on the real widgets, and returns once the list has painted its result.
class BenchWindow {
public:
    virtual ~BenchWindow();

    // Loads the database, shows the window and waits until it is exposed and the list painted.
    // False when the window did not come up.
    bool start();
    // F2: the database read again and shown.
    virtual bool refresh() = 0;
    // A click on the list's fifth visible row (the sixth when the fifth is the current one).
    bool clickRow();
    bool pageDown();
    // A click on the name column's header.
    bool sortByName();
    // Deletes the selected account.
    virtual bool deleteSelected() = 0;
    // Closes the window and frees everything behind it.
    virtual void close() = 0;

    virtual QWidget* window() = 0;
    virtual QTreeView* list() = 0;
    // The first row the list shows, and how many times it has painted.
    int topRow();
    int paints() const { return paints_; }

protected:
    virtual void load() = 0;
    // Runs `input` and waits (10 s at most) until the list has painted again.
    template <typename Input>
    bool paintedAfter(Input&& input) {
        const int before = paints_;
        input();
        return waitForPaint(before);
    }
    // Counts the list's paints; called once the list exists.
    void watchPaints();

private:
    bool waitForPaint(int before);
    int paints_ = 0;
};
