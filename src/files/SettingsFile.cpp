#include "files/SettingsFile.h"

#include <array>

#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"

namespace hss::files {
namespace {

using R = HSSRegister;

constexpr std::array<SettingsRegister, 14> kSixteenPinFile{{
    {"ZVR2M08_DEVID", R::DEVID, 0},
    {"ZVR2M08_LPM", R::LPM, 0},
    {"ZVR2M08_FAULT_MASK", R::FAULT_MASK, 0},
    {"ZVR2M08_SW_STATE", R::SW_STATE, 0},
    {"ZVR2M08_DEV_CONFIG", R::DEV_CONFIG, 0},
    {"ZVR2M08_ADC_CONFIG", R::ADC_CONFIG, 0},
    {"ZVR2M08_PWM_CH1", R::PWM_CH, 0},
    {"ZVR2M08_ILIM_CONFIG_CH1", R::ILIM_CONFIG_CH, 0},
    {"ZVR2M08_CH1_CONFIG", R::CH_CONFIG, 0},
    {"ZVR2M08_I2T_CONFIG_CH1", R::I2T_CONFIG_CH, 0},
    {"ZVR2M08_PWM_CH2", R::PWM_CH, 1},
    {"ZVR2M08_ILIM_CONFIG_CH2", R::ILIM_CONFIG_CH, 1},
    {"ZVR2M08_CH2_CONFIG", R::CH_CONFIG, 1},
    {"ZVR2M08_I2T_CONFIG_CH2", R::I2T_CONFIG_CH, 1},
}};

constexpr std::array<SettingsRegister, 22> kEighteenPinFile{{
    {"ZVRXQXX_24PWP_K1_DEVID", R::DEVID, 0},
    {"ZVRXQXX_24PWP_K1_LPM", R::LPM, 0},
    {"ZVRXQXX_24PWP_K1_FAULT_MASK", R::FAULT_MASK, 0},
    {"ZVRXQXX_24PWP_K1_SW_STATE", R::SW_STATE, 0},
    {"ZVRXQXX_24PWP_K1_DEV_CONFIG", R::DEV_CONFIG, 0},
    {"ZVRXQXX_24PWP_K1_ADC_CONFIG", R::ADC_CONFIG, 0},
    {"ZVRXQXX_24PWP_K1_PWM_CH1", R::PWM_CH, 0},
    {"ZVRXQXX_24PWP_K1_ILIM_CONFIG_CH1", R::ILIM_CONFIG_CH, 0},
    {"ZVRXQXX_24PWP_K1_CH1_CONFIG", R::CH_CONFIG, 0},
    {"ZVRXQXX_24PWP_K1_I2T_CONFIG_CH1", R::I2T_CONFIG_CH, 0},
    {"ZVRXQXX_24PWP_K1_PWM_CH2", R::PWM_CH, 1},
    {"ZVRXQXX_24PWP_K1_ILIM_CONFIG_CH2", R::ILIM_CONFIG_CH, 1},
    {"ZVRXQXX_24PWP_K1_CH2_CONFIG", R::CH_CONFIG, 1},
    {"ZVRXQXX_24PWP_K1_I2T_CONFIG_CH2", R::I2T_CONFIG_CH, 1},
    {"ZVRXQXX_24PWP_K1_TSNS_CAL_RESULT_CH1_REG", R::TSNS_CAL_RESULT_CH1_REG, 0},
    {"ZVRXQXX_24PWP_K1_TSNS_CAL_RESULT_CH2_REG", R::TSNS_CAL_RESULT_CH2_REG, 0},
    {"ZVRXQXX_24PWP_K1_CUST_REG_52_REG", R::CUST_REG_52_REG, 0},
    {"ZVRXQXX_24PWP_K1_CUST_REG_53_REG", R::CUST_REG_53_REG, 0},
    {"ZVRXQXX_24PWP_K1_CUST_REG_54_REG", R::CUST_REG_54_REG, 0},
    {"ZVRXQXX_24PWP_K1_CUST_REG_55_REG", R::CUST_REG_55_REG, 0},
    {"ZVRXQXX_24PWP_K1_CUST_REG_56_REG", R::CUST_REG_56_REG, 0},
    {"ZVRXQXX_24PWP_K1_CUST_REG_57_REG", R::CUST_REG_57_REG, 0},
}};

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Every register of the family has an address there; the table above only
// names registers the family has.
uint8_t fileAddress(hss_device_family_t family, const SettingsRegister& entry)
{
    return registerAddress(family, entry.reg, entry.channel).value_or(0);
}

std::string fileText(hss_device_family_t family, std::string_view header, const ZVRxQxx16PINConfiguration& snapshot)
{
    std::string text;
    text.append(header).append(kLineEnd);
    for (const SettingsRegister& entry : settingsRegisters(family)) {
        const uint16_t value = snapshot.getRegister(entry.reg, entry.channel).value_or(0);
        text.append("/* ").append(entry.tag).append(" */").append(kLineEnd);
        text.append(std::to_string(fileAddress(family, entry)))
            .append(",")
            .append(std::to_string(value))
            .append(kLineEnd);
    }
    return text;
}

// Splits at CR LF, LF or CR. The text after the last line end is a line
// only when it is not empty.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit)
{
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            visit(text);
            return;
        }
        visit(text.substr(0, end));
        const std::size_t next = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1;
        text.remove_prefix(next);
    }
}

}  // namespace

