#include "app/BoardSetupFactory.h"

#include <cctype>

#include "device/PartTable.h"
#include "emulator/EmulatedBoard.h"
#include "link/BoardConnection.h"
#include "ui/HexText.h"

namespace {

std::string upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string partDescription(std::optional<uint16_t> devid)
{
    if (!devid) return "emulated board without daughter card";
    if (const HSSPartInfo* part = hss::findPartByDevID(*devid)) {
        return "emulated board with " + std::string(part->name);
    }
    return "emulated board with an unlisted part (DEVID 0x" + ToHex(*devid) + ")";
}

}  // namespace

EmulatedPart resolveEmulatedPart(const std::string& part)
{
    const std::string wanted = upper(part);
    if (wanted == "NONE") return EmulatedPart{true, std::nullopt};
    for (const HSSPartInfo& row : hss::partTable()) {
        if (upper(std::string(row.name)) == wanted) return EmulatedPart{true, row.devId};
    }
    if (wanted.size() > 2 && wanted.size() <= 6 && wanted.rfind("0X", 0) == 0) {
        uint32_t code = 0;
        if (TryParseHex(part, code) && code <= 0xFFFF) return EmulatedPart{true, static_cast<uint16_t>(code)};
    }
    return EmulatedPart{};
}

BoardSetup makeEmulatedBoardSetup(std::optional<uint16_t> devid)
{
    BoardSetup setup;
    setup.emulatedBoard = std::make_shared<EmulatedBoard>(devid);
    BoardConnection connection = makeEmulatorBoardConnection(setup.emulatedBoard, *setup.connQueue);
    setup.deviceLayer = std::move(connection.deviceLayer);
    setup.presenceSource = std::move(connection.presence);
    setup.description = partDescription(devid);
    return setup;
}

std::optional<BoardSetup> makeBoardSetup(const AppOptions& options, std::string& error)
{
    switch (options.board) {
    case AppOptions::Board::Emulated: {
        const EmulatedPart part = resolveEmulatedPart(options.emulatedPart);
        if (!part.known) {
            error = "unknown part for --emulate: " + options.emulatedPart +
                    " (use a part name such as ZVR2M08A-K1, a DEVID such as 0xFFF2, or none)";
            return std::nullopt;
        }
        return makeEmulatedBoardSetup(part.devid);
    }
    case AppOptions::Board::Socket: {
        BoardSetup setup;
        BoardConnection connection = makeVirtualBoardConnection(options.socketPath, *setup.connQueue);
        setup.deviceLayer = std::move(connection.deviceLayer);
        setup.presenceSource = std::move(connection.presence);
        setup.description = "virtual board at " + options.socketPath;
        return setup;
    }
    case AppOptions::Board::Hardware:
        break;
    }
    BoardSetup setup;
    BoardConnection connection = makeHardwareBoardConnection(*setup.connQueue);
    setup.deviceLayer = std::move(connection.deviceLayer);
    setup.presenceSource = std::move(connection.presence);
    return setup;
}
