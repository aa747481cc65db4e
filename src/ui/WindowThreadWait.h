#pragma once
// Waits on the window thread without freezing the window. A sequence that
// must pause between two steps (latch reset, sleep entry, test-mode entry)
// calls wait(): a local event loop runs for the time, so the window keeps
// painting, timers fire and replies handed over from the dispatch thread
// are shown, while user input to every window of the application is shut
// out (and a busy cursor shows), so no second action can start meanwhile.
//
// Window thread only. Waits may nest; input stays shut out until the time
// of the last one is up (also if a box opened meanwhile is still shown). A
// user's close request waits too; a close by the program (a signal, a
// script) goes through and the window's shutdown calls cancel().

#include <QObject>

#include <chrono>
#include <vector>

class WindowThreadWait : public QObject {
public:
    explicit WindowThreadWait(QObject* parent = nullptr);
    ~WindowThreadWait() override;

    // Keeps the event loop running for duration. True when the whole time
    // passed; false when cancel() (or the application quitting) ended it
    // early: the sequence should stop there.
    bool wait(std::chrono::milliseconds duration);

    // Ends every running wait early; later waits return false at once.
    void cancel();

    bool isWaiting() const { return active > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Pending;
    void finish(Pending& pending);

    std::vector<Pending*> waits;
    int active = 0;  // waits whose time is not up yet
    bool cancelled = false;
};