std::span<const SettingsRegister> settingsRegisters(hss_device_family_t family)
{
    if (family == HSS_FAMILY_16PWP) return kSixteenPinFile;
    if (family == HSS_FAMILY_18PWP) return kEighteenPinFile;
    return {};
}

std::string sixteenPinSettingsText(const ZVRxQxx16PINConfiguration& record)
{
    const ZVRxQxx16PINConfiguration snapshot = record;
    return fileText(HSS_FAMILY_16PWP, magicFileWord16, snapshot);
}

std::string eighteenPinSettingsText(const ZVRxQxx18PINConfiguration& record)
{
    const ZVRxQxx18PINConfiguration snapshot = record;
    return fileText(HSS_FAMILY_18PWP, magicFileWord18, snapshot);
}

std::optional<std::string> settingsFileText(hss_device_family_t family, const ZVRxQxx16PINConfiguration& sixteen,
                                            const ZVRxQxx18PINConfiguration& eighteen)
{
    if (family == HSS_FAMILY_16PWP) return sixteenPinSettingsText(sixteen);
    if (family == HSS_FAMILY_18PWP) return eighteenPinSettingsText(eighteen);
    return std::nullopt;
}

std::optional<uint16_t> parseDecimalWord(std::string_view text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Only the low 16 bits are kept, so the sum may wrap at any length.
    uint32_t low = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        low = (low * 10U + static_cast<uint32_t>(c - '0')) & 0xFFFFU;
    }
    if (negative) low = (0x10000U - low) & 0xFFFFU;
    return static_cast<uint16_t>(low);
}

SettingsFileContents readSettingsFile(std::string_view bytes)
{
    SettingsFileContents contents;
    if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());

    bool first = true;
    bool wrongFormat = false;
    forEachLine(bytes, [&](std::string_view line) {
        if (wrongFormat) return;
        if (first) {
            first = false;
            if (line == magicFileWord16) {
                contents.headerFamily = HSS_FAMILY_16PWP;
            } else if (line == magicFileWord18) {
                contents.headerFamily = HSS_FAMILY_18PWP;
            } else {
                wrongFormat = true;
            }
            return;
        }
        if (line.find("/*") != std::string_view::npos || trimmed(line).empty()) return;
        ++contents.recordLines;
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos || line.find(',', comma + 1) != std::string_view::npos) return;
        const auto address = parseDecimalWord(line.substr(0, comma));
        const auto value = parseDecimalWord(line.substr(comma + 1));
        if (!address || !value) {
            ++contents.notDecimalLines;
            return;
        }
        contents.records.push_back({*address, *value});
    });
    if (wrongFormat) return SettingsFileContents{};
    return contents;
}

SettingsApplied applySettingsRecords(hss_device_family_t family, std::span<const SettingsRecord> records,
                                     ZVRxQxx16PINConfiguration& sixteen, ZVRxQxx18PINConfiguration& eighteen)
{
    SettingsApplied result;
    const std::span<const SettingsRegister> table = settingsRegisters(family);
    if (table.empty()) return result;
    ZVRxQxx16PINConfiguration& record = family == HSS_FAMILY_18PWP ? eighteen : sixteen;
    for (const SettingsRecord& item : records) {
        const SettingsRegister* entry = nullptr;
        for (const SettingsRegister& candidate : table) {
            if (fileAddress(family, candidate) == item.address) {
                entry = &candidate;
                break;
            }
        }
        if (entry == nullptr) {
            ++result.notInFamily;
            continue;
        }
        record.setRegister(entry->reg, item.value, entry->channel);
        ++result.applied;
    }
    return result;
}

}  // namespace hss::files
