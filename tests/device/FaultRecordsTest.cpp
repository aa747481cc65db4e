// Fault records (edges, counts, dates with an injected clock) and the
// decoding of the fault words into rows, log lines and summaries.

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "device/FaultDecoding.h"
#include "device/FaultRecords.h"
#include "device/HSSFault.h"
#include "device/ZVRxQxx18PINConfiguration.h"

namespace {

using hss::FaultId;
using hss::FaultWord;

// A local wall-clock time as the system clock's time point.
HSSFault::TimePoint localTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

TEST(HSSFault, CountsRisingEdgesOnlyAndDatesTheLastOne)
{
    HSSFault::TimePoint now = localTime(2024, 3, 5, 13, 7, 9);
    HSSFault fault("Thermal Warning (CH1)", "description", [&] { return now; });
    EXPECT_EQ(fault.getFaultCount(), 0u);
    EXPECT_FALSE(fault.isFaulted());
    EXPECT_EQ(fault.getFaultDate(), "Never");

    fault.setFaultState(true);
    now = localTime(2024, 3, 5, 14, 0, 0);
    fault.setFaultState(true);  // still set: the same fault
    EXPECT_EQ(fault.getFaultCount(), 1u);
    EXPECT_EQ(fault.getFaultDate(), "March 05, 01:07:09");

    fault.setFaultState(false);
    EXPECT_FALSE(fault.isFaulted());
    EXPECT_EQ(fault.getFaultCount(), 1u);
    fault.setFaultState(true);
    EXPECT_EQ(fault.getFaultCount(), 2u);
    EXPECT_EQ(fault.getFaultDate(), "March 05, 02:00:00");

    // A reset keeps the state and the date; the count restarts at the next edge.
    fault.resetFaultState();
    EXPECT_EQ(fault.getFaultCount(), 0u);
    EXPECT_TRUE(fault.isFaulted());
    EXPECT_EQ(fault.getFaultDate(), "Never");
    EXPECT_EQ(fault.lastFaultTime(), now);
    fault.setFaultState(true);
    EXPECT_EQ(fault.getFaultCount(), 0u);
    fault.setFaultState(false);
    fault.setFaultState(true);
    EXPECT_EQ(fault.getFaultCount(), 1u);
}

TEST(HSSFault, DatesReadAsFullMonthTwoDigitDayAndTwelveHourClock)
{
    struct Case {
        HSSFault::TimePoint time;
        const char* text;
    };
    const Case cases[] = {
        {localTime(2023, 1, 1, 0, 0, 0), "January 01, 12:00:00"},      // midnight
        {localTime(2023, 7, 14, 12, 30, 45), "July 14, 12:30:45"},     // noon
        {localTime(2023, 9, 9, 23, 59, 59), "September 09, 11:59:59"},  // no AM/PM mark
        {localTime(2023, 12, 31, 9, 5, 1), "December 31, 09:05:01"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatFaultDate(c.time), c.text);
}

TEST(FaultRecords, TwentySixRecordsInTheWindowsOrderAndClearAllSparesLimpHome)
{
    EXPECT_EQ(hss::faultText(FaultId::limpFault).field, "limpFault");
    EXPECT_EQ(hss::faultText(FaultId::porFault).name, "Power on Reset (POR)");
    EXPECT_EQ(hss::faultText(FaultId::i2tAccCh2).field, "i2tAccCh2");
    EXPECT_EQ(hss::faultText(FaultId::i2tAccCh2).name, "I2T Accumulating (CH2)");
    EXPECT_EQ(std::size_t(FaultId::i2tAccCh2) + 1, hss::kFaultCount);
    // Channel 2's thermal warning reads like channel 1's.
    std::string ch1(hss::faultText(FaultId::thWarnCh1).description);
    std::replace(ch1.begin(), ch1.end(), '1', '2');
    EXPECT_EQ(hss::faultText(FaultId::thWarnCh2).description, ch1);

    hss::FaultRecords records;
    for (std::size_t i = 0; i < hss::kFaultCount; ++i) {
        EXPECT_EQ(records[FaultId(i)].getFaultName(), hss::faultText(FaultId(i)).name);
        records[FaultId(i)].setFaultState(true);
    }
    records.clearAllStatistics();
    EXPECT_EQ(records[FaultId::limpFault].getFaultCount(), 1u);
    EXPECT_NE(records[FaultId::limpFault].getFaultDate(), "Never");
    for (std::size_t i = 1; i < hss::kFaultCount; ++i)
        EXPECT_EQ(records[FaultId(i)].getFaultCount(), 0u) << i;
}

std::vector<int> bitsOf(hss_device_family_t family, FaultWord word)
{
    std::vector<int> bits;
    for (const hss::FaultRow& row : hss::faultRows(family)) {
        if (row.word == word)
            bits.push_back(row.bit);
    }
    return bits;
}

TEST(FaultDecoding, RowsComeInTheViewsOrderPerFamily)
{
    using Bits = std::vector<int>;
    EXPECT_EQ(bitsOf(HSS_FAMILY_16PWP, FaultWord::Device), (Bits{0, 11, 1, 2, 3, 4, 6, 7}));
    EXPECT_EQ(bitsOf(HSS_FAMILY_16PWP, FaultWord::Channel1), (Bits{0, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(bitsOf(HSS_FAMILY_16PWP, FaultWord::Channel2), (Bits{0, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(bitsOf(HSS_FAMILY_18PWP, FaultWord::Device), (Bits{0, 11, 1, 2, 3, 4, 6, 7}));
    EXPECT_EQ(bitsOf(HSS_FAMILY_18PWP, FaultWord::Channel1), (Bits{0, 2, 3, 4, 5, 6, 7, 12}));
    EXPECT_EQ(bitsOf(HSS_FAMILY_18PWP, FaultWord::Channel2), (Bits{0, 2, 3, 4, 5, 6, 12, 7}));
    EXPECT_TRUE(hss::faultRows(HSS_FAMILY_NONE).empty());
    // Device rows come first, then channel 1, then channel 2.
    const auto rows = hss::faultRows(HSS_FAMILY_18PWP);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(),
                               [](const auto& a, const auto& b) { return a.word < b.word; }));
}

// The lines a redraw logs when the words change from all clear to the
// given ones (raise), and when they go back to all clear (clear).
struct EdgeLines {
    std::vector<std::string> raise, clear;
};
EdgeLines edgeLinesFor(hss_device_family_t family, uint16_t device, uint16_t ch1, uint16_t ch2)
{
    hss::FaultRecords records;
    hss::redrawFaults(records, family, {{{0, 0, 0}}});
    EdgeLines lines;
    for (std::string_view line : hss::redrawFaults(records, family, {{{device, ch1, ch2}}}).logLines)
        lines.raise.emplace_back(line);
    for (std::string_view line : hss::redrawFaults(records, family, {{{0, 0, 0}}}).logLines)
        lines.clear.emplace_back(line);
    return lines;
}

std::vector<std::string> linesFor(hss_device_family_t family, uint16_t device, uint16_t ch1, uint16_t ch2)
{
    return edgeLinesFor(family, device, ch1, ch2).raise;
}

TEST(FaultDecoding, RaiseAndClearLinesWordForWord)
{
    using Lines = std::vector<std::string>;
    // The undervoltage warning has no clear line.
    EXPECT_EQ(edgeLinesFor(HSS_FAMILY_18PWP, 0x08DF, 0, 0).clear,
              (Lines{"VBB UVLO Fault recovered.", "LPM Fault recovered.", "VDD UVLO fault recovered.",
                     "Watchdog fault recovered.", "SPI fault recovered.", "Power on Reset (POR) recovered.",
                     "Limp home fault recovered."}));
    EXPECT_EQ(edgeLinesFor(HSS_FAMILY_18PWP, 0, 0x10FD, 0).clear,
              (Lines{"Thermal warning (CH1) recovered.", "Open load (OFF) (CH1) recovered.",
                     "Short-to-VBB (CH1) recovered.", "Current limit (CH1) recovered.",
                     "Thermal shutdown (CH1) recovered.", "LPM Wakeup (CH1) recovered.", "I2T Fault (CH1) recovered.",
                     "I2T (CH1) stopped accumulating."}));
    EXPECT_EQ(edgeLinesFor(HSS_FAMILY_16PWP, 0, 0, 0x10FD).clear,  // no accumulating row on 16-pin parts
              (Lines{"Thermal warning (CH2) recovered.", "Open load OFF (CH2) recovered.",
                     "Short-to-VBB fault (CH2) recovered.", "Current Limit Fault (CH2) recovered.",
                     "Thermal Shutdown (CH2) recovered.", "LPM Wake (CH2) recovered.", "I2T Fault (CH2) recovered."}));
    EXPECT_EQ(linesFor(HSS_FAMILY_16PWP, 0x08DF, 0, 0),
              (Lines{"VBB UVLO fault detected.", "LPM fault detected.", "VBB UVLO warning detected.",
                     "VDD UVLO fault detected.", "Watchdog fault detected.", "SPI fault detected.",
                     "Power on Reset (POR) detected.", "Limp home fault detected."}));
    EXPECT_EQ(linesFor(HSS_FAMILY_16PWP, 0, 0x10FD, 0),  // bit 12 means nothing on 16-pin parts
              (Lines{"Thermal warning (CH1) detected.", "Open load (OFF) (CH1) detected.",
                     "Short-to-VBB (CH1) detected.", "Current limit (CH1) detected.",
                     "Thermal shutdown (CH1) detected.", "LPM Wakeup (CH1) detected.", "I2T Fault (CH1) detected."}));
    EXPECT_EQ(linesFor(HSS_FAMILY_18PWP, 0, 0, 0x10FD),
              (Lines{"Thermal warning (CH2) detected.", "Open load OFF (CH2) detected.",
                     "Short-to-VBB fault (CH2) detected.", "Current Limit Fault (CH2) detected.",
                     "Thermal Shutdown (CH2) detected.", "LPM Wake (CH2) detected.",
                     "I2T (CH2) started accumulating.", "I2T Fault (CH2) detected."}));
}

TEST(FaultDecoding, EdgesLogOnceAndSummariesFollowTheirOwnBits)
{
    hss::FaultRecords records;
    const hss::FaultWords thermal{{{0, 0x0001, 0}}};
    std::vector<std::string_view> lines;
    for (int poll = 0; poll < 5; ++poll) {
        const auto redraw = hss::redrawFaults(records, HSS_FAMILY_16PWP, thermal);
        lines.insert(lines.end(), redraw.logLines.begin(), redraw.logLines.end());
        EXPECT_EQ(redraw.channels[0], true);
        EXPECT_EQ(redraw.channels[1], false);
    }
    EXPECT_EQ(lines, std::vector<std::string_view>{"Thermal warning (CH1) detected."});
    EXPECT_EQ(records[FaultId::thWarnCh1].getFaultCount(), 1u);
    auto cleared = hss::redrawFaults(records, HSS_FAMILY_16PWP, {{{0, 0, 0}}});
    EXPECT_EQ(cleared.logLines, std::vector<std::string_view>{"Thermal warning (CH1) recovered."});

    // The undervoltage warning leaves without a word.
    hss::redrawFaults(records, HSS_FAMILY_16PWP, {{{0x0002, 0, 0}}});
    EXPECT_TRUE(hss::redrawFaults(records, HSS_FAMILY_16PWP, {{{0, 0, 0}}}).logLines.empty());
    EXPECT_FALSE(records[FaultId::vbbWarningFault].isFaulted());

    // The global bit alone: red summary, no row of its own.
    const auto global = hss::redrawFaults(records, HSS_FAMILY_16PWP, {{{0x0100, 0, 0}}});
    EXPECT_EQ(global.global, true);
    EXPECT_TRUE(global.logLines.empty());

    // Accumulating (bit 12) is no channel fault; limp home and LPM wake-up
    // are reported for their follow-ups.
    const auto eighteen = hss::redrawFaults(records, HSS_FAMILY_18PWP, {{{0x0080, 0x0040, 0x1000}}});
    EXPECT_EQ(eighteen.channels[1], false);
    EXPECT_EQ(eighteen.channels[0], true);
    EXPECT_EQ(eighteen.limpHome, true);
    EXPECT_EQ(eighteen.lpmWake[0], true);
    EXPECT_EQ(eighteen.lpmWake[1], false);
    EXPECT_TRUE(records[FaultId::i2tAccCh2].isFaulted());
}

TEST(FaultDecoding, WordsNotReadYetLeaveTheirRowsAlone)
{
    hss::FaultRecords records;
    records[FaultId::thWarnCh2].setFaultState(true);
    hss::FaultWords onlyDevice;
    onlyDevice.words[0] = 0x0040;
    const auto redraw = hss::redrawFaults(records, HSS_FAMILY_16PWP, onlyDevice);
    EXPECT_EQ(redraw.lamps.size(), 8u);
    EXPECT_FALSE(redraw.channels[0].has_value());
    EXPECT_FALSE(redraw.lpmWake[1].has_value());
    EXPECT_TRUE(records[FaultId::thWarnCh2].isFaulted());  // no made-up recovery
    EXPECT_EQ(redraw.logLines, std::vector<std::string_view>{"Power on Reset (POR) detected."});
}

TEST(FaultDecoding, RepliesAreStoredByTheFamilysAddresses)
{
    struct Case {
        hss_device_family_t family;
        uint8_t address;
        std::optional<FaultWord> word;
    };
    const Case cases[] = {
        {HSS_FAMILY_16PWP, 0x04, FaultWord::Device},   {HSS_FAMILY_16PWP, 0x0D, FaultWord::Channel1},
        {HSS_FAMILY_16PWP, 0x16, FaultWord::Channel2}, {HSS_FAMILY_16PWP, 0x03, std::nullopt},
        {HSS_FAMILY_18PWP, 0x03, FaultWord::Device},   {HSS_FAMILY_18PWP, 0x0C, FaultWord::Channel1},
        {HSS_FAMILY_18PWP, 0x15, FaultWord::Channel2}, {HSS_FAMILY_18PWP, 0x04, std::nullopt},
        {HSS_FAMILY_NONE, 0x04, std::nullopt},
    };
    for (const Case& c : cases) {
        ZVRxQxx18PINConfiguration record;
        EXPECT_EQ(hss::storeFaultWord(record, c.family, c.address, 0x1234), c.word) << int(c.address);
        const uint16_t stored = c.word == FaultWord::Device     ? record.getDevFault()
                                : c.word == FaultWord::Channel1 ? record.getChanFault(0)
                                : c.word == FaultWord::Channel2 ? record.getChanFault(1)
                                                                : 0;
        EXPECT_EQ(stored, c.word ? 0x1234 : 0) << int(c.address);
    }
}

}  // namespace
