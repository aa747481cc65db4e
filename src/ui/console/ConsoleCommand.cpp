#include "ui/console/ConsoleCommand.h"

#include <QStringList>

#include <algorithm>
#include <optional>

#include "ui/HexText.h"

namespace {

// One to maxDigits hex digits after an optional "0x" (or "0X"), padded on
// the left with "0" to padTo characters; empty when the text is not that.
// Nothing is cut or guessed: a wrong digit must not reach another register.
std::optional<QString> hexOperand(const QString& token, int maxDigits, int padTo)
{
    const bool spaced = std::any_of(token.begin(), token.end(), [](QChar c) { return c.isSpace(); });
    if (spaced || !parseHexDigits(token.toStdString(), static_cast<std::size_t>(maxDigits))) return std::nullopt;
    QString digits = token;
    if (digits.startsWith(QLatin1String("0x")) || digits.startsWith(QLatin1String("0X"))) digits.remove(0, 2);
    while (digits.size() < padTo) digits.prepend(QLatin1Char('0'));
    return digits;
}

uint16_t hexValue(const QString& digits)
{
    return static_cast<uint16_t>(digits.toUInt(nullptr, 16));
}

// The operand as typed, on one short console line.
QString quoted(const QString& token)
{
    constexpr int kShown = 16;
    QString shown = token.left(kShown);
    for (QChar& c : shown) {
        if (!c.isPrint()) c = QLatin1Char('?');
    }
    if (token.size() > kShown) shown += QStringLiteral("...");
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

QString invalidAddress(const QString& token)
{
    return QStringLiteral("INVALID ADDRESS! ") + quoted(token) +
           QStringLiteral(" is not a register number of one or two hex digits (00 to FF). Nothing was sent.");
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
        const auto address = hexOperand(tokens[1], 2, 2);
        if (!address) {
            command.errorText = invalidAddress(tokens[1]);
            return command;
        }
        command.kind = ConsoleCommand::Kind::Read;
        // One digit is echoed padded ("5" as "05"), as the address always was.
        command.addressText = *address;
        command.address = static_cast<uint8_t>(hexValue(*address));
        return command;
    }
    if (verb.compare(QLatin1String("WRITE"), Qt::CaseInsensitive) == 0) {
        if (tokens.size() != 3) {
            command.errorText =
                QStringLiteral("INVALID FORMAT! Read Command:  WRITE <REG_NUM_HEX> <REG_WRITE_DATA_HEX>");
            return command;
        }
        const auto address = hexOperand(tokens[1], 2, 2);
        if (!address) {
            command.errorText = invalidAddress(tokens[1]);
            return command;
        }
        const auto data = hexOperand(tokens[2], 4, 4);
        if (!data) {
            command.errorText = QStringLiteral("INVALID DATA! ") + quoted(tokens[2]) +
                                QStringLiteral(" is not a register value of one to four hex digits (0000 to FFFF). "
                                               "Nothing was sent.");
            return command;
        }
        command.kind = ConsoleCommand::Kind::Write;
        command.addressText = *address;
        command.dataText = *data;
        command.address = static_cast<uint8_t>(hexValue(*address));
        command.value = hexValue(*data);
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
