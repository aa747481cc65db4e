#include "link/HSSReportDescriptor.h"

#include <map>

namespace {

// Item types and tags of the short-item prefix byte.
constexpr uint8_t kTypeMain = 0;
constexpr uint8_t kTypeGlobal = 1;
constexpr uint8_t kTypeLocal = 2;

constexpr uint8_t kMainInput = 0x8;
constexpr uint8_t kMainOutput = 0x9;
constexpr uint8_t kMainFeature = 0xB;
constexpr uint8_t kMainCollection = 0xA;
constexpr uint8_t kMainEndCollection = 0xC;

constexpr uint8_t kGlobalUsagePage = 0x0;
constexpr uint8_t kGlobalReportSize = 0x7;
constexpr uint8_t kGlobalReportId = 0x8;
constexpr uint8_t kGlobalReportCount = 0x9;
constexpr uint8_t kGlobalPush = 0xA;
constexpr uint8_t kGlobalPop = 0xB;

constexpr uint8_t kLocalUsage = 0x0;

constexpr uint8_t kLongItemPrefix = 0xFE;

// A HID report carries at most this many bits; anything beyond is a broken
// descriptor, not a device.
constexpr uint64_t kMaxReportBits = 8ull * 0x10000;

struct GlobalState {
    uint32_t usagePage = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

uint32_t itemValue(const uint8_t* p, std::size_t size) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value |= static_cast<uint32_t>(p[i]) << (8 * i);
    return value;
}

uint32_t bytesWithId(uint64_t bits) { return static_cast<uint32_t>((bits + 7) / 8 + 1); }

}  // namespace

std::optional<HSSReportDescriptorInfo> parseReportDescriptor(const uint8_t* data, std::size_t length) {
    HSSReportDescriptorInfo info;
    GlobalState global;
    std::vector<GlobalState> stack;
    // Bits per report ID, per kind (0 input, 1 output, 2 feature).
    std::map<uint8_t, uint64_t> bits[3];
    uint32_t lastUsage = 0;
    bool lastUsageHasPage = false;  // a four-byte usage carries its own page
    int depth = 0;
    bool topLevelSeen = false;

    std::size_t pos = 0;
    while (pos < length) {
        const uint8_t prefix = data[pos];
        if (prefix == kLongItemPrefix) {
            if (pos + 2 >= length) return std::nullopt;
            const std::size_t dataSize = data[pos + 1];
            if (pos + 3 + dataSize > length) return std::nullopt;
            pos += 3 + dataSize;
            continue;
        }
        const std::size_t sizeCode = prefix & 0x3u;
        const std::size_t size = sizeCode == 3 ? 4 : sizeCode;
        const uint8_t type = static_cast<uint8_t>((prefix >> 2) & 0x3u);
        const uint8_t tag = static_cast<uint8_t>(prefix >> 4);
        if (pos + 1 + size > length) return std::nullopt;
        const uint32_t value = itemValue(data + pos + 1, size);
        pos += 1 + size;

        if (type == kTypeMain) {
            int kind = -1;
            if (tag == kMainInput) kind = 0;
            if (tag == kMainOutput) kind = 1;
            if (tag == kMainFeature) kind = 2;
            if (kind >= 0) {
                uint64_t& total = bits[kind][global.reportId];
                total += static_cast<uint64_t>(global.reportSize) * global.reportCount;
                if (total > kMaxReportBits) return std::nullopt;
            } else if (tag == kMainCollection) {
                if (depth == 0 && !topLevelSeen) {
                    topLevelSeen = true;
                    const uint32_t page = lastUsageHasPage ? (lastUsage >> 16) : global.usagePage;
                    info.usagePage = static_cast<uint16_t>(page);
                    info.usage = static_cast<uint16_t>(lastUsage & 0xFFFFu);
                }
                ++depth;
            } else if (tag == kMainEndCollection) {
                if (--depth < 0) return std::nullopt;
            }
            lastUsage = 0;  // local items end with each main item
            lastUsageHasPage = false;
        } else if (type == kTypeGlobal) {
            switch (tag) {
            case kGlobalUsagePage: global.usagePage = value; break;
            case kGlobalReportSize: global.reportSize = value; break;
            case kGlobalReportCount: global.reportCount = value; break;
            case kGlobalReportId:
                if (value == 0 || value > 0xFF) return std::nullopt;
                global.reportId = static_cast<uint8_t>(value);
                info.usesReportIds = true;
                break;
            case kGlobalPush: stack.push_back(global); break;
            case kGlobalPop:
                if (stack.empty()) return std::nullopt;
                global = stack.back();
                stack.pop_back();
                break;
            default: break;
            }
        } else if (type == kTypeLocal) {
            if (tag == kLocalUsage && lastUsage == 0) {
                lastUsage = value;
                lastUsageHasPage = size == 4;
            }
        }
    }
    if (depth != 0) return std::nullopt;

    uint32_t* lengths[3] = {&info.inputReportLength, &info.outputReportLength, &info.featureReportLength};
    for (int kind = 0; kind < 3; ++kind) {
        for (const auto& [id, count] : bits[kind]) {
            if (count == 0) continue;
            const uint32_t bytes = bytesWithId(count);
            if (bytes > *lengths[kind]) *lengths[kind] = bytes;
        }
    }
    return info;
}
