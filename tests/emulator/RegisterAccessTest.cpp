#include <gtest/gtest.h>

#include "BoardHost.h"
#include "emulator/ReplyFrames.h"

using namespace emutest;

namespace {

const std::vector<uint8_t> kSixteenPwpConfig{0x01, 0x03, 0x05, 0x06, 0x07, 0x09, 0x0A, 0x02, 0x0E,
                                             0x0F, 0x10, 0x15, 0x17, 0x18, 0x19, 0x1E, 0x08};
const std::vector<uint8_t> kEighteenPwpConfig{0x01, 0x02, 0x04, 0x05, 0x06, 0x08, 0x09, 0x0D,
                                              0x0E, 0x0F, 0x14, 0x16, 0x17, 0x18, 0x1D};
const std::vector<uint8_t> kEighteenPwpUserConfig{0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57};

TEST(RegisterAccess, SingleWriteThenSingleReadByTheBytes) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    ASSERT_TRUE(sendRaw(board, raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x01, 0x03, 0x00, 0x0A, 0x34, 0x12})));
    EXPECT_EQ(board.peekRegister(0x0A), 0x1234);

    ASSERT_TRUE(sendRaw(board, raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x04, 0x01, 0x00, 0x0A})));
    const auto reply = readReport(board, 0x3C, 7);
    ASSERT_EQ(reply.size(), 7u);
    EXPECT_EQ(reply[0], 0x3C);
    EXPECT_EQ(reply[1], 0x0A);
    EXPECT_EQ(reply[2], 0x12);
    EXPECT_EQ(reply[3], 0x34);
    EXPECT_EQ(reply[5], 0x00);  // CRC off
    EXPECT_EQ(reply[6], 0x00);

    // The reply is used up: the next read finds nothing ready.
    EXPECT_EQ(readReport(board, 0x3C, 7)[0], 0x00);
}

TEST(RegisterAccess, ReadOfAnIdWithNothingReadyGivesZero) {
    ClockedBoard fixture;
    for (uint8_t id : {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x01}) {
        const auto reply = readReport(fixture.board, id, 13);
        ASSERT_EQ(reply.size(), 13u);
        EXPECT_EQ(reply[0], 0x00) << int(id);
    }
}

TEST(RegisterAccess, MixedReadOfTheSixteenPinConfigurationList) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    std::vector<uint16_t> values;
    for (uint8_t address : kSixteenPwpConfig) values.push_back(static_cast<uint16_t>(0x1100 + address));
    values[7] = 0x0000;   // SLEEP: a set bit 0 would put the chip to sleep
    values[4] = 0x0000;   // SW_STATE: keep the outputs off
    HSSMixWriteCmd write(kSixteenPwpConfig, values);
    ASSERT_TRUE(exchange(board, write));

    HSSMixReadCmd read(kSixteenPwpConfig, 2);
    ASSERT_TRUE(exchange(board, read));
    ASSERT_EQ(read.getReadSize(), 17);
    for (std::size_t i = 0; i < kSixteenPwpConfig.size(); ++i) {
        const uint8_t address = kSixteenPwpConfig[i];
        const uint16_t expected = address == 0x06 ? 0 : values[i];  // ABIST_RESULT is read-only
        EXPECT_EQ(read.getMixReadResults()[i], expected) << "address " << int(address);
    }
}

TEST(RegisterAccess, EighteenPinListsReadBackWhatWasWritten) {
    ClockedBoard fixture(0xFF00);  // ZVR2M05A-K1
    EmulatedBoard& board = fixture.board;
    ASSERT_EQ(board.chipFamily(), ChipFamily::Pin18);
    for (const auto* list : {&kEighteenPwpConfig, &kEighteenPwpUserConfig}) {
        std::vector<uint16_t> values;
        for (uint8_t address : *list) values.push_back(static_cast<uint16_t>(0x2200 + address));
        for (std::size_t i = 0; i < list->size(); ++i) {
            if ((*list)[i] == 0x01 || (*list)[i] == 0x06) values[i] = 0;  // SLEEP, SW_STATE
        }
        HSSMixWriteCmd write(*list, values);
        ASSERT_TRUE(exchange(board, write));
        HSSMixReadCmd read(*list, 7);
        ASSERT_TRUE(exchange(board, read));
        for (std::size_t i = 0; i < list->size(); ++i) {
            const uint8_t address = (*list)[i];
            const uint16_t expected = address == 0x05 ? 0 : values[i];  // ABIST_RESULT
            EXPECT_EQ(read.getMixReadResults()[i], expected) << "address " << int(address);
        }
    }
}

