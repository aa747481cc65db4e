#pragma once
// Suppresses a host's control events for a scope (the window filling its
// controls from the chip, not the user editing them) and restores what was
// set before, so nested fills do not switch the guard off early.

namespace ui {

template <typename Host>
class EventGuard {
public:
    explicit EventGuard(Host& guarded, bool on = true) : host(guarded), previous(guarded.eventsSuppressed())
    {
        host.setEventsSuppressed(on);
    }
    ~EventGuard() { host.setEventsSuppressed(previous); }
    EventGuard(const EventGuard&) = delete;
    EventGuard& operator=(const EventGuard&) = delete;

private:
    Host& host;
    bool previous;
};

}  // namespace ui
