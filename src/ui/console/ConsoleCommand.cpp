#include "ui/console/ConsoleCommand.h"

#include <QStringList>

#include "ui/HexText.h"

namespace {

// Removes every "0x" (lower-case x only), then pads or cuts to width
// characters: the last characters count, as they are the low digits.
QString normaliseOperand(QString text, int width, bool padToWidth)
{
    text.remove(QStringLiteral("0x"));
    if (text.size() > width) {
        text = text.right(width);
    } else if (padToWidth) {
        while (text.size() < width) text.prepend(QLatin1Char('0'));
    } else if (text.size() == 1) {
        text.prepend(QLatin1Char('0'));
    }
    return text;
}

// One byte per character, so a non-Latin-1 character stays one (non-hex)
// digit instead of turning into several UTF-8 bytes.
std::vector<uint8_t> operandBytes(const QString& text, std::size_t count)
{
    std::vector<uint8_t> bytes = hex2bin(text.toLatin1().toStdString());
    bytes.resize(count, 0);  // a missing digit pair reads as 0
    return bytes;
}

QString hexField(unsigned value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

ConsoleCommand parseConsoleCommand(const QString& text)
{
    ConsoleCommand command;
    const QStringList tokens = text.split(QLatin1Char(' '), Qt::KeepEmptyParts);
    const QString verb = tokens.value(0);

    if (verb.compare(QLatin1String("READ"), Qt::CaseInsensitive) == 0) {
        if (tokens.size() != 2) {
            command.errorText = QStringLiteral("INVALID FORMAT! Read Command:  READ <REG_NUM_HEX>");
            return command;
        }
        command.kind = ConsoleCommand::Kind::Read;
        command.addressText = normaliseOperand(tokens[1], 2, false);
        command.address = operandBytes(command.addressText, 1)[0];
        return command;
    }
    if (verb.compare(QLatin1String("WRITE"), Qt::CaseInsensitive) == 0) {
        if (tokens.size() != 3) {
            command.errorText =
                QStringLiteral("INVALID FORMAT! Read Command:  WRITE <REG_NUM_HEX> <REG_WRITE_DATA_HEX>");
            return command;
        }
        command.kind = ConsoleCommand::Kind::Write;
        command.addressText = normaliseOperand(tokens[1], 2, false);
        command.dataText = normaliseOperand(tokens[2], 4, true);
        command.address = operandBytes(command.addressText, 1)[0];
        const std::vector<uint8_t> data = operandBytes(command.dataText, 2);
        command.value = static_cast<uint16_t>(data[0] * 256 + data[1]);
        return command;
    }
    command.errorText = QStringLiteral("INVALID COMMAND: ") + verb;
    return command;
}

QString consoleReadResultLine(uint8_t address, uint16_t payload, uint8_t status, uint8_t crc, bool withCrc)
{
    QString line = QStringLiteral("Register (Addr: 0x") + hexField(address) + QStringLiteral(") read result: 0x") +
                   hexField(payload) + QStringLiteral(" Status: 0x") + hexField(status);
    if (withCrc) line += QStringLiteral(" CRC: 0x") + hexField(crc);
    return line;
}
