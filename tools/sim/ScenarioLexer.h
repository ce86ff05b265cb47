// Splits one scenario line into words and strings, dropping the comment.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessellor::sim {

struct Token {
  enum class Kind { Word, String };
  Kind kind;
  std::string text;  // a string's text with its escapes resolved
};

struct LexResult {
  std::vector<Token> tokens;
  std::string error;  // empty when the line is well formed
};

// Words are runs of non-blank characters; strings are double-quoted with \" \\ \n \r \t escapes;
// `#` outside a string starts a comment.
LexResult lexLine(std::string_view line);

// A decimal integer, possibly negative, that fits `long long`; nothing for any other word.
std::optional<long long> parseInteger(std::string_view word);

// A window name: [A-Za-z0-9_.-]+.
bool isWindowName(std::string_view word);

}  // namespace tessellor::sim
