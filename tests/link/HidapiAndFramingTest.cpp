// The hidapi back end on a machine without the board, its write length over a
// stand-in hidraw device, and the virtual board message framing.

#include <gtest/gtest.h>

#include <mutex>

#include "LinkTestSupport.h"
#include "link/HSSCommunicationManager.h"
#include "link/HSSHidapiDevice.h"
#include "link/HSSVerbose.h"
#include "link/HSSVirtualBoardSession.h"

namespace {

// The carrier board's descriptor: command report 0x3F of 63 bytes (64 with
// its ID) and the four reply reports.
const std::vector<uint8_t> kCarrierBoardDescriptor = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x85, 0x3F, 0x95, 0x3F, 0x09, 0x01, 0xB1, 0x02, 0x85, 0x3B, 0x95, 0x0A, 0x09, 0x02, 0xB1, 0x02,
    0x85, 0x3C, 0x95, 0x06, 0x09, 0x03, 0xB1, 0x02, 0x85, 0x3D, 0x95, 0x3E, 0x09, 0x04, 0xB1, 0x02,
    0x85, 0x3E, 0x95, 0x0C, 0x09, 0x05, 0xB1, 0x02, 0xC0};

// What the stand-in hidraw device was asked to send.
struct HidrawLog {
    std::mutex mutex;
    std::vector<std::vector<uint8_t>> sent;
    std::vector<std::vector<uint8_t>> snapshot() {
        std::lock_guard lock(mutex);
        return sent;
    }
};

class StandInHidraw final : public HSSHidapiDevice {
public:
    StandInHidraw(std::shared_ptr<HidrawLog> log, std::vector<uint8_t> descriptor)
        : log_(std::move(log)), descriptor_(std::move(descriptor)) {}
    const void* nativeHandle() const override { return this; }
    int sendFeatureReport(const uint8_t* data, std::size_t length) override {
        std::lock_guard lock(log_->mutex);
        log_->sent.emplace_back(data, data + length);
        return static_cast<int>(length);
    }
    int getFeatureReport(uint8_t*, std::size_t) override { return -1; }
    std::optional<std::string> usbString(UsbString) override { return "VELMARA-BOARD"; }
    bool reportDescriptor(std::vector<uint8_t>& out) override {
        out = descriptor_;
        return !descriptor_.empty();
    }
    std::string lastError() const override { return "stand-in failure"; }

private:
    std::shared_ptr<HidrawLog> log_;
    std::vector<uint8_t> descriptor_;
};

class StandInHidrawLayer final : public HSSDeviceLayer {
public:
    explicit StandInHidrawLayer(std::shared_ptr<HidrawLog> log) : log_(std::move(log)) {}
    std::optional<std::vector<HSSDeviceInfo>> enumerate() override {
        return std::vector<HSSDeviceInfo>{{makeHardwareId(hss::kBoardVendorId, hss::kBoardProductId), "/dev/hidraw7"}};
    }
    std::unique_ptr<HSSDeviceHandle> open(const std::string&) override {
        return makeHidapiDeviceHandle(std::make_unique<StandInHidraw>(log_, kCarrierBoardDescriptor));
    }
    std::string lastError() const override { return {}; }

private:
    std::shared_ptr<HidrawLog> log_;
};

