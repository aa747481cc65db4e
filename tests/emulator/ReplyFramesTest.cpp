#include <gtest/gtest.h>

#include <cstring>

#include "emulator/ReplyFrames.h"

namespace {

TEST(ReplyFrames, Crc8J1850MatchesItsCheckValues) {
    const char* text = "123456789";
    EXPECT_EQ(crc8J1850(reinterpret_cast<const uint8_t*>(text), std::strlen(text)), 0x4B);
    EXPECT_EQ(crc8J1850(nullptr, 0), 0x00);  // init 0xFF, final XOR 0xFF
}

TEST(ReplyFrames, SingleReadReplyLayout) {
    const auto plain = buildSingleReadReply(0x05, 0x1234, 0x03, false);
    EXPECT_EQ(plain, (std::vector<uint8_t>{0x3C, 0x05, 0x12, 0x34, 0x03, 0x00, 0x00}));
    const auto withCrc = buildSingleReadReply(0x05, 0x1234, 0x03, true);
    EXPECT_EQ(withCrc[5], crc8J1850(withCrc.data() + 1, 4));
    EXPECT_NE(withCrc[5], 0);
}

TEST(ReplyFrames, MixReadReplyPutsValuesHighByteFirstAndStatusAt61) {
    const auto reply = buildMixReadReply({0x0102, 0xA0B0, 0xFFFF}, 0x01, true);
    ASSERT_EQ(reply.size(), 63u);
    EXPECT_EQ(reply[0], 0x3D);
    EXPECT_EQ((std::vector<uint8_t>(reply.begin() + 1, reply.begin() + 7)),
              (std::vector<uint8_t>{0x01, 0x02, 0xA0, 0xB0, 0xFF, 0xFF}));
    for (std::size_t i = 7; i < 61; ++i) EXPECT_EQ(reply[i], 0) << i;
    EXPECT_EQ(reply[61], 0x01);
    EXPECT_EQ(reply[62], crc8J1850(reply.data() + 1, 61));
}

TEST(ReplyFrames, PollAndServiceReplies) {
    const auto poll = buildPollReadReply({0x0401, 0, 0, 0, 0, 0x1234});
    EXPECT_EQ(poll.size(), 13u);
    EXPECT_EQ((std::vector<uint8_t>(poll.begin(), poll.begin() + 3)), (std::vector<uint8_t>{0x3E, 0x04, 0x01}));
    EXPECT_EQ(poll[11], 0x12);
    EXPECT_EQ(poll[12], 0x34);
    const auto service = buildServiceReply(0xB0, 0x20);
    EXPECT_EQ(service, (std::vector<uint8_t>{0x3B, 0, 0xB0, 0x20, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ReplyFrames, PendingRepliesHoldOnePerIdUntilTaken) {
    PendingReplies pending;
    EXPECT_EQ(pending.find(0x3C), nullptr);
    pending.put(buildSingleReadReply(1, 1, 0, false));
    pending.put(buildSingleReadReply(2, 2, 0, false));  // replaces the first
    ASSERT_NE(pending.find(0x3C), nullptr);
    EXPECT_EQ((*pending.find(0x3C))[1], 2);
    EXPECT_EQ(pending.find(0x3D), nullptr);
    pending.put({0x40, 1, 2});  // not a reply ID of this board: dropped
    EXPECT_EQ(pending.find(0x40), nullptr);
    pending.take(0x3C);
    EXPECT_EQ(pending.find(0x3C), nullptr);
}

}  // namespace
