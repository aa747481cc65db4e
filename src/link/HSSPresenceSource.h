#pragma once
// Something that tells the presence queue when the board comes and goes.
// Sources that work from a file descriptor expose it through pollFd(): the
// window watches it (QSocketNotifier) and calls onReadable() on its thread
// when it is readable. Sources with their own thread ignore both.

class HSSPresenceSource {
public:
    virtual ~HSSPresenceSource() = default;
    virtual void start() = 0;
    // Stops delivering events; returns only when no event can still arrive.
    virtual void stop() = 0;
    // -1 when the source needs no watching.
    virtual int pollFd() const { return -1; }
    virtual void onReadable() {}
};