TEST(RegisterAccess, FamiliesPlaceRegistersAtTheirOwnAddresses) {
    struct Row {
        uint16_t devid;
        uint8_t i2tCh2;
        uint8_t notMapped;  // a 16-pin address with no 18-pin register, or the reverse
    };
    for (const Row& row : {Row{0xFFF0, 0x1E, 0x50}, Row{0xFF04, 0x1D, 0x07}}) {
        ClockedBoard fixture(row.devid);
        writeRegister(fixture.board, row.i2tCh2, 0x4321);
        EXPECT_EQ(readRegister(fixture.board, row.i2tCh2), 0x4321) << std::hex << row.devid;
        writeRegister(fixture.board, row.notMapped, 0x4321);
        EXPECT_EQ(readRegister(fixture.board, row.notMapped), 0) << std::hex << row.devid;
    }
}

TEST(RegisterAccess, ReadOnlyRegistersIgnoreWrites) {
    ClockedBoard fixture(0xFFF2);
    EmulatedBoard& board = fixture.board;
    readRegister(board, 0x04);  // clears the power-on flag
    // DEVID, DEV_FAULT, ABIST_RESULT, VBB result, CH1_FAULT, CH1 current, CH2_FAULT.
    for (uint8_t address : {0x00, 0x04, 0x06, 0x0B, 0x0D, 0x11, 0x16}) {
        const int before = readRegister(board, address);
        writeRegister(board, address, 0x5A5A & 0xFF7F);  // no limp-home clear bit
        EXPECT_EQ(readRegister(board, address), before) << "address " << int(address);
    }
    EXPECT_EQ(readRegister(board, 0x00), 0xFFF2);
}

TEST(RegisterAccess, IgnoresMalformedCommandsWithoutSideEffects) {
    const std::vector<std::vector<uint8_t>> malformed{
        raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCB, 0x01, 0x03, 0x00, 0x0A, 0x34, 0x12}),  // wrong magic
        raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x0A, 0x03, 0x00, 0x0A, 0x34, 0x12}),  // unknown code 10
        raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x00, 0x03, 0x00, 0x0A, 0x34, 0x12}),  // code 0
        raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x01, 0x02, 0x00, 0x0A, 0x34, 0x12}),  // payload too short
        raw({0x3E, 0xEF, 0xBE, 0xFE, 0xCA, 0x01, 0x03, 0x00, 0x0A, 0x34, 0x12}),  // other report ID
    };
    for (const auto& report : malformed) {
        ClockedBoard fixture;
        EXPECT_TRUE(sendRaw(fixture.board, report));
        EXPECT_EQ(fixture.board.peekRegister(0x0A), 0);
    }
    ClockedBoard fixture;
    const std::vector<uint8_t> truncated = raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x01, 0x03, 0x00, 0x0A});
    EXPECT_TRUE(fixture.board.setFeature(truncated.data(), truncated.size()));  // value bytes missing
    EXPECT_EQ(fixture.board.peekRegister(0x0A), 0);
    const std::vector<uint8_t> header = raw({0x3F, 0xEF, 0xBE});
    EXPECT_TRUE(fixture.board.setFeature(header.data(), header.size()));

    // A mixed read asking for more than 30 slots prepares no reply.
    std::vector<uint8_t> mix = raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x05, 0x1F, 0x00});
    mix.resize(8 + 31, 0);
    mix[8 + 30] = 31;
    EXPECT_TRUE(sendRaw(fixture.board, mix));
    EXPECT_EQ(readReport(fixture.board, 0x3D, 63)[0], 0);

    EXPECT_FALSE(fixture.board.setFeature(nullptr, 10));
    EXPECT_FALSE(fixture.board.getFeature(nullptr, 10));
}

