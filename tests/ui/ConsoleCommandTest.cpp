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
        {"read 1a", 0x1A, "1a"}, {"READ 0x1A", 0x1A, "1A"}, {"READ 5", 0x05, "05"}, {"READ 123", 0x23, "23"},
        {"ReAd 0x0x7", 0x07, "07"}, {"READ 0X1A", 0x1A, "1A"},  // only "0x" is stripped, the cut keeps 1A
        {"READ zz", 0x00, "zz"},  // non-hex digits count as 0
        {"READ ", 0x00, ""},      // no digits at all: register 0
    };
    for (const Case& c : cases) {
        const ConsoleCommand command = parseConsoleCommand(QString::fromLatin1(c.text));
        ASSERT_EQ(command.kind, ConsoleCommand::Kind::Read) << c.text;
        EXPECT_EQ(command.address, c.address) << c.text;
        EXPECT_EQ(command.addressText, QString::fromLatin1(c.addressText)) << c.text;
    }
}

TEST(ConsoleCommand, WriteKeepsTheLastFourDataDigitsMostSignificantFirst)
{
    struct Case {
        const char* text;
        uint8_t address;
        uint16_t value;
        const char* addressText;
        const char* dataText;
    };
    const Case cases[] = {
        {"WRITE 10 ABCDE", 0x10, 0xBCDE, "10", "BCDE"},
        {"WRITE 0x1a 5", 0x1A, 0x0005, "1a", "0005"},
        {"write 3 0x12", 0x03, 0x0012, "03", "0012"},
        {"WRITE 1FF 123456789", 0xFF, 0x6789, "FF", "6789"},
        {"WRITE 01 ", 0x01, 0x0000, "01", "0000"},
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
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("READ  1A"), kReadFormat},  // two blanks make an empty token
        {QStringLiteral("READ"), kReadFormat},
        {QStringLiteral("READ 1 2"), kReadFormat},
        {QStringLiteral("WRITE 1"), kWriteFormat},
        {QStringLiteral("WRITE  1 2"), kWriteFormat},
        {QString(), QStringLiteral("INVALID COMMAND: ")},
        {QStringLiteral(" READ 1"), QStringLiteral("INVALID COMMAND: ")},
        {QStringLiteral("PEEK 1"), QStringLiteral("INVALID COMMAND: PEEK")},
    };
    for (const auto& [text, message] : cases) {
        const ConsoleCommand command = parseConsoleCommand(text);
        EXPECT_EQ(command.kind, ConsoleCommand::Kind::Error) << text.toStdString();
        EXPECT_EQ(command.errorText, message) << text.toStdString();
    }
}

TEST(ConsoleCommand, AnyInputIsSafe)
{
    // Long, non-Latin-1 and control-character input must parse without fault.
    const QString inputs[] = {QString(100000, QLatin1Char('A')), QStringLiteral("READ ") + QString(5000, QChar(0x00E9)),
                              QStringLiteral("WRITE \u20AC\u20AC \u00E9\U0001F600"), QStringLiteral("READ \t\r\n"),
                              QString(1000, QLatin1Char(' '))};
    for (const QString& input : inputs) {
        const ConsoleCommand command = parseConsoleCommand(input);
        EXPECT_LE(command.addressText.size(), 2);
        EXPECT_LE(command.dataText.size(), 4);
    }
    const ConsoleCommand euro = parseConsoleCommand(QStringLiteral("WRITE \u20AC1 \u00E9F"));
    EXPECT_EQ(euro.address, 0x01);  // a non-Latin-1 character counts as one digit 0
    EXPECT_EQ(euro.value, 0x000F);
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
