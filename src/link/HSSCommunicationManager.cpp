#include "link/HSSCommunicationManager.h"

#include <chrono>
#include <cstdio>

#include "link/HSSVerbose.h"
#include "protocol/HSSCommand.h"

namespace {
constexpr const char* kNotOpenText = "The board is not open";
constexpr const char* kNotReadyText = "The board had no reply ready";
}  // namespace

HSSCommunicationManager::HSSCommunicationManager(std::unique_ptr<HSSDeviceLayer> deviceLayer)
    : HSS_BOARD_VID(makeVendorToken(hss::kBoardVendorId)),
      HSS_BOARD_PID(makeProductToken(hss::kBoardProductId)),
      device(std::move(deviceLayer)) {
    transFlag = std::thread([this] { receiveThreadMethod(); });
}

HSSCommunicationManager::~HSSCommunicationManager() { stop(); }

void HSSCommunicationManager::stop() {
    std::lock_guard stopLock(stopMutex);
    {
        std::lock_guard lock(pauseMutex);
        stopping.store(true);
    }
    pauseWake.notify_all();
    messageQueue.close();
    if (transFlag.joinable()) transFlag.join();
    if (auto* queue = messageQueue.queue()) queue->clear();
}

void HSSCommunicationManager::setReceiveQueue(HSSMessageQueueWrapper queue) {
    std::lock_guard lock(recQueueMutex);
    recQueue = std::move(queue);
    recQueueSet = true;
}

void HSSCommunicationManager::setVerboseMode(bool on) { hss::setVerboseMode(on); }

bool HSSCommunicationManager::openDevice() {
    std::lock_guard lock(deviceMutex);
    const auto devices = device->enumerate();
    if (!devices) return false;

    const HSSDeviceInfo* board = nullptr;
    for (const auto& candidate : *devices) {
        if (candidate.hardwareId.find(HSS_BOARD_PID) != std::string::npos &&
            candidate.hardwareId.find(HSS_BOARD_VID) != std::string::npos) {
            board = &candidate;
            break;
        }
    }
    if (!board) return false;
    hss::printVerbose("\n--- High side switch found ---\n\n");

    if (board->path.empty()) return false;
    hss::printVerboseFormat("DevicePath: %s\n", board->path.c_str());

    // The old handle is closed before the new one takes its place; from here
    // on a failure leaves the link closed.
    hHidDeviceObject.reset();
    deviceConnected.store(false);
    auto handle = device->open(board->path);
    hss::printVerboseFormat("WriteHandle: %p\n", handle ? handle->nativeHandle() : nullptr);

    if (!handle) {
        printLastError(device->lastError());
        hss::printVerbose("Error: HidD_GetPreparsedData failed \n");
        return false;
    }
    GetSerialNumberString(*handle);
    GetManufacturerString(*handle);
    GetProductString(*handle);

    uint16_t featureLength = 0;
    switch (handle->capabilities(featureLength)) {
    case HSSCapsStatus::NoPreparsedData:
        hss::printVerbose("Error: HidD_GetPreparsedData failed \n");
        return false;
    case HSSCapsStatus::NoCaps:
        hss::printVerbose("Error: HidP_GetCaps failed \n");
        return false;
    case HSSCapsStatus::Ok:
        break;
    }
    // Every command report is written from the command's report buffer; a
    // device asking for more than it holds (or for no feature report at all)
    // cannot be the board.
    const uint32_t capacity = static_cast<uint32_t>(featureLength) + 1;
    if (featureLength == 0 || capacity > HSSCommand::reportBufferSize()) {
        hss::printVerboseFormat("Error: unsupported feature report length %u\n", static_cast<unsigned>(featureLength));
        return false;
    }

    featureCapacity = capacity;
    hHidDeviceObject = std::move(handle);
    deviceConnected.store(true);
    return true;
}

void HSSCommunicationManager::closeDevice() {
    std::lock_guard lock(deviceMutex);
    hHidDeviceObject.reset();
    deviceConnected.store(false);
}

void HSSCommunicationManager::queueHSSCommand(HSSCommand* command) { messageQueue.Send(command); }

void HSSCommunicationManager::PrintLastError() {
    std::string text;
    {
        std::lock_guard lock(deviceMutex);
        text = hHidDeviceObject ? hHidDeviceObject->lastError() : device->lastError();
    }
    printLastError(text);
}

void HSSCommunicationManager::printLastError(const std::string& text) const {
    hss::printVerboseFormat("LastError: %s\n", text.c_str());
}

