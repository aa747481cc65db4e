#include <gtest/gtest.h>

#include "device/PartTable.h"

namespace {

TEST(PartTable, EveryRow)
{
    struct Row {
        uint16_t code;
        const char* name;
        hss_device_family_t family;
        bool safety;
        float ratio;  // 0: kept
        float scale;
        const char* descriptionStart;
    };
    const Row rows[] = {
        {0xFF00, "ZVR2M05A-K1", HSS_FAMILY_18PWP, false, 7000, 1000, "ZVR2M05-K1 5m"},
        {0xFF01, "ZVR2M05B-K1", HSS_FAMILY_18PWP, false, 7000, 1000, "ZVR2M05-K1 5m"},
        {0xFF04, "ZVR2M07A-K1", HSS_FAMILY_18PWP, false, 5000, 1200, "ZVR2M07-K1 7m"},
        {0xFF05, "ZVR2M07B-K1", HSS_FAMILY_18PWP, false, 5000, 1200, "ZVR2M07-K1 7m"},
        {0xFFF0, "ZVR2M08A-K1", HSS_FAMILY_16PWP, false, 5000, 1200, "ZVR2M08-K1 8.3m"},
        {0xFFF1, "ZVR2M08B-K1", HSS_FAMILY_16PWP, false, 5000, 1200, "ZVR2M08-K1 8.3m"},
        {0xFFF2, "ZVR2M08AF-K1", HSS_FAMILY_16PWP, true, 5000, 1200, "ZVR2M08-K1 8.3m"},
        {0xFFF3, "ZVR2M08BF-K1", HSS_FAMILY_16PWP, true, 5000, 1200, "ZVR2M08-K1 8.3m"},
        {0xFFF4, "ZVR2M10A-K1", HSS_FAMILY_16PWP, false, 0, 0, "ZVR2M10-K1 11m"},
        {0xFFF5, "ZVR2M10B-K1", HSS_FAMILY_16PWP, false, 0, 0, "ZVR2M10-K1 11m"},
        {0xFFF6, "ZVR2M10AF-K1", HSS_FAMILY_16PWP, true, 0, 0, "ZVR2M10-K1 11m"},
        {0xFFF7, "ZVR2M10BF-K1", HSS_FAMILY_16PWP, true, 0, 0, "ZVR2M10-K1 11m"},
        {0xFFF8, "ZVR2M20A-K1", HSS_FAMILY_16PWP, false, 0, 0, "ZVR2M20-K1 20m"},
        {0xFFF9, "ZVR2M20B-K1", HSS_FAMILY_16PWP, false, 0, 0, "ZVR2M20-K1 20m"},
        {0xFFFA, "ZVR2M20AF-K1", HSS_FAMILY_16PWP, true, 0, 0, "ZVR2M20-K1 20m"},
        {0xFFFB, "ZVR2M20BF-K1", HSS_FAMILY_16PWP, true, 0, 0, "ZVR2M20-K1 20m"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const HSSPartInfo* part = hss::findPartByDevID(row.code);
        ASSERT_NE(part, nullptr);
        EXPECT_EQ(part->name, row.name);
        EXPECT_EQ(part->family, row.family);
        EXPECT_EQ(part->isSafetyDevice, row.safety);
        EXPECT_FALSE(part->isPrototype);
        EXPECT_TRUE(part->description.starts_with(row.descriptionStart));
        if (row.ratio == 0) {
            EXPECT_FALSE(part->senseRatio);
        } else {
            ASSERT_TRUE(part->senseRatio);
            EXPECT_EQ(part->senseRatio->ratio, row.ratio);
            EXPECT_EQ(part->senseRatio->scale, row.scale);
        }
    }
    EXPECT_EQ(hss::partTable().size(), std::size(rows) + 1);
}

TEST(PartTable, PrototypeRow)
{
    const HSSPartInfo* part = hss::findPartByDevID(0xFFFF);
    ASSERT_NE(part, nullptr);
    EXPECT_TRUE(part->isPrototype);
    EXPECT_EQ(part->name, "ZVR2M10-K1 PROTOTYPE");
    EXPECT_EQ(part->description, "Prototype silicon not supported.");
    EXPECT_FALSE(part->isSafetyDevice);
    EXPECT_FALSE(part->senseRatio);
}

TEST(PartTable, UnlistedCodesIdentifyNothing)
{
    for (uint16_t code : {0x0000, 0xFF02, 0xFF03, 0xFF06, 0x1234, 0xFFEF, 0xFFFC, 0xFFFE})
        EXPECT_EQ(hss::findPartByDevID(code), nullptr) << code;
}

TEST(PartTable, DescriptionsAreVerbatimUtf8)
{
    // The ohm sign is U+03A9 (CE A9 in UTF-8); the double blanks are part of the text.
    EXPECT_EQ(hss::findPartByDevID(0xFF00)->description,
              "ZVR2M05-K1 5m\xCE\xA9, Automotive Dual-Channel, SPI Controller  with Integrated I2t Wire "
              "Protection and Low Power Mode");
    EXPECT_EQ(hss::findPartByDevID(0xFF05)->description,
              "ZVR2M07-K1 7m\xCE\xA9, Automotive Dual-Channel, SPI Controller  with Integrated I2t Wire "
              "Protection and Low Power Mode");
    EXPECT_EQ(hss::findPartByDevID(0xFFF1)->description,
              "ZVR2M08-K1 8.3m\xCE\xA9, Automotive Dual-Channel,  SPI Controlled High-Side Switch with "
              "Integrated I2t Wire Protection and low power mode");
    EXPECT_EQ(hss::findPartByDevID(0xFFF7)->description,
              "ZVR2M10-K1 11m\xCE\xA9, Automotive Dual-Channel,  SPI Controlled High-Side Switch with "
              "Integrated I2t Wire Protection and low power mode");
    EXPECT_EQ(hss::findPartByDevID(0xFFFB)->description,
              "ZVR2M20-K1 20m\xCE\xA9, Automotive Dual-Channel,  SPI Controlled High-Side Switch with "
              "Integrated I2t Wire Protection and low power mode");
}

}  // namespace
