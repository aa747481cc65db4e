// The register console's command line and the hexadecimal text routines
// behind it, on arbitrary text.

#include "FuzzTarget.h"

#include <QString>
#include <string>

#include "ui/HexText.h"
#include "ui/console/ConsoleCommand.h"

namespace {

void checkHexRoutines(std::string_view text)
{
    FUZZ_CHECK(hex2bin(text).size() == text.size() / 2);

    const std::string digits = treatHexString(text);
    FUZZ_CHECK(treatHexString(digits) == digits);

    uint32_t value = 0xDEADBEEF;
    if (TryParseHex(text, value)) {
        uint32_t again = 0;
        FUZZ_CHECK(TryParseHex(ToHex(value), again) && again == value);
        FUZZ_CHECK(TryParseHex("0x" + ToHex(value), again) && again == value);
    } else {
        FUZZ_CHECK(value == 0xDEADBEEF);  // left alone on failure
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view bytes = fuzz::text(data, size);
    checkHexRoutines(bytes);

    for (const QString& line : {QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()))}) {
        const ConsoleCommand command = parseConsoleCommand(line);
        switch (command.kind) {
        // What is sent is exactly what is echoed: nothing cut, nothing guessed.
        case ConsoleCommand::Kind::Read:
            FUZZ_CHECK(command.addressText.size() == 2 && command.dataText.isEmpty());
            FUZZ_CHECK(command.addressText.toUInt(nullptr, 16) == command.address);
            break;
        case ConsoleCommand::Kind::Write:
            FUZZ_CHECK(command.addressText.size() == 2 && command.dataText.size() == 4);
            FUZZ_CHECK(command.addressText.toUInt(nullptr, 16) == command.address);
            FUZZ_CHECK(command.dataText.toUInt(nullptr, 16) == command.value);
            break;
        case ConsoleCommand::Kind::Error:
            FUZZ_CHECK(!command.errorText.isEmpty());
            break;
        }
        FUZZ_CHECK(!consoleReadResultLine(command.address, command.value, 0, 0, true).isEmpty());
    }
    return 0;
}
