#include <gtest/gtest.h>

#include <chrono>

#include "device/FaultHistory.h"

namespace {

using namespace hss;
using namespace std::chrono_literals;

const HSSFault::TimePoint kStart{std::chrono::sys_days{std::chrono::year{2026} / 12 / 9}};

TEST(FaultHistory, EventsDurationsCapAndCsv)
{
    FaultHistory history;
    history.raise(FaultId::i2tFaultCh2, kStart);
    history.raise(FaultId::porFault, kStart + 10ms);
    EXPECT_FALSE(history.at(0).duration);
    history.clear(FaultId::i2tFaultCh2, kStart + 1250ms);
    ASSERT_EQ(history.size(), 3u);
    // The clear and its raise both know how long it lasted.
    EXPECT_EQ(history.at(2).duration, 1250ms);
    EXPECT_EQ(history.at(0).duration, 1250ms);
    ASSERT_NE(history.lastClosedRaise(), nullptr);
    EXPECT_EQ(history.lastClosedRaise()->sequence, 0u);
    EXPECT_FALSE(history.at(1).duration);  // POR still set

    // Channels: device faults 0, then the records in channel pairs.
    for (auto [fault, channel] : {std::pair{FaultId::porFault, 0}, {FaultId::vddUvloFault, 0},
                                  {FaultId::thWarnCh1, 1}, {FaultId::thWarnCh2, 2}, {FaultId::i2tAccCh2, 2}})
        EXPECT_EQ(faultChannel(fault), channel) << int(fault);

    const std::string csv = faultHistoryCsv(history);
    EXPECT_EQ(formatEventTime(kStart + 1250ms).substr(10), formatEventTime(kStart).substr(10, 7) + "01.250");
    EXPECT_EQ(csv, "time,channel,record,event,duration (s)\r\n" +
                       formatEventTime(kStart + 1250ms) + ",2,\"I2T Fault (CH2)\",cleared,1.250\r\n" +
                       formatEventTime(kStart + 10ms) + ",,\"Power on Reset (POR)\",raised,\r\n" +
                       formatEventTime(kStart) + ",2,\"I2T Fault (CH2)\",raised,1.250\r\n");
    EXPECT_EQ(formatDuration(3725300ms), "1 h 02 min 05.300 s");
    EXPECT_EQ(formatDuration(125300ms), "2 min 05.300 s");

    // After "Clear All" a fault still set clears with its whole duration.
    history.clearEvents();
    history.clear(FaultId::porFault, kStart + 2010ms);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history.at(0).duration, 2000ms);

    // The oldest go past the cap; sequence numbers stay (4 events came before).
    for (std::size_t i = 0; i < FaultHistory::kMaxEvents + 9; ++i)
        history.raise(FaultId::spiFault, kStart);
    EXPECT_EQ(history.size(), FaultHistory::kMaxEvents);
    EXPECT_EQ(history.at(0).sequence, 13u);
    EXPECT_EQ(history.find(12), nullptr);
    EXPECT_EQ(history.find(13), &history.at(0));
}

}  // namespace
