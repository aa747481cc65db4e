#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "BoardHost.h"

using namespace emutest;

namespace {

bool readGpio(EmulatedBoard& board, uint8_t index) {
    HSSReadGPIOCTLCmd cmd(index, 5);
    EXPECT_TRUE(exchange(board, cmd));
    EXPECT_EQ(cmd.getGPIOIndex(), index);
    return cmd.getGPIOState();
}

void writeGpio(EmulatedBoard& board, uint8_t index, bool high) {
    HSSWriteGPIOCTLCmd cmd(index, high);
    EXPECT_TRUE(exchange(board, cmd));
}

TEST(BoardServices, FirmwareVersionDefaultAndSet) {
    ClockedBoard fixture;
    HSSFirmwareVersionIOCTLCmd read(4);
    ASSERT_TRUE(exchange(fixture.board, read));
    EXPECT_EQ(read.getFirmwareVersion(), 0x20B0);
    EXPECT_EQ(read.buffer()[2], 0xB0);  // low byte first
    EXPECT_EQ(read.buffer()[3], 0x20);

    fixture.board.setFirmwareVersion(0x1234);
    HSSFirmwareVersionIOCTLCmd again(4);
    ASSERT_TRUE(exchange(fixture.board, again));
    EXPECT_EQ(again.getFirmwareVersion(), 0x1234);
}

TEST(BoardServices, GpioWriteByTheBytesAndReadBack) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    // GPIO 0 high, as the raw report of a GPIO write.
    ASSERT_TRUE(sendRaw(board, raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x06, 0x09, 0x00, 0x01, 0x00, 0x01})));
    EXPECT_TRUE(board.gpioLevel(0));
    EXPECT_TRUE(readGpio(board, 0));
    EXPECT_FALSE(readGpio(board, 2));
    writeGpio(board, 2, true);
    EXPECT_TRUE(readGpio(board, 2));
    writeGpio(board, 0, false);
    EXPECT_FALSE(readGpio(board, 0));
    writeGpio(board, 7, true);  // no such line: ignored
    EXPECT_FALSE(readGpio(board, 7));
}

TEST(BoardServices, FaultLineIsLowWhileTheChipReportsAGlobalFault) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    EXPECT_FALSE(readGpio(board, 3));  // power-on reset pending
    readRegister(board, 0x04);
    EXPECT_TRUE(readGpio(board, 3));
    writeGpio(board, 3, false);  // an input: writing does nothing
    EXPECT_TRUE(readGpio(board, 3));
    board.injectFault(FaultRegister::Device, 0x0008);
    EXPECT_FALSE(readGpio(board, 3));
}

TEST(BoardServices, LimpHomeInputLatchesTheLimpHomeFault) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    readRegister(board, 0x04);
    writeGpio(board, 1, true);
    EXPECT_TRUE(readGpio(board, 1));
    EXPECT_EQ(readRegister(board, 0x04) & 0x0180, 0x0180);

    writeRegister(board, 0x04, 0x0080);  // LHI still high: latches again
    EXPECT_EQ(readRegister(board, 0x04) & 0x0080, 0x0080);
    writeGpio(board, 1, false);
    EXPECT_EQ(readRegister(board, 0x04) & 0x0080, 0x0080);  // stays until cleared
    writeRegister(board, 0x04, 0x0080);
    EXPECT_EQ(readRegister(board, 0x04), 0x0000);
}

TEST(BoardServices, LimpHomeBehaviourDecidesTheOutputs) {
    // DEV_CONFIG bits 7-8 / 9-10: 0 DI pin, 1 keep, 2 off, 3 on.
    struct Row {
        uint16_t behaviour;
        bool directInput;
        bool swStateOn;
        bool expectOn;
    };
    const Row rows[] = {{0, true, false, true},  {0, false, true, false}, {1, false, true, true},
                        {1, true, false, false}, {2, true, true, false},  {3, false, false, true}};
    for (const Row& row : rows) {
        ClockedBoard fixture;
        EmulatedBoard& board = fixture.board;
        writeRegister(board, 0x09, static_cast<uint16_t>(row.behaviour << 7));
        writeRegister(board, 0x07, row.swStateOn ? 1 : 0);
        writeGpio(board, 2, row.directInput);
        writeGpio(board, 1, true);
        EXPECT_EQ(board.loadCurrent(0) > 1.0, row.expectOn)
            << "behaviour " << row.behaviour << " DI " << row.directInput << " SW " << row.swStateOn;
    }
}

TEST(BoardServices, CrcSwitchByTheBytes) {
    ClockedBoard fixture;
    ASSERT_TRUE(sendRaw(fixture.board, raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x06, 0x09, 0x00, 0x03, 0x01})));
    EXPECT_TRUE(fixture.board.isCrcEnabled());
    ASSERT_TRUE(sendRaw(fixture.board, raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x06, 0x09, 0x00, 0x03, 0x00})));
    EXPECT_FALSE(fixture.board.isCrcEnabled());
}

