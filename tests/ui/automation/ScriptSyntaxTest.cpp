#include "ui/automation/ScriptRunner.h"
#include "ui/automation/ScriptSyntax.h"

#include <gtest/gtest.h>

using automation::escapeValue;
using automation::quoteText;
using automation::splitScriptLine;

namespace {

struct SplitCase {
    const char* line;
    QStringList words;
    bool error;
};

class SplitScriptLine : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitScriptLine, GivesWordsOrError)
{
    const SplitCase& c = GetParam();
    const automation::ScriptLine parsed = splitScriptLine(QString::fromUtf8(c.line));
    EXPECT_EQ(!parsed.error.isEmpty(), c.error) << c.line;
    EXPECT_EQ(parsed.words, c.words) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitScriptLine,
    ::testing::Values(
        SplitCase{"", {}, false},
        SplitCase{"   \t ", {}, false},
        SplitCase{"# a comment", {}, false},
        SplitCase{"  # indented comment", {}, false},
        SplitCase{"click applyButton", {"click", "applyButton"}, false},
        SplitCase{"select  modeBox\t2  ", {"select", "modeBox", "2"}, false},
        SplitCase{"click applyButton # why", {"click", "applyButton"}, false},
        SplitCase{"type nameEdit \"two words\"", {"type", "nameEdit", "two words"}, false},
        SplitCase{"type x \"say \\\"hi\\\"\"", {"type", "x", "say \"hi\""}, false},
        SplitCase{"type x \"back\\\\slash\"", {"type", "x", "back\\slash"}, false},
        SplitCase{"type x \"C:\\dir\\n\"", {"type", "x", "C:\\dir\\n"}, false},
        SplitCase{"type x \"# not a comment\"", {"type", "x", "# not a comment"}, false},
        SplitCase{"type x \"\"", {"type", "x", ""}, false},
        SplitCase{"answer-file a\\b", {"answer-file", "a\\b"}, false},
        SplitCase{"get x\r", {"get", "x"}, false},
        SplitCase{"type x \"open", {}, true},
        SplitCase{"type x \"ends with escape\\\"", {}, true},
        SplitCase{"type x \"a\"b", {}, true}));

struct EscapeCase {
    const char* raw;
    const char* escaped;
    const char* quoted;
};

class EscapeValue : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeValue, EscapesBreaksBackslashesAndQuotes)
{
    const EscapeCase& c = GetParam();
    EXPECT_EQ(escapeValue(QString::fromUtf8(c.raw)), QString::fromUtf8(c.escaped));
    EXPECT_EQ(quoteText(QString::fromUtf8(c.raw)), QString::fromUtf8(c.quoted));
}

INSTANTIATE_TEST_SUITE_P(
    Values, EscapeValue,
    ::testing::Values(EscapeCase{"plain", "plain", "\"plain\""},
                      EscapeCase{"a\nb", "a\\nb", "\"a\\nb\""},
                      EscapeCase{"a\r\nb", "a\\r\\nb", "\"a\\r\\nb\""},
                      EscapeCase{"c:\\x", "c:\\\\x", "\"c:\\\\x\""},
                      EscapeCase{"say \"hi\"", "say \"hi\"", "\"say \\\"hi\\\"\""},
                      EscapeCase{"", "", "\"\""}));

// A quoted text read back by the splitter gives the original (one line only).
TEST(EscapeValue, QuotedTextSplitsBackToItself)
{
    for (const char* raw : {"plain", "say \"hi\"", "back\\slash", "\\\"", "a # b"}) {
        const QString text = QString::fromUtf8(raw);
        const auto parsed = splitScriptLine(QStringLiteral("type x ") + quoteText(text));
        ASSERT_EQ(parsed.words.size(), 3) << raw;
        EXPECT_EQ(parsed.words.at(2), text) << raw;
    }
}

struct OptionCase {
    QStringList args;
    QStringList rest;
    bool present;
    QString path;
    bool error;
};

class TakeScriptOption : public ::testing::TestWithParam<OptionCase> {};

TEST_P(TakeScriptOption, TakesTheOptionOut)
{
    const OptionCase& c = GetParam();
    QStringList args = c.args;
    const ScriptOption option = takeScriptOption(args);
    EXPECT_EQ(args, c.rest);
    EXPECT_EQ(option.present, c.present);
    EXPECT_EQ(option.path, c.path);
    EXPECT_EQ(!option.error.isEmpty(), c.error) << option.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, TakeScriptOption,
    ::testing::Values(
        OptionCase{{"app"}, {"app"}, false, "", false},
        OptionCase{{"app", "--emulate"}, {"app", "--emulate"}, false, "", false},
        OptionCase{{"app", "--emulate", "--script", "s.txt"}, {"app", "--emulate"}, true, "s.txt", false},
        OptionCase{{"app", "--script", "-", "--emulate", "X"}, {"app", "--emulate", "X"}, true, "-", false},
        OptionCase{{"app", "--script=run.kcs"}, {"app"}, true, "run.kcs", false},
        OptionCase{{"app", "--script"}, {"app"}, true, "", true},
        OptionCase{{"app", "--script="}, {"app"}, true, "", true},
        OptionCase{{"app", "--script", "a", "--script", "b"}, {"app"}, true, "b", true}));

}  // namespace