TEST(RegisterAccess, UnlistedCodeAnswersWithTheSixteenPinMap) {
    ClockedBoard fixture(0x1234);
    EXPECT_EQ(readRegister(fixture.board, 0x00), 0x1234);
    EXPECT_EQ(fixture.board.chipFamily(), ChipFamily::Pin16);
    writeRegister(fixture.board, 0x0E, 0x0003);
    EXPECT_EQ(readRegister(fixture.board, 0x0E), 0x0003);
}

TEST(RegisterAccess, WithoutADaughterCardTheBusReadsZero) {
    ClockedBoard fixture(EmulatedBoard::kNoChip);
    EmulatedBoard& board = fixture.board;
    EXPECT_EQ(board.deviceId(), std::nullopt);
    writeRegister(board, 0x0A, 0x1234);
    HSSSingleReadCmd read(0x00, 1);
    ASSERT_TRUE(exchange(board, read));
    EXPECT_EQ(read.getAddress(), 0x00);
    EXPECT_EQ(read.getPayload(), 0x0000);
    EXPECT_EQ(read.getFLT(), 0x00);
    EXPECT_EQ(readRegister(board, 0x0A), 0);
    HSSReadGPIOCTLCmd faultLine(3, 5);
    ASSERT_TRUE(exchange(board, faultLine));
    EXPECT_TRUE(faultLine.getGPIOState());  // FAULT is pulled up: no fault
}

TEST(RegisterAccess, CrcByteFollowsTheBoardsCrcSwitch) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    HSSSetCRCIOCTLCmd on(true);
    ASSERT_TRUE(exchange(board, on));
    EXPECT_TRUE(board.isCrcEnabled());

    HSSSingleReadCmd read(0x00, 1);
    ASSERT_TRUE(exchange(board, read));
    const uint8_t frame[] = {0x00, 0xFF, 0xF0, read.getFLT()};
    EXPECT_EQ(read.getCRC(), crc8J1850(frame, 4));

    HSSMixReadCmd mix({0x00, 0x0A}, 2);
    ASSERT_TRUE(exchange(board, mix));
    EXPECT_EQ(mix.buffer()[62], crc8J1850(mix.buffer() + 1, 61));

    HSSSetCRCIOCTLCmd off(false);
    ASSERT_TRUE(exchange(board, off));
    HSSSingleReadCmd plain(0x00, 1);
    ASSERT_TRUE(exchange(board, plain));
    EXPECT_EQ(plain.getCRC(), 0);
}

TEST(RegisterAccess, StatusByteSummarisesTheChipsFaults) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    HSSSingleReadCmd first(0x04, 1);  // DEV_FAULT: power-on reset pending
    ASSERT_TRUE(exchange(board, first));
    EXPECT_EQ(first.getPayload() & 0x0140, 0x0140);
    EXPECT_EQ(first.getFLT(), 0x01);

    HSSSingleReadCmd calm(0x00, 1);  // reading DEV_FAULT cleared the flag
    ASSERT_TRUE(exchange(board, calm));
    EXPECT_EQ(calm.getFLT(), 0x00);

    board.injectFault(FaultRegister::Channel2, 0x0008);
    HSSMixReadCmd mix({0x04, 0x0D, 0x16}, 3);
    ASSERT_TRUE(exchange(board, mix));
    EXPECT_EQ(mix.getStatusByte(), 0x05);  // global + channel 2
    EXPECT_EQ(mix.getMixReadResults()[0] & 0x0100, 0x0100);
    EXPECT_EQ(mix.getMixReadResults()[2], 0x0008);
}

}  // namespace