TEST(BoardServices, DfuEntryDisconnectsTheBoard) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    std::vector<bool> events;
    board.setPresenceListener([&events](bool plugged) { events.push_back(plugged); });
    writeRegister(board, 0x0A, 0x00C0);

    HSSEnterDFUCmd dfu;
    EXPECT_FALSE(exchange(board, dfu));  // written, but no reply comes
    EXPECT_EQ(board.dfuEntryCount(), 1u);
    EXPECT_FALSE(board.isPlugged());
    EXPECT_EQ(events, (std::vector<bool>{false}));
    EXPECT_EQ(readRegister(board, 0x00), -1);

    board.plug();  // back after the update: powered up afresh
    EXPECT_EQ(events, (std::vector<bool>{false, true}));
    EXPECT_EQ(readRegister(board, 0x0A), 0x0000);
    EXPECT_EQ(readRegister(board, 0x04) & 0x0040, 0x0040);
}

TEST(BoardServices, UnplugFailsTransfersAndPlugPowersUp) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    std::atomic<int> arrivals{0};
    std::atomic<int> removals{0};
    board.setPresenceListener([&](bool plugged) { (plugged ? arrivals : removals)++; });
    writeGpio(board, 0, true);
    HSSSetCRCIOCTLCmd on(true);
    exchange(board, on);
    board.setFirmwareVersion(0x3000);

    board.unplug();
    board.unplug();  // no change, no event
    EXPECT_EQ(removals, 1);
    HSSSingleWriteCmd write(0x0A, 1);
    EXPECT_FALSE(send(board, write));
    std::vector<uint8_t> buffer(7, 0);
    buffer[0] = 0x3C;
    EXPECT_FALSE(board.getFeature(buffer.data(), buffer.size()));

    board.plug();
    EXPECT_EQ(arrivals, 1);
    EXPECT_FALSE(board.gpioLevel(0));
    EXPECT_FALSE(board.isCrcEnabled());
    EXPECT_EQ(board.firmwareVersion(), 0x3000);  // board configuration, not state
    EXPECT_EQ(readRegister(board, 0x0A), 0);
}

TEST(BoardServices, IdentityMatchesTheCarrierBoard) {
    ClockedBoard fixture;
    EXPECT_EQ(fixture.board.vendorId(), 0x1209);
    EXPECT_EQ(fixture.board.productId(), 0x7A55);
    EXPECT_EQ(fixture.board.featureReportLength(), 64);
    EXPECT_EQ(fixture.board.manufacturer(), "Keldor");
    EXPECT_EQ(fixture.board.product(), "VELMARA-BOARD");
    EXPECT_FALSE(fixture.board.serialNumber().empty());
}

TEST(BoardServices, TraceRecordsEveryTransferInOrder) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    HSSSingleReadCmd read(0x00, 1);
    exchange(board, read);
    board.failNextReads(1);
    std::vector<uint8_t> buffer(7, 0);
    buffer[0] = 0x3C;
    board.getFeature(buffer.data(), buffer.size());

    const auto trace = board.trace();
    ASSERT_EQ(trace.size(), 3u);
    EXPECT_EQ(trace[0].kind, FeatureTransfer::Kind::Write);
    EXPECT_EQ(trace[0].reportId, 0x3F);
    EXPECT_EQ(trace[0].bytes.size(), kTransferLength);
    EXPECT_TRUE(trace[0].ok);
    EXPECT_EQ(trace[1].kind, FeatureTransfer::Kind::Read);
    EXPECT_EQ(trace[1].bytes, (std::vector<uint8_t>{0x3C, 0x00, 0xFF, 0xF0, 0x01, 0x00, 0x00}));
    EXPECT_EQ(trace[2].reportId, 0x3C);
    EXPECT_FALSE(trace[2].ok);

    board.setTraceCapacity(1);
    ASSERT_EQ(board.trace().size(), 1u);
    EXPECT_FALSE(board.trace()[0].ok);  // the newest is kept
    board.clearTrace();
    EXPECT_TRUE(board.trace().empty());
}

}  // namespace

namespace {

// Several hosts, a presence flipper and a trace reader at once: every
// transfer either completes or fails cleanly, and a listener may call back
// into the board.
TEST(BoardServices, ConcurrentUseIsSafe) {
    auto board = std::make_shared<EmulatedBoard>();
    std::atomic<int> events{0};
    board->setPresenceListener([&events, board](bool plugged) {
        EXPECT_EQ(board->isPlugged(), plugged);  // called outside the board's lock
        ++events;
    });
    std::atomic<bool> stop{false};
    std::vector<std::thread> hosts;
    for (int h = 0; h < 3; ++h) {
        hosts.emplace_back([&board, &stop, h] {
            const auto address = static_cast<uint8_t>(0x0E + h);
            for (uint16_t i = 0; !stop; ++i) {
                writeRegister(*board, address, i);
                HSSMixReadCmd read({0x00, address}, 2);
                if (exchange(*board, read)) {
                    EXPECT_EQ(read.getMixReadResults()[0], 0xFFF0);
                }
            }
        });
    }
    std::thread flipper([&board] {
        for (int i = 0; i < 200; ++i) {
            board->unplug();
            board->plug();
        }
    });
    std::thread reader([&board, &stop] {
        while (!stop) {
            const auto trace = board->trace();
            for (const FeatureTransfer& t : trace) EXPECT_TRUE(t.kind == FeatureTransfer::Kind::Read || t.reportId == 0x3F);
            board->peekRegister(0x0E);
        }
    });
    flipper.join();
    stop = true;
    for (auto& t : hosts) t.join();
    reader.join();
    EXPECT_EQ(events, 400);
    EXPECT_TRUE(board->isPlugged());
    board->setPresenceListener({});  // the listener holds the board
}

}  // namespace
