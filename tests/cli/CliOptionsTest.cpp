// keldor-cli's command line: what each form means and how bad forms are refused.

#include <gtest/gtest.h>

#include "cli/CliOptions.h"
#include "cli/JsonText.h"

using hss::cli::CliOptions;
using hss::cli::CliUsageError;
using hss::cli::parseCliOptions;

TEST(CliOptions, FormsAndRefusals)
{
    struct Form {
        std::vector<std::string> args;
        std::string error;  // "" : accepted
    };
    const Form forms[] = {
        {{"--emulate", "identify"}, ""},
        {{"--emulate", "ZVR2M07A-K1", "read", "--format", "json"}, ""},
        {{"--board-socket", "a", "--board-socket", "b", "--all", "verify", "f.txt"}, ""},
        {{"sense", "--quantity", "vds", "--channels", "2,1", "--duration", "0.5", "-o", "s.csv"}, ""},
        {{"diff", "a.txt", "b.txt"}, ""},
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"read", "--format", "xml"}, "--format takes settings, json or table, not 'xml'"},
        {{"read", "--flash"}, "--flash does not go with read"},
        {{"verify"}, "verify needs one file"},
        {{"diff", "a.txt"}, "diff needs two files"},
        {{"identify", "extra"}, "identify takes no file, but got 'extra'"},
        {{"--all", "read"}, "--all goes with write, verify and identify"},
        {{"--emulate", "--board-socket", "s", "identify"}, "choose one board: a real board (--serial), --emulate or --board-socket"},
        {{"--serial"}, "--serial needs a serial number"},
        {{"faults", "--duration", "-1"}, "--duration takes a number of seconds above 0, not '-1'"},
        {{"faults", "--duration", "1e400"}, "--duration takes a number of seconds above 0, not '1e400'"},
        {{"sense", "--channels", "3", "--duration", "1", "-o", "s.csv"}, "--channels takes 1, 2 or 1,2, not '3'"},
        {{"sense", "--duration", "1"}, "sense needs --duration S and -o FILE.csv"},
        {{"--bogus", "list"}, "unknown option --bogus"},
    };
    for (const Form& form : forms) {
        const auto parsed = parseCliOptions(form.args);
        if (form.error.empty()) {
            EXPECT_TRUE(std::holds_alternative<CliOptions>(parsed)) << form.args.size();
        } else {
            ASSERT_TRUE(std::holds_alternative<CliUsageError>(parsed)) << form.error;
            EXPECT_EQ(std::get<CliUsageError>(parsed).message, form.error);
        }
    }
    const auto sense = std::get<CliOptions>(parseCliOptions(forms[3].args));
    EXPECT_EQ(sense.channels, (std::vector<int>{1, 2}));
    EXPECT_EQ(sense.quantity, "vds");
    EXPECT_EQ(std::get<CliOptions>(parseCliOptions(forms[1].args)).emulatedPart, "ZVR2M07A-K1");
    EXPECT_EQ(std::get<CliOptions>(parseCliOptions(forms[0].args)).emulatedPart, "");
}

TEST(CliOptions, JsonEscapesWhatWouldBreakADocument)
{
    EXPECT_EQ(hss::cli::jsonString("a\"b\\c\n\x01\xC2\xB0"), "\"a\\\"b\\\\c\\n\\u0001\xC2\xB0\"");
    EXPECT_EQ(hss::cli::JsonObject().add("n", int64_t(-3)).add("x", 0.5).add("ok", false).text(),
              "{\"n\":-3,\"x\":0.5,\"ok\":false}");
}