bool HSSCommunicationManager::printUsbString(const char* label, std::optional<std::string> text,
                                             HSSDeviceHandle& handle) {
    if (!text) {
        printLastError(handle.lastError());
        return false;
    }
    // The board's strings fit a 127-byte wide-character buffer: 63 characters.
    std::string shown;
    std::size_t characters = 0;
    for (char c : *text) {
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
        if (!continuation && ++characters > 63) break;
        shown += c;
    }
    hss::printVerboseFormat("%s: %s\n", label, shown.c_str());
    return true;
}

bool HSSCommunicationManager::GetManufacturerString(HSSDeviceHandle& handle) {
    return printUsbString("Manufacturer", handle.manufacturer(), handle);
}

bool HSSCommunicationManager::GetProductString(HSSDeviceHandle& handle) {
    return printUsbString("Product", handle.product(), handle);
}

bool HSSCommunicationManager::GetSerialNumberString(HSSDeviceHandle& handle) {
    return printUsbString("Serial number", handle.serialNumber(), handle);
}

uint32_t HSSCommunicationManager::getFeatureCapacity() const {
    std::lock_guard lock(deviceMutex);
    return featureCapacity;
}

std::size_t HSSCommunicationManager::add_hssConectionDelegate(HSSConnectionEventDelegate subscriber) {
    return hssConectionDelegate.add(std::move(subscriber));
}

void HSSCommunicationManager::remove_hssConectionDelegate(std::size_t token) { hssConectionDelegate.remove(token); }

void HSSCommunicationManager::pause(uint32_t ms) {
    if (ms == 0) return;
    std::unique_lock lock(pauseMutex);
    pauseWake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping.load(); });
}

void HSSCommunicationManager::receiveThreadMethod() {
    while (!stopping.load()) {
        std::unique_ptr<HSSCommand> command(messageQueue.Receive());
        if (stopping.load()) break;  // deleted with the rest of the queue
        if (command) exchange(std::move(command));
    }
}

bool HSSCommunicationManager::writeCommandReport(HSSCommand& command, std::string& error) {
    // Rebuilt on every attempt: a failed transfer may have left anything there.
    const uint8_t* report = command.getCommandData();
    std::lock_guard lock(deviceMutex);
    if (!hHidDeviceObject) {
        error = kNotOpenText;
        return false;
    }
    if (hHidDeviceObject->writeFeature(report, featureCapacity)) return true;
    error = hHidDeviceObject->lastError();
    return false;
}

long HSSCommunicationManager::readReplyReport(HSSCommand& command, std::size_t size, std::string& error) {
    uint8_t* reply = command.getResponseData();
    std::lock_guard lock(deviceMutex);
    if (!hHidDeviceObject) {
        error = kNotOpenText;
        return -1;
    }
    const long received = hHidDeviceObject->readFeature(reply, size);
    if (received < 0) error = hHidDeviceObject->lastError();
    return received;
}

void HSSCommunicationManager::exchange(std::unique_ptr<HSSCommand> command) {
    const uint32_t delay = command->getDelay();
    pause(delay);

    if (!command->isSkipWrite()) {
        bool written = false;
        for (unsigned attempt = 0; attempt < HSS_CONST_RETRIES && !stopping.load(); ++attempt) {
            std::string error;
            written = writeCommandReport(*command, error);
            if (written) break;
            printLastError(error);
            pause(delay);
        }
        if (!written) {
            if (!stopping.load()) ++dropped;
            return;  // dropped: the polls ask again
        }
    }
    if (command->isWriteCommand()) return;

    const std::size_t size = command->getResponseSize();
    if (size == 0 || size > HSSCommand::reportBufferSize()) {
        hss::printVerboseFormat("Error: reply length %zu of report 0x%02X cannot be read\n", size,
                                static_cast<unsigned>(command->getResponseReportID()));
        ++dropped;
        return;
    }
    for (unsigned attempt = 0; attempt < HSS_CONST_RETRIES && !stopping.load(); ++attempt) {
        std::string error;
        const long received = readReplyReport(*command, size, error);
        // Only a whole reply is decoded; bytes the board did not send are
        // whatever the buffer held before.
        if (received == static_cast<long>(size) && command->isDataDirty()) {
            command->serializeResponsePayload();
            std::unique_lock lock(recQueueMutex);
            if (!recQueueSet) return;  // nobody to answer
            HSSMessageQueueWrapper receiver = recQueue;
            lock.unlock();
            receiver.Send(command.release());
            return;
        }
        if (received >= 0 && received != static_cast<long>(size)) {
            error = "Short reply: " + std::to_string(received) + " of " + std::to_string(size) + " bytes";
        } else if (received >= 0) {
            error = kNotReadyText;
        }
        printLastError(error);
        pause(delay);
        command->makeDataClean();
    }
    if (!stopping.load()) ++dropped;
}
