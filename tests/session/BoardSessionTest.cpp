// One board worked step by step, against the in-process emulated board:
// what reaches the chip, and that a board that stops answering is a failure.

#include <gtest/gtest.h>

#include "device/HSSRegisterMap.h"
#include "emulator/EmulatedBoard.h"
#include "link/HSSVerbose.h"
#include "measure/SenseSources.h"
#include "protocol/HSSRegisterCommands.h"
#include "session/BoardSession.h"
#include "session/BoardTargets.h"

using hss::session::BoardSession;
using hss::session::SessionFailure;

namespace {

struct Bench {
    hss::session::BoardTarget target;
    std::shared_ptr<EmulatedBoard> chip;
    std::unique_ptr<BoardSession> board;
    explicit Bench(std::optional<uint16_t> devId)
        : target(hss::session::emulatedBoard(devId)), chip(target.emulated)
    {
        hss::setVerboseMode(false);
        board = std::make_unique<BoardSession>(std::move(target.deviceLayer), target.label);
    }
};

}  // namespace

TEST(BoardSession, IdentifiesWritesOutAndReadsBackWhatTheChipHolds)
{
    Bench bench(0xFF04);  // an 18-pin part
    ASSERT_TRUE(bench.board->open(std::chrono::seconds(2)));
    const auto part = bench.board->identify();
    ASSERT_TRUE(part && part->supported());
    EXPECT_EQ(part->family, HSS_FAMILY_18PWP);
    EXPECT_EQ(bench.board->eighteenPin.getDevID(), 0xFF04);

    bench.board->eighteenPin.setPWMConfig(0x012C, 0);
    bench.board->eighteenPin.setUserReg52(0x1234);
    ASSERT_TRUE(bench.board->writeOut());
    ASSERT_TRUE(bench.board->done());
    EXPECT_EQ(bench.chip->peekRegister(0x0D), 0x012C);
    EXPECT_EQ(bench.chip->peekRegister(0x52), 0x1234);

    bench.chip->pokeRegister(0x0D, 0x0044);  // changed behind the session's back
    ASSERT_TRUE(bench.board->readBack());
    EXPECT_EQ(bench.board->configurationImage().at(0x0D), 0x0044);

    // More addresses than one batch read holds.
    std::vector<uint8_t> addresses(45, 0x52);
    addresses.back() = 0x0D;
    const auto image = bench.board->readRegisters(addresses);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->at(0x52), 0x1234);
    EXPECT_EQ(image->at(0x0D), 0x0044);

    // Sampling on: the record takes the values the writes carry.
    const auto writes = hss::measure::sensingOnWrites(HSS_FAMILY_18PWP, bench.board->record());
    EXPECT_EQ(writes[0].address, *hss::registerAddress(HSS_FAMILY_18PWP, HSSRegister::ADC_CONFIG));
    EXPECT_EQ(writes[0].value, bench.board->record().getADCConfig());
    EXPECT_EQ(writes[2].address, *hss::registerAddress(HSS_FAMILY_18PWP, HSSRegister::CH_CONFIG, 1));
    EXPECT_EQ(bench.board->failure(), SessionFailure::None);
}

TEST(BoardSession, NoCardNoBoardAndALinkThatGivesUpAreFailures)
{
    Bench empty(std::nullopt);
    ASSERT_TRUE(empty.board->open(std::chrono::seconds(2)));
    const auto none = empty.board->identify();
    ASSERT_TRUE(none.has_value());
    EXPECT_FALSE(none->supported());
    EXPECT_EQ(empty.board->failure(), SessionFailure::NoPart);
    EXPECT_FALSE(empty.board->readBack());

    Bench pulled(0xFFF0);
    pulled.chip->unplug();
    EXPECT_FALSE(pulled.board->open(std::chrono::milliseconds(200)));
    EXPECT_EQ(pulled.board->failure(), SessionFailure::NoBoard);

    Bench flaky(0xFFF0);
    ASSERT_TRUE(flaky.board->open(std::chrono::seconds(2)));
    ASSERT_TRUE(flaky.board->identify());
    const uint64_t before = flaky.board->exchanges();
    flaky.chip->failNextWrites(1000);  // every retry of the write-out fails
    EXPECT_TRUE(flaky.board->writeOut());  // queued, not yet carried out
    EXPECT_FALSE(flaky.board->done());
    EXPECT_EQ(flaky.board->failure(), SessionFailure::Link);
    EXPECT_NE(flaky.board->error().find("stopped answering"), std::string::npos) << flaky.board->error();
    EXPECT_EQ(flaky.board->exchanges(), before + 2);
    // Once failed, nothing more is asked of the board.
    EXPECT_EQ(flaky.board->request(std::make_unique<HSSSingleReadCmd>(0x00, 1)), nullptr);
}
