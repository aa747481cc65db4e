// Every setting control, both families, both channels: a user change writes
// the register word with exactly that field changed and logs the tool's line.
// The expectations are written out here from the register map and the
// handler tables, independently of the editor's binding table.

#include "FakeEditorHost.h"  // first: the emulator header must precede Qt's keyword macros
#include "EditorRowTable.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>

#include <random>

using namespace editortest;

namespace {

struct FamilyCase {
    const char* title;
    uint16_t devid;
    bool eighteen;
};

class EditorRowsTest : public ::testing::TestWithParam<FamilyCase> {};

// Drives one row on one channel: random register word on the chip, read
// back, one change of the control, then the chip's word and the log.
void driveRow(FakeEditorHost& host, const Row& row, bool eighteen, int channel, uint16_t base)
{
    const QString suffix = eighteen ? QStringLiteral("18") : QString();
    const uint8_t address = addressOf(row.reg, eighteen, rowChannel(row, channel));

    // Channel selectors are moved under the guard (no read-back of their own).
    host.guard = true;
    host.find<QComboBox>("chanSettingBox" + suffix)->setCurrentIndex(channel);
    host.find<QComboBox>("i2tChanNumBox" + suffix)->setCurrentIndex(channel);
    host.guard = false;
    host.board->pokeRegister(address, base);
    host.readBack();

    const std::size_t sentBefore = host.sent.size();
    const qsizetype logBefore = host.log.size();
    const ExpectedEdit expected =
        changeControl(host.window.get(), row, eighteen, channel, base, host.editor->i2tArrayValues());

    EXPECT_EQ(expected.address, address);
    EXPECT_EQ(host.board->peekRegister(address), expected.word)
        << "address " << int(address) << " base 0x" << std::hex << base;
    ASSERT_EQ(host.sent.size(), sentBefore + 1);
    EXPECT_EQ(host.sent.back().address, address);
    EXPECT_EQ(host.sent.back().value, expected.word);
    if (expected.line.isEmpty()) {
        EXPECT_EQ(host.log.size(), logBefore);
    } else {
        ASSERT_EQ(host.log.size(), logBefore + 1);
        EXPECT_EQ(host.log.back(), expected.line);
    }
}

TEST_P(EditorRowsTest, EveryControlWritesItsFieldAndLogsItsLine)
{
    const FamilyCase& part = GetParam();
    FakeEditorHost host(part.devid);
    host.identify();
    std::mt19937 random(0x5EED + part.devid);
    std::uniform_int_distribution<unsigned> words(0, 0xFFFF);

    for (const Row& row : kRows) {
        const char* name = rowName(row, part.eighteen);
        if (*name == '\0')
            continue;
        const bool perChannel = row.chan == Chan::Settings || row.chan == Chan::Tuner;
        for (int channel = 0; channel < (perChannel ? 2 : 1); ++channel) {
            SCOPED_TRACE(std::string(name) + " channel " + std::to_string(channel + 1));
            // Twice, so each switch is driven both ways.
            for (int round = 0; round < 2; ++round)
                driveRow(host, row, part.eighteen, channel, static_cast<uint16_t>(words(random)));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Families, EditorRowsTest,
                         ::testing::Values(FamilyCase{"ZVR2M08A", 0xFFF0, false}, FamilyCase{"ZVR2M07A", 0xFF04, true},
                                           FamilyCase{"ZVR2M05A", 0xFF00, true}),
                         [](const auto& testInfo) { return std::string(testInfo.param.title); });

}  // namespace
