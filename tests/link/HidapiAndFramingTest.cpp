// The hidapi back end on a machine without the board, and the virtual board
// message framing.

#include <gtest/gtest.h>

#include "link/HSSCommunicationManager.h"
#include "link/HSSVerbose.h"
#include "link/HSSVirtualBoardSession.h"

namespace {

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
