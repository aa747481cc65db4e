#include <gtest/gtest.h>

#include "ui/console/ConsoleCommand.h"

namespace {
const QString kReadFormat = QStringLiteral("INVALID FORMAT! Read Command:  READ <REG_NUM_HEX>");
const QString kWriteFormat = QStringLiteral("INVALID FORMAT! Read Command:  WRITE <REG_NUM_HEX> <REG_WRITE_DATA_HEX>");
}  // namespace

TEST(ConsoleCommand, ReadAddressesAreNormalised)
{
    struct Case {
        const char* text;
        uint8_t address;
        const char* addressText;
    };
    const Case cases[] = {
        {"read 1a", 0x1A, "1a"}, {"READ 0x1A", 0x1A, "1A"}, {"READ 5", 0x05, "05"},
        {"READ 0X1A", 0x1A, "1A"}, {"READ 0", 0x00, "00"}, {"READ 0xff", 0xFF, "ff"},
    };
    for (const Case& c : cases) {
        const ConsoleCommand command = parseConsoleCommand(QString::fromLatin1(c.text));
        ASSERT_EQ(command.kind, ConsoleCommand::Kind::Read) << c.text;
        EXPECT_EQ(command.address, c.address) << c.text;
        EXPECT_EQ(command.addressText, QString::fromLatin1(c.addressText)) << c.text;
    }
}

TEST(ConsoleCommand, WriteReadsTheDataMostSignificantFirst)
{
    struct Case {
        const char* text;
        uint8_t address;
        uint16_t value;
        const char* addressText;
        const char* dataText;
    };
    const Case cases[] = {
        {"WRITE 10 BCDE", 0x10, 0xBCDE, "10", "BCDE"},
        {"WRITE 0x1a 5", 0x1A, 0x0005, "1a", "0005"},
        {"write 3 0x12", 0x03, 0x0012, "03", "0012"},
        {"WRITE FF 0XffFF", 0xFF, 0xFFFF, "FF", "ffFF"},
        {"WRITE 0 0x0", 0x00, 0x0000, "00", "0000"},
    };
    for (const Case& c : cases) {
        const ConsoleCommand command = parseConsoleCommand(QString::fromLatin1(c.text));
        ASSERT_EQ(command.kind, ConsoleCommand::Kind::Write) << c.text;
        EXPECT_EQ(command.address, c.address) << c.text;
        EXPECT_EQ(command.value, c.value) << c.text;
        EXPECT_EQ(command.addressText, QString::fromLatin1(c.addressText)) << c.text;
        EXPECT_EQ(command.dataText, QString::fromLatin1(c.dataText)) << c.text;
    }
}

TEST(ConsoleCommand, MalformedCommandsGiveTheirMessages)
{
    const QString address = QStringLiteral(" is not a register number of one or two hex digits (00 to FF). Nothing was sent.");
    const QString data = QStringLiteral(" is not a register value of one to four hex digits (0000 to FFFF). Nothing was sent.");
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("READ  1A"), kReadFormat},  // two blanks make an empty token
        {QStringLiteral("READ"), kReadFormat},
        {QStringLiteral("READ 1 2"), kReadFormat},
        {QStringLiteral("WRITE 1"), kWriteFormat},
        {QStringLiteral("WRITE  1 2"), kWriteFormat},
        {QString(), QStringLiteral("INVALID COMMAND: ")},
        {QStringLiteral(" READ 1"), QStringLiteral("INVALID COMMAND: ")},
        {QStringLiteral("PEEK 1"), QStringLiteral("INVALID COMMAND: PEEK")},
        {QStringLiteral("READ "), QStringLiteral("INVALID ADDRESS! \"\"") + address},
        {QStringLiteral("READ 123"), QStringLiteral("INVALID ADDRESS! \"123\"") + address},
        {QStringLiteral("READ zz"), QStringLiteral("INVALID ADDRESS! \"zz\"") + address},
        {QStringLiteral("ReAd 0x0x7"), QStringLiteral("INVALID ADDRESS! \"0x0x7\"") + address},
        {QStringLiteral("READ x1"), QStringLiteral("INVALID ADDRESS! \"x1\"") + address},
        {QStringLiteral("READ \u00E91"), QStringLiteral("INVALID ADDRESS! \"\u00E91\"") + address},
        {QStringLiteral("READ \uFF11"), QStringLiteral("INVALID ADDRESS! \"\uFF11\"") + address},  // a full-width digit
        {QStringLiteral("WRITE 1FF 1"), QStringLiteral("INVALID ADDRESS! \"1FF\"") + address},
        {QStringLiteral("WRITE 01 "), QStringLiteral("INVALID DATA! \"\"") + data},
        {QStringLiteral("WRITE 10 ABCDE"), QStringLiteral("INVALID DATA! \"ABCDE\"") + data},
        {QStringLiteral("WRITE 10 +1"), QStringLiteral("INVALID DATA! \"+1\"") + data},
        {QStringLiteral("WRITE 10 1 "), kWriteFormat},
    };
    for (const auto& [text, message] : cases) {
        const ConsoleCommand command = parseConsoleCommand(text);
        EXPECT_EQ(command.kind, ConsoleCommand::Kind::Error) << text.toStdString();
        EXPECT_EQ(command.errorText, message) << text.toStdString();
    }
}

TEST(ConsoleCommand, AnyInputIsSafe)
{
    // Long, non-Latin-1 and control-character operands give one short error line.
    EXPECT_EQ(parseConsoleCommand(QString(100000, QLatin1Char('A'))).kind, ConsoleCommand::Kind::Error);
    const QString inputs[] = {QStringLiteral("READ ") + QString(5000, QChar(0x00E9)),
                              QStringLiteral("WRITE \u20AC\u20AC \u00E9\U0001F600"), QStringLiteral("READ \t\r\n"),
                              QStringLiteral("WRITE 1 ") + QString(100000, QLatin1Char('F'))};
    for (const QString& input : inputs) {
        const ConsoleCommand command = parseConsoleCommand(input);
        EXPECT_EQ(command.kind, ConsoleCommand::Kind::Error);
        EXPECT_LE(command.errorText.size(), 120);
    }
}

TEST(ConsoleCommand, ReadResultLineFormat)
{
    EXPECT_EQ(consoleReadResultLine(0x1A, 0x0005, 0x00, 0x7F, false),
              QStringLiteral("Register (Addr: 0x1A) read result: 0x05 Status: 0x00"));
    EXPECT_EQ(consoleReadResultLine(0x0F, 0x1234, 0x0A, 0xC3, true),
              QStringLiteral("Register (Addr: 0x0F) read result: 0x1234 Status: 0x0A CRC: 0xC3"));
    EXPECT_EQ(consoleReadResultLine(0xFF, 0xABCD, 0x01, 0x00, true),
              QStringLiteral("Register (Addr: 0xFF) read result: 0xABCD Status: 0x01 CRC: 0x00"));
}
