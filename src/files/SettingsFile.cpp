#include "files/SettingsFile.h"

#include <algorithm>
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

// A decimal integer with surrounding blanks and an optional sign; the
// magnitude saturates, so any length of digits is safe.
struct DecimalNumber {
    bool negative = false;
    uint32_t magnitude = 0;
    bool inRange(uint32_t max) const { return (!negative || magnitude == 0) && magnitude <= max; }
};

std::optional<DecimalNumber> parseDecimal(std::string_view text)
{
    text = trimmed(text);
    DecimalNumber number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    constexpr uint32_t kSaturated = 0x1000000U;  // past every range checked
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number.magnitude = std::min(kSaturated, number.magnitude * 10U + static_cast<uint32_t>(c - '0'));
    }
    return number;
}

// The part of a line a message quotes: printable, and short enough for a log line.
std::string shownText(std::string_view part)
{
    constexpr std::size_t kShown = 24;
    part = trimmed(part);
    std::string text;
    for (char c : part.substr(0, kShown)) text.push_back(c >= ' ' && c <= '~' ? c : '?');
    if (part.size() > kShown) text += "...";
    return text;
}

// Every register of the family has an address there; the table above only
// names registers the family has.
uint8_t fileAddress(hss_device_family_t family, const SettingsRegister& entry)
{
    return registerAddress(family, entry.reg, entry.channel).value_or(0);
}

// The register of the family's file at an address; null if there is none.
const SettingsRegister* entryAt(hss_device_family_t family, uint8_t address)
{
    for (const SettingsRegister& entry : settingsRegisters(family)) {
        if (fileAddress(family, entry) == address) return &entry;
    }
    return nullptr;
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

SettingsFileContents readSettingsFile(std::string_view bytes)
{
    SettingsFileContents contents;
    if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());

    std::size_t lineNumber = 0;
    bool wrongFormat = false;
    forEachLine(bytes, [&](std::string_view line) {
        ++lineNumber;
        if (wrongFormat) return;
        if (lineNumber == 1) {
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
        auto skip = [&](SettingsLineProblem problem, std::string_view part) {
            contents.skipped.push_back({lineNumber, problem, shownText(part)});
        };
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos || line.find(',', comma + 1) != std::string_view::npos) {
            skip(SettingsLineProblem::NotARecord, line);
            return;
        }
        const std::string_view addressText = line.substr(0, comma);
        const std::string_view valueText = line.substr(comma + 1);
        const std::optional<DecimalNumber> address = parseDecimal(addressText);
        const std::optional<DecimalNumber> value = parseDecimal(valueText);
        if (!address) return skip(SettingsLineProblem::AddressNotDecimal, addressText);
        if (!value) return skip(SettingsLineProblem::ValueNotDecimal, valueText);
        if (!address->inRange(0xFF)) return skip(SettingsLineProblem::AddressOutOfRange, addressText);
        if (!value->inRange(0xFFFF)) return skip(SettingsLineProblem::ValueOutOfRange, valueText);
        const auto registerAddress = static_cast<uint8_t>(address->magnitude);
        if (entryAt(contents.headerFamily, registerAddress) == nullptr) {
            return skip(SettingsLineProblem::NotInFile, addressText);
        }
        contents.records.push_back({registerAddress, static_cast<uint16_t>(value->magnitude), lineNumber});
    });
    if (wrongFormat) return SettingsFileContents{};
    return contents;
}

std::string describeSkippedLine(const SkippedSettingsLine& skipped)
{
    std::string text = "line " + std::to_string(skipped.line) + ": ";
    const std::string quoted = "\"" + skipped.text + "\"";
    switch (skipped.problem) {
    case SettingsLineProblem::NotARecord:
        return text + quoted + " is not an address,value record";
    case SettingsLineProblem::AddressNotDecimal:
        return text + "the address " + quoted + " is not a decimal number";
    case SettingsLineProblem::ValueNotDecimal:
        return text + "the value " + quoted + " is not a decimal number";
    case SettingsLineProblem::AddressOutOfRange:
        return text + "the address " + skipped.text + " is not in 0-255";
    case SettingsLineProblem::ValueOutOfRange:
        return text + "the value " + skipped.text + " is not in 0-65535";
    case SettingsLineProblem::NotInFile:
        return text + "no register of this family's settings is at address " + skipped.text;
    }
    return text;
}

SettingsApplied applySettingsRecords(hss_device_family_t family, std::span<const SettingsRecord> records,
                                     ZVRxQxx16PINConfiguration& sixteen, ZVRxQxx18PINConfiguration& eighteen)
{
    SettingsApplied result;
    const std::span<const SettingsRegister> table = settingsRegisters(family);
    if (table.empty()) return result;
    ZVRxQxx16PINConfiguration& record = family == HSS_FAMILY_18PWP ? eighteen : sixteen;
    for (const SettingsRecord& item : records) {
        const SettingsRegister* entry = entryAt(family, item.address);
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
