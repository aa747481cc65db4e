#pragma once
// Parsing of the register console's command line ("READ <reg>" and
// "WRITE <reg> <value>", operands in hex) into what the console sends and
// prints. Kept apart from the window so the format rules are unit-tested.

#include <QString>
#include <cstdint>

#include "protocol/HSSRegisterCommands.h"

struct ConsoleCommand {
    enum class Kind { Read, Write, Error };

    Kind kind = Kind::Error;
    uint8_t address = 0;
    uint16_t value = 0;
    // Operands as normalised ("0x" removed, padded), in the user's case.
    QString addressText;
    QString dataText;
    // Error line for Kind::Error, without line end.
    QString errorText;
};

// An address is one or two hex digits, data one to four, each after an
// optional "0x"; anything else is an error line and nothing to send.
ConsoleCommand parseConsoleCommand(const QString& text);

// A read typed into the console. Its reply prints a result line also for
// register 0x00, whose other reads (the identification poll's) print nothing.
class ConsoleReadCmd : public HSSSingleReadCmd {
public:
    using HSSSingleReadCmd::HSSSingleReadCmd;
};

// "Register (Addr: 0x1A) read result: 0x05 Status: 0x00[ CRC: 0x00]", no stamp.
QString consoleReadResultLine(uint8_t address, uint16_t payload, uint8_t status, uint8_t crc, bool withCrc);
