// Splitting scenario lines into words and strings.
#include <gtest/gtest.h>

#include "platform/sim/SimDesktop.h"
#include "tools/sim/ScenarioLexer.h"

namespace tessellor::sim {
namespace {

std::vector<std::string> texts(const LexResult& r) {
  std::vector<std::string> out;
  for (const Token& t : r.tokens) out.push_back(t.text);
  return out;
}

TEST(ScenarioLexer, WordsStringsAndComments) {
  const LexResult r = lexLine("  window a title \"x # y\"\texe b.exe # the rest is a comment");
  ASSERT_TRUE(r.error.empty());
  EXPECT_EQ(texts(r), (std::vector<std::string>{"window", "a", "title", "x # y", "exe", "b.exe"}));
  EXPECT_EQ(r.tokens[3].kind, Token::Kind::String);
  EXPECT_EQ(r.tokens[4].kind, Token::Kind::Word);
  EXPECT_TRUE(lexLine("# only a comment").tokens.empty());
  EXPECT_TRUE(lexLine("   ").tokens.empty());
  EXPECT_EQ(texts(lexLine("count#no blank needed")), std::vector<std::string>{"count"});
}

TEST(ScenarioLexer, EscapesInStrings) {
  const LexResult r = lexLine(R"(type 1011 "a\"b\\c\nd\re\tf" "")");
  ASSERT_TRUE(r.error.empty());
  ASSERT_EQ(r.tokens.size(), 4u);
  EXPECT_EQ(r.tokens[2].text, "a\"b\\c\nd\re\tf");
  EXPECT_EQ(r.tokens[3].text, "");
  EXPECT_EQ(r.tokens[3].kind, Token::Kind::String);
  // An extension: \0 is a NUL byte, as a damaged file holds them.
  EXPECT_EQ(lexLine(R"(file "a" "x\0\0")").tokens[2].text, std::string("x\0\0", 3));
  EXPECT_EQ(quote(std::string("x\0", 2)), R"("x\0")");
}

TEST(ScenarioLexer, MalformedLines) {
  EXPECT_FALSE(lexLine(R"(menu "Close)").error.empty());
  EXPECT_FALSE(lexLine(R"(menu "Cl\ose")").error.empty());
  EXPECT_FALSE(lexLine(R"(menu "a"b)").error.empty());
  EXPECT_FALSE(lexLine(R"(menu a"b")").error.empty());
  EXPECT_FALSE(lexLine(R"(menu "ends in a backslash\)").error.empty());
}

TEST(ScenarioLexer, Numbers) {
  EXPECT_EQ(parseInteger("0"), 0);
  EXPECT_EQ(parseInteger("-32000"), -32000);
  EXPECT_EQ(parseInteger("4294967296"), 4294967296LL);
  for (const char* bad : {"", "-", "+1", "1.5", "0x10", "12a", "9999999999999999999"}) {
    EXPECT_FALSE(parseInteger(bad).has_value()) << bad;
  }
}

TEST(ScenarioLexer, WindowNames) {
  EXPECT_TRUE(isWindowName("a"));
  EXPECT_TRUE(isWindowName("Note_pad-2.x"));
  EXPECT_FALSE(isWindowName(""));
  EXPECT_FALSE(isWindowName("a/b"));
  EXPECT_FALSE(isWindowName("a:b"));
}

}  // namespace
}  // namespace tessellor::sim
