#pragma once
// The link to the carrier board: finds and opens it through a device layer
// and runs the one thread that exchanges command and reply reports with it,
// strictly one command at a time in queue order.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "link/HSSConnectionEvent.h"
#include "link/HSSDeviceLayer.h"
#include "link/HSSMessageQueue.h"

class HSSCommand;

class HSSCommunicationManager : public HSSConnectionEventInterface {
public:
    // Starts the link thread. The board is not opened here.
    explicit HSSCommunicationManager(std::unique_ptr<HSSDeviceLayer> device);
    ~HSSCommunicationManager() override;
    HSSCommunicationManager(const HSSCommunicationManager&) = delete;
    HSSCommunicationManager& operator=(const HSSCommunicationManager&) = delete;

    // Wakes and joins the link thread and deletes the commands still queued.
    // Commands queued afterwards are deleted at once. Safe to call twice.
    void stop();

    // Where answered read commands go. Set before the first read is queued.
    void setReceiveQueue(HSSMessageQueueWrapper queue);
    // Process-wide: the link's diagnostics on standard output.
    static void setVerboseMode(bool on);

    bool openDevice();
    void closeDevice();
    bool isHidDeviceConnected() const { return deviceConnected.load(); }
    bool isHSSDetected() const { return isDetected.load(); }
    void setHSSDetected(bool detected) { isDetected.store(detected); }

    // Ownership of the command passes to the link.
    void queueHSSCommand(HSSCommand* command);
    // Commands given up after their retries (never written, or never
    // answered) since the start: a caller waiting for its commands to be
    // carried out tells a dropped one from a slow one by this count.
    uint64_t droppedCommands() const { return dropped.load(); }

    // Prints the text of the last device failure (verbose mode).
    void PrintLastError();
    // Diagnostics of an open device; false when the string cannot be read.
    bool GetManufacturerString(HSSDeviceHandle& handle);
    bool GetProductString(HSSDeviceHandle& handle);
    bool GetSerialNumberString(HSSDeviceHandle& handle);

    // Bytes written per command report: feature-report length + 1.
    uint32_t getFeatureCapacity() const;

    std::size_t add_hssConectionDelegate(HSSConnectionEventDelegate subscriber) override;
    void remove_hssConectionDelegate(std::size_t token) override;
    void raise_hssConectionDelegate(bool connected) const { hssConectionDelegate.raise(connected); }

    const std::string HSS_BOARD_VID;
    const std::string HSS_BOARD_PID;
    const std::string HSS_BOARD_USAGE_PAGE = "FF00";
    const uint8_t HSS_BOARD_USAGE = 1;
    static constexpr uint8_t HSS_CONST_RETRIES = 200;

private:
    void receiveThreadMethod();
    // One command through write, reply read and hand-over.
    void exchange(std::unique_ptr<HSSCommand> command);
    bool writeCommandReport(HSSCommand& command, std::string& error);
    // Bytes read, or -1; error filled on failure.
    long readReplyReport(HSSCommand& command, std::size_t size, std::string& error);
    // Sleeps, but returns early once stop() has begun.
    void pause(uint32_t ms);
    void printLastError(const std::string& text) const;
    bool printUsbString(const char* label, std::optional<std::string> text, HSSDeviceHandle& handle);

    std::unique_ptr<HSSDeviceLayer> device;
    // Guards hHidDeviceObject and featureCapacity: held for one open, close or
    // transfer, so the link thread never uses a handle that was closed.
    mutable std::mutex deviceMutex;
    std::unique_ptr<HSSDeviceHandle> hHidDeviceObject;
    uint32_t featureCapacity = 0;

    std::atomic<bool> deviceConnected{false};
    std::atomic<bool> isDetected{false};
    std::atomic<uint64_t> dropped{0};

    HSSMessageQueueWrapper messageQueue;
    mutable std::mutex recQueueMutex;
    HSSMessageQueueWrapper recQueue;
    bool recQueueSet = false;

    HSSConnectionEvent hssConectionDelegate;

    std::atomic<bool> stopping{false};
    std::mutex pauseMutex;
    std::condition_variable pauseWake;
    std::mutex stopMutex;
    std::thread transFlag;  // the link thread; started last
};
