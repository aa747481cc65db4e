#include "ui/WindowThreadWait.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace {

bool isUserInput(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

}  // namespace

struct WindowThreadWait::Pending {
    QEventLoop* loop = nullptr;
    bool done = false;
};

WindowThreadWait::WindowThreadWait(QObject* parent) : QObject(parent) {}

WindowThreadWait::~WindowThreadWait()
{
    cancel();
}

bool WindowThreadWait::wait(std::chrono::milliseconds duration)
{
    if (cancelled)
        return false;
    QEventLoop loop;
    Pending pending{&loop};
    bool elapsed = false;
    QElapsedTimer clock;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    // A timer may fire a little early; the pause is never shorter than asked.
    connect(&timer, &QTimer::timeout, &loop, [&] {
        const auto left = duration - std::chrono::milliseconds(clock.elapsed());
        if (left > std::chrono::milliseconds::zero()) {
            timer.start(left);
            return;
        }
        elapsed = true;
        finish(pending);
    });

    if (active++ == 0) {
        qApp->installEventFilter(this);
        QApplication::setOverrideCursor(Qt::BusyCursor);
    }
    waits.push_back(&pending);
    clock.start();
    timer.start(duration);
    loop.exec();
    finish(pending);  // also when the application quit the loop
    waits.erase(std::find(waits.begin(), waits.end(), &pending));
    return elapsed && !cancelled;
}

void WindowThreadWait::finish(Pending& pending)
{
    if (pending.done)
        return;
    pending.done = true;
    pending.loop->quit();
    // Input comes back as soon as the time is up, even while something
    // opened meanwhile (a message box) still runs a loop of its own.
    if (--active == 0) {
        QApplication::restoreOverrideCursor();
        qApp->removeEventFilter(this);
    }
}

void WindowThreadWait::cancel()
{
    cancelled = true;
    for (Pending* pending : waits)
        finish(*pending);
}

bool WindowThreadWait::eventFilter(QObject* watched, QEvent* event)
{
    if (active > 0 && isUserInput(event))
        return true;
    // The user's close button waits for the sequence; a close the program
    // asks for (not spontaneous) goes through and cancels the wait.
    if (active > 0 && event->type() == QEvent::Close && event->spontaneous()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
