#include <gtest/gtest.h>

#include "device/DeviceIdentification.h"
#include "device/ZVRxQxx18PINConfiguration.h"

namespace {

using hss::decideDeviceIdentification;
using O = hss::IdentificationOutcome;

struct IdentificationCase {
    const char* what;
    uint16_t code;
    bool demo;
    bool detected;
    hss_device_family_t currentFamily;
    std::optional<uint16_t> shown;
    O outcome;
    bool updateState;
    hss_device_family_t family;
    bool safety;
    const char* name;
    bool loseFirst;
};

TEST(DeviceIdentification, Decisions)
{
    const auto F0 = HSS_FAMILY_NONE, F16 = HSS_FAMILY_16PWP, F18 = HSS_FAMILY_18PWP;
    const std::optional<uint16_t> none;
    const IdentificationCase cases[] = {
        {"unlisted, nothing shown", 0x0000, false, false, F0, none, O::Unchanged, true, F0, false,
         "DEVICE NOT DETECTED", false},
        {"gap code, nothing shown", 0xFF02, false, false, F0, none, O::Unchanged, true, F0, false,
         "DEVICE NOT DETECTED", false},
        {"safety part appears", 0xFFF2, false, false, F0, none, O::Found, true, F16, true, "ZVR2M08AF-K1", false},
        {"same part polled again", 0xFFF2, false, true, F16, 0xFFF2, O::Unchanged, true, F16, true,
         "ZVR2M08AF-K1", false},
        {"plain part appears", 0xFFF5, false, false, F0, none, O::Found, true, F16, false, "ZVR2M10B-K1", false},
        {"18-pin part appears", 0xFF04, false, false, F0, none, O::Found, true, F18, false, "ZVR2M07A-K1", false},
        {"part lost", 0x1234, false, true, F16, 0xFFF0, O::Lost, true, F0, false, "DEVICE NOT DETECTED", false},
        {"prototype appears", 0xFFFF, false, false, F0, none, O::Prototype, true, F0, false,
         "ZVR2M10-K1 PROTOTYPE", false},
        {"prototype after the board came back", 0xFFFF, false, false, F16, none, O::Prototype, true, F0, false,
         "ZVR2M10-K1 PROTOTYPE", false},
        {"prototype polled again", 0xFFFF, false, true, F0, 0xFFFF, O::Unchanged, true, F0, false,
         "ZVR2M10-K1 PROTOTYPE", false},
        {"prototype removed", 0x0000, false, true, F0, 0xFFFF, O::Lost, true, F0, false, "DEVICE NOT DETECTED",
         false},
        {"part swapped for another family", 0xFF00, false, true, F16, 0xFFF0, O::Found, true, F18, false,
         "ZVR2M05A-K1", true},
        {"part swapped for prototype", 0xFFFF, false, true, F16, 0xFFF0, O::Prototype, true, F0, false,
         "ZVR2M10-K1 PROTOTYPE", true},
        {"detected without a shown code", 0xFF00, false, true, F16, none, O::Unchanged, true, F18, false,
         "ZVR2M05A-K1", false},
        {"demo, listed", 0xFF04, true, false, F0, none, O::DemoShown, true, F18, false, "ZVR2M07A-K1", false},
        {"demo, unlisted", 0x1234, true, true, F16, 0xFFF0, O::DemoIgnored, false, F16, false, "", false},
    };
    for (const IdentificationCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto d = decideDeviceIdentification(c.code, c.demo, c.detected, c.currentFamily, c.shown);
        EXPECT_EQ(d.outcome, c.outcome);
        EXPECT_EQ(d.updateState, c.updateState);
        EXPECT_EQ(d.family, c.family);
        EXPECT_EQ(d.isSafetyDevice, c.safety);
        EXPECT_EQ(d.crcOn(), c.safety);
        EXPECT_EQ(d.showSafetyPage(), c.safety);
        EXPECT_EQ(d.name, c.name);
        EXPECT_EQ(d.loseShownPartFirst, c.loseFirst);
    }
}

TEST(DeviceIdentification, LabelsAndMessages)
{
    const auto lost = decideDeviceIdentification(0x1234, false, true, HSS_FAMILY_16PWP, 0xFFF0);
    EXPECT_TRUE(lost.description.empty());
    const auto found = decideDeviceIdentification(0xFFF0, false, false, HSS_FAMILY_NONE, std::nullopt);
    EXPECT_EQ(found.description, hss::findPartByDevID(0xFFF0)->description);
    EXPECT_EQ(hss::partDetectedLogLine(found.name), "High-side switch ZVR2M08A-K1 detected.");
    EXPECT_EQ(hss::kPartLostLogLine, "High-side switch daughter card not detected.");
    EXPECT_TRUE(hss::kIncompatibleSiliconText.starts_with(
        "The current daughter card contains prototype silicon that is no longer supported. Please obtain new "));
    const auto proto = decideDeviceIdentification(0xFFFF, false, false, HSS_FAMILY_NONE, std::nullopt);
    EXPECT_EQ(proto.description, "Prototype silicon not supported.");
}

TEST(DeviceIdentification, RecordsTakeCodeAndSenseRatio)
{
    ZVRxQxx16PINConfiguration sixteen;
    ZVRxQxx18PINConfiguration eighteen;

    auto d = decideDeviceIdentification(0xFF00, false, false, HSS_FAMILY_NONE, std::nullopt);
    d.applyToRecords(0xFF00, sixteen, eighteen);
    EXPECT_EQ(eighteen.getDevID(), 0xFF00);
    EXPECT_EQ(eighteen.getKSNSRatio(), 7000.0f);
    EXPECT_EQ(eighteen.getKSNSRatioScale(), 1000.0f);
    EXPECT_EQ(sixteen.getDevID(), 0);

    d = decideDeviceIdentification(0xFFF0, false, false, HSS_FAMILY_NONE, std::nullopt);
    d.applyToRecords(0xFFF0, sixteen, eighteen);
    EXPECT_EQ(sixteen.getDevID(), 0xFFF0);
    EXPECT_EQ(sixteen.getKSNSRatio(), 5000.0f);

    // A ZVR2M10 part keeps the ratio held before.
    d = decideDeviceIdentification(0xFFF6, false, false, HSS_FAMILY_NONE, std::nullopt);
    d.applyToRecords(0xFFF6, sixteen, eighteen);
    EXPECT_EQ(sixteen.getDevID(), 0xFFF6);
    EXPECT_EQ(sixteen.getKSNSRatio(), 5000.0f);
    EXPECT_EQ(sixteen.getKSNSRatioScale(), 1200.0f);

    // Prototype, unlisted codes and ignored demo codes touch no record.
    for (uint16_t code : {uint16_t{0xFFFF}, uint16_t{0x1234}}) {
        for (bool demo : {false, true}) {
            d = decideDeviceIdentification(code, demo, false, HSS_FAMILY_16PWP, std::nullopt);
            d.applyToRecords(code, sixteen, eighteen);
        }
    }
    EXPECT_EQ(sixteen.getDevID(), 0xFFF6);
    EXPECT_EQ(eighteen.getDevID(), 0xFF00);
}

}  // namespace
