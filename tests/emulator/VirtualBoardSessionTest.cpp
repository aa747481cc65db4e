#include <gtest/gtest.h>

#include "BoardHost.h"
#include "emulator/tool/VirtualBoardSession.h"

using namespace emutest;

namespace {

vboard::Message message(uint8_t type, std::vector<uint8_t> body = {}) { return {type, std::move(body)}; }

TEST(VirtualBoardFraming, EncodeAndTakeBackToBack) {
    const auto first = vboard::encode(message(0x02, {0x3F, 0x01}));
    EXPECT_EQ(first, raw({0x02, 0x02, 0x00, 0x3F, 0x01}));
    std::vector<uint8_t> stream = first;
    const auto second = vboard::encode(message(0x01));
    stream.insert(stream.end(), second.begin(), second.end());
    stream.push_back(0x03);  // start of a third message

    vboard::Message out;
    ASSERT_EQ(vboard::takeMessage(stream, out), vboard::Parse::Complete);
    EXPECT_EQ(out.type, 0x02);
    EXPECT_EQ(out.body, raw({0x3F, 0x01}));
    ASSERT_EQ(vboard::takeMessage(stream, out), vboard::Parse::Complete);
    EXPECT_EQ(out.type, 0x01);
    EXPECT_TRUE(out.body.empty());
    EXPECT_EQ(vboard::takeMessage(stream, out), vboard::Parse::NeedMore);
    EXPECT_EQ(stream.size(), 1u);
}

TEST(VirtualBoardFraming, BodyLengthLimit) {
    std::vector<uint8_t> atLimit = raw({0x02, 0x00, 0x10});  // 4096
    atLimit.resize(3 + 4096, 0);
    vboard::Message out;
    EXPECT_EQ(vboard::takeMessage(atLimit, out), vboard::Parse::Complete);
    std::vector<uint8_t> tooLong = raw({0x02, 0x01, 0x10});  // 4097: error before the body arrives
    EXPECT_EQ(vboard::takeMessage(tooLong, out), vboard::Parse::Error);
}

TEST(VirtualBoardSession, HelloReplyLayout) {
    ClockedBoard fixture;
    fixture.board.setSerialNumber("SN1");
    VirtualBoardSession session(fixture.board);
    const auto reply = session.answer(message(vboard::kHello));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->type, 0x81);
    std::vector<uint8_t> expected = raw({0x09, 0x12, 0x55, 0x7A, 0x40, 0x00, 6});
    for (char c : std::string("Keldor")) expected.push_back(static_cast<uint8_t>(c));
    expected.push_back(13);
    for (char c : std::string("VELMARA-BOARD")) expected.push_back(static_cast<uint8_t>(c));
    expected.push_back(3);
    for (char c : std::string("SN1")) expected.push_back(static_cast<uint8_t>(c));
    EXPECT_EQ(reply->body, expected);
}

TEST(VirtualBoardSession, ProtocolBreakersAreRefused) {
    ClockedBoard fixture;
    const std::vector<std::vector<vboard::Message>> conversations{
        {message(vboard::kSetFeature, {0x3F})},              // no HELLO first
        {message(vboard::kHello), message(0x04)},            // unknown type
        {message(vboard::kHello), message(0x81)},            // a reply type from the tool
        {message(vboard::kHello, {1})},                      // HELLO with a body
        {message(vboard::kHello), message(vboard::kGetFeature, {0x3C, 7})},  // short body
    };
    for (const auto& conversation : conversations) {
        VirtualBoardSession session(fixture.board);
        for (std::size_t i = 0; i + 1 < conversation.size(); ++i) ASSERT_TRUE(session.answer(conversation[i]));
        EXPECT_FALSE(session.answer(conversation.back())) << int(conversation.back().type);
    }
}

TEST(VirtualBoardSession, FeatureReportsPassThroughAndTrace) {
    ClockedBoard fixture;
    std::vector<std::string> lines;
    VirtualBoardSession session(fixture.board, [&lines](const std::string& line) { lines.push_back(line); });
    ASSERT_TRUE(session.answer(message(vboard::kHello)));

    const auto written = session.answer(
        message(vboard::kSetFeature, raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x01, 0x03, 0x00, 0x0A, 0x34, 0x12})));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->type, 0x82);
    EXPECT_EQ(written->body, raw({0x00}));
    EXPECT_EQ(fixture.board.peekRegister(0x0A), 0x1234);

    session.answer(message(vboard::kSetFeature, raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x04, 0x01, 0x00, 0x0A})));
    const auto read = session.answer(message(vboard::kGetFeature, raw({0x3C, 0x07, 0x00})));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->type, 0x83);
    ASSERT_EQ(read->body.size(), 8u);
    EXPECT_EQ(read->body[0], 0x00);
    EXPECT_EQ((std::vector<uint8_t>(read->body.begin() + 1, read->body.begin() + 5)), raw({0x3C, 0x0A, 0x12, 0x34}));

    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "> 3F EF BE FE CA 01 03 00 0A 34 12");
    EXPECT_EQ(lines[2].substr(0, 14), "< 3C 0A 12 34 ");
}

TEST(VirtualBoardSession, FailedTransfersAnswerWithAStatus) {
    ClockedBoard fixture;
    VirtualBoardSession session(fixture.board);
    ASSERT_TRUE(session.answer(message(vboard::kHello)));
    EXPECT_EQ(session.answer(message(vboard::kSetFeature))->body, raw({0x01}));                 // empty report
    EXPECT_EQ(session.answer(message(vboard::kGetFeature, raw({0x3C, 0, 0})))->body, raw({0x01}));     // R = 0
    EXPECT_EQ(session.answer(message(vboard::kGetFeature, raw({0x3C, 0x00, 0x10})))->body, raw({0x01}));  // R too big
    fixture.board.unplug();
    EXPECT_EQ(session.answer(message(vboard::kSetFeature, raw({0x3F})))->body, raw({0x01}));
    EXPECT_EQ(session.answer(message(vboard::kGetFeature, raw({0x3C, 7, 0})))->body, raw({0x01}));
}

}  // namespace
