#pragma once
// A scripted device layer for link tests: a list of present devices, a board
// whose transfers can be made to fail, come back short or "not ready", or
// block until released, and a trace of every transfer.

#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/HSSDeviceLayer.h"

struct FakeTransfer {
    enum class Kind { Write, Read } kind;
    uint8_t reportId;
    std::size_t length;  // bytes asked to transfer
    bool ok;
};

// What the next read returns.
enum class FakeRead { Good, NotReady, Short, Fail };

class FakeBoard {
public:
    std::mutex mutex;
    std::vector<HSSDeviceInfo> devices{{"HID\\VID_1209&PID_7A55&REV_0100", "/fake/board"}};
    bool enumerateFails = false;
    bool openFails = false;
    HSSCapsStatus caps = HSSCapsStatus::Ok;
    uint16_t featureReportLength = 64;
    std::optional<std::string> manufacturer = "Velmara";
    std::optional<std::string> product = "VELMARA-BOARD";
    std::optional<std::string> serialNumber = "FB-1";

    std::vector<FakeTransfer> trace;
    std::vector<std::string> openedPaths;
    unsigned failWrites = 0;     // the next n writes fail
    std::deque<FakeRead> reads;  // scripted reads; Good once empty
    uint8_t replyFill = 0x11;    // reply bytes after the report ID
    int liveHandles = 0;
    int transfersInFlight = 0;
    bool closedDuringTransfer = false;

    // Writes block while this is set; the blocked writer counts as in flight.
    bool holdWrites = false;
    int heldWriters = 0;
    std::condition_variable changed;

    void releaseWrites() {
        std::lock_guard lock(mutex);
        holdWrites = false;
        changed.notify_all();
    }
    std::vector<FakeTransfer> traceCopy() {
        std::lock_guard lock(mutex);
        return trace;
    }
    bool waitForHeldWriter(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, timeout, [this] { return heldWriters > 0; });
    }
};

class FakeHandle final : public HSSDeviceHandle {
public:
    explicit FakeHandle(std::shared_ptr<FakeBoard> board) : board_(std::move(board)) {
        std::lock_guard lock(board_->mutex);
        ++board_->liveHandles;
    }
    ~FakeHandle() override {
        std::lock_guard lock(board_->mutex);
        if (board_->transfersInFlight > 0) board_->closedDuringTransfer = true;
        --board_->liveHandles;
    }
    const void* nativeHandle() const override { return this; }
    std::optional<std::string> manufacturer() override { return board_->manufacturer; }
    std::optional<std::string> product() override { return board_->product; }
    std::optional<std::string> serialNumber() override { return board_->serialNumber; }
    HSSCapsStatus capabilities(uint16_t& length) override {
        length = board_->featureReportLength;
        return board_->caps;
    }
    bool writeFeature(const uint8_t* data, std::size_t length) override {
        std::unique_lock lock(board_->mutex);
        ++board_->transfersInFlight;
        if (board_->holdWrites) {
            ++board_->heldWriters;
            board_->changed.notify_all();
            board_->changed.wait(lock, [this] { return !board_->holdWrites; });
            --board_->heldWriters;
        }
        const bool ok = board_->failWrites == 0;
        if (!ok) --board_->failWrites;
        board_->trace.push_back({FakeTransfer::Kind::Write, data[0], length, ok});
        --board_->transfersInFlight;
        return ok;
    }
    long readFeature(uint8_t* data, std::size_t length) override {
        std::lock_guard lock(board_->mutex);
        FakeRead what = FakeRead::Good;
        if (!board_->reads.empty()) {
            what = board_->reads.front();
            board_->reads.pop_front();
        }
        const uint8_t id = data[0];
        board_->trace.push_back({FakeTransfer::Kind::Read, id, length, what != FakeRead::Fail});
        switch (what) {
        case FakeRead::Fail: return -1;
        case FakeRead::NotReady:
            std::memset(data, 0, length);
            return static_cast<long>(length);
        case FakeRead::Short:
            std::memset(data + 1, 0xEE, length - 1);  // bytes the caller must not use
            return static_cast<long>(length / 2);
        case FakeRead::Good:
            std::memset(data + 1, board_->replyFill, length - 1);
            return static_cast<long>(length);
        }
        return -1;
    }
    std::string lastError() const override { return "fake transfer failure"; }

private:
    std::shared_ptr<FakeBoard> board_;
};

class FakeDeviceLayer final : public HSSDeviceLayer {
public:
    explicit FakeDeviceLayer(std::shared_ptr<FakeBoard> board) : board_(std::move(board)) {}
    std::optional<std::vector<HSSDeviceInfo>> enumerate() override {
        std::lock_guard lock(board_->mutex);
        if (board_->enumerateFails) return std::nullopt;
        return board_->devices;
    }
    std::unique_ptr<HSSDeviceHandle> open(const std::string& path) override {
        {
            std::lock_guard lock(board_->mutex);
            board_->openedPaths.push_back(path);
            if (board_->openFails) return nullptr;
        }
        return std::make_unique<FakeHandle>(board_);
    }
    std::string lastError() const override { return "fake open failure"; }

private:
    std::shared_ptr<FakeBoard> board_;
};