TEST(HidapiDeviceLayer, CommandReportsStayWithinTheDeclaredFeatureReport) {
    hss::setVerboseMode(false);
    auto log = std::make_shared<HidrawLog>();
    {
        HSSCommunicationManager link(std::make_unique<StandInHidrawLayer>(log));
        ASSERT_TRUE(link.openDevice());
        EXPECT_EQ(link.getFeatureCapacity(), 65u);  // the link keeps length + 1

        link.queueHSSCommand(new HSSSingleWriteCmd(0x0A, 0x1234));
        ASSERT_TRUE(waitUntil([&] { return log->snapshot().size() == 1; }));
        const auto sent = log->snapshot().front();
        ASSERT_EQ(sent.size(), 64u);  // report ID included, as declared
        const std::vector<uint8_t> head{0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x01, 0x03, 0x00, 0x0A, 0x34, 0x12};
        EXPECT_TRUE(std::equal(head.begin(), head.end(), sent.begin()));
    }
    hss::setVerboseMode(true);

    // On the handle itself: shorter reports go out as they are; without a
    // readable descriptor nothing is cut.
    const uint8_t report[80] = {0x3F};
    auto board = makeHidapiDeviceHandle(std::make_unique<StandInHidraw>(log, kCarrierBoardDescriptor));
    auto unknown = makeHidapiDeviceHandle(std::make_unique<StandInHidraw>(log, std::vector<uint8_t>{}));
    EXPECT_TRUE(board->writeFeature(report, 9));
    EXPECT_TRUE(board->writeFeature(report, 80));
    EXPECT_TRUE(unknown->writeFeature(report, 80));
    const auto sent = log->snapshot();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[1].size(), 9u);
    EXPECT_EQ(sent[2].size(), 64u);
    EXPECT_EQ(sent[3].size(), 80u);
}

TEST(HidapiDeviceLayer, NoBoardMeansNoOpenAndAClearError) {
    auto layer = makeHidapiDeviceLayer();
    const auto devices = layer->enumerate();
    ASSERT_TRUE(devices.has_value());
    for (const auto& device : *devices) EXPECT_EQ(device.hardwareId.rfind("HID\\VID_", 0), 0u);

    EXPECT_EQ(layer->open("/dev/kc-no-such-hidraw"), nullptr);
    EXPECT_FALSE(layer->lastError().empty());
}

TEST(HidapiDeviceLayer, LinkOverHidapiStaysClosedWithoutBoard) {
    hss::setVerboseMode(false);
    {
        HSSCommunicationManager link(makeHidapiDeviceLayer());
        const bool boardOnThisMachine = link.openDevice();
        EXPECT_EQ(link.isHidDeviceConnected(), boardOnThisMachine);
        // Two layers at once share one hidapi set-up.
        HSSCommunicationManager second(makeHidapiDeviceLayer());
    }
    hss::setVerboseMode(true);
}

TEST(HardwareId, TokensAndTextUseUpperCaseHex) {
    EXPECT_EQ(makeHardwareId(0x1209, 0x7a55), "HID\\VID_1209&PID_7A55");
    EXPECT_EQ(makeVendorToken(0x00ab), "VID_00AB");
    EXPECT_EQ(makeProductToken(0xFFFF), "PID_FFFF");
}

TEST(VirtualBoardFraming, FrameAndHello) {
    EXPECT_EQ(vboard::frame(0x03, {0x3B, 0x0B, 0x00}), (std::vector<uint8_t>{0x03, 0x03, 0x00, 0x3B, 0x0B, 0x00}));
    const std::vector<uint8_t> body300(300, 0);
    const auto big = vboard::frame(0x02, body300);
    EXPECT_EQ(big[1], 0x2C);
    EXPECT_EQ(big[2], 0x01);

    const VirtualBoardHello hello{0x1209, 0x7A55, 64, "Velmara", "VELMARA-BOARD", "S1"};
    const auto body = vboard::encodeHello(hello);
    const std::vector<uint8_t> head{0x09, 0x12, 0x55, 0x7A, 0x40, 0x00, 7};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), body.begin()));
    const auto parsed = vboard::parseHello(body);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->vendorId, 0x1209);
    EXPECT_EQ(parsed->productId, 0x7A55);
    EXPECT_EQ(parsed->featureReportLength, 64);
    EXPECT_EQ(parsed->manufacturer, "Velmara");
    EXPECT_EQ(parsed->product, "VELMARA-BOARD");
    EXPECT_EQ(parsed->serialNumber, "S1");

    // Cut anywhere before the end, the reply is refused.
    for (std::size_t cut = 0; cut < body.size(); ++cut) {
        EXPECT_FALSE(vboard::parseHello(std::vector<uint8_t>(body.begin(), body.begin() + static_cast<long>(cut))))
            << cut;
    }
}

}  // namespace
