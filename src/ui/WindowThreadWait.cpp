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
        loop.quit();
    });

    if (loops.empty()) {
        qApp->installEventFilter(this);
        QApplication::setOverrideCursor(Qt::BusyCursor);
    }
    loops.push_back(&loop);
    clock.start();
    timer.start(duration);
    loop.exec();
    loops.erase(std::find(loops.begin(), loops.end(), &loop));
    if (loops.empty()) {
        QApplication::restoreOverrideCursor();
        qApp->removeEventFilter(this);
    }
    return elapsed && !cancelled;
}

void WindowThreadWait::cancel()
{
    cancelled = true;
    for (QEventLoop* loop : loops)
        loop->quit();
}

bool WindowThreadWait::eventFilter(QObject* watched, QEvent* event)
{
    if (isUserInput(event))
        return true;
    // The user's close button waits for the sequence; a close the program
    // asks for (not spontaneous) goes through and cancels the wait.
    if (event->type() == QEvent::Close && event->spontaneous()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
