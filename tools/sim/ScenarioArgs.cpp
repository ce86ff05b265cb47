// Checked access to a scenario line's arguments.
#include <climits>

#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {

Args::Args(std::vector<Token> tokens) {
  if (!tokens.empty()) {
    command_ = tokens.front().text;
    tokens.erase(tokens.begin());
  }
  tokens_ = std::move(tokens);
}

bool Args::isWord(std::size_t i, const char* word) const {
  return i < tokens_.size() && tokens_[i].kind == Token::Kind::Word && tokens_[i].text == word;
}

bool Args::isString(std::size_t i) const { return i < tokens_.size() && tokens_[i].kind == Token::Kind::String; }

bool Args::count(std::size_t min, std::size_t max) {
  if (tokens_.size() >= min && tokens_.size() <= max) return true;
  return fail("wrong number of arguments for " + command_);
}

std::optional<long long> Args::bigNumber(std::size_t i) {
  if (i >= tokens_.size()) return fail("missing number"), std::nullopt;
  std::optional<long long> value;
  if (tokens_[i].kind == Token::Kind::Word) value = parseInteger(tokens_[i].text);
  if (!value) fail("not a number: " + tokens_[i].text);
  return value;
}

std::optional<int> Args::number(std::size_t i) {
  const std::optional<long long> value = bigNumber(i);
  if (!value) return std::nullopt;
  if (*value < INT_MIN || *value > INT_MAX) return fail("number out of range: " + tokens_[i].text), std::nullopt;
  return static_cast<int>(*value);
}

std::optional<std::string> Args::word(std::size_t i) {
  if (i >= tokens_.size()) return fail("missing argument"), std::nullopt;
  if (tokens_[i].kind != Token::Kind::Word) return fail("a word expected, not a string"), std::nullopt;
  return tokens_[i].text;
}

std::optional<std::string> Args::string(std::size_t i) {
  if (i >= tokens_.size()) return fail("missing string"), std::nullopt;
  if (tokens_[i].kind != Token::Kind::String) return fail("a string expected: " + tokens_[i].text), std::nullopt;
  return tokens_[i].text;
}

std::optional<std::string> Args::text(std::size_t i) {
  if (i >= tokens_.size()) return fail("missing argument"), std::nullopt;
  return tokens_[i].text;
}

std::optional<int> Args::choice(std::size_t i, std::span<const char* const> choices) {
  const std::optional<std::string> w = word(i);
  if (!w) return std::nullopt;
  for (std::size_t k = 0; k < choices.size(); ++k) {
    if (*w == choices[k]) return static_cast<int>(k);
  }
  std::string expected;
  for (const char* c : choices) expected += expected.empty() ? c : std::string("|") + c;
  fail("expected " + expected + ", not " + *w);
  return std::nullopt;
}

bool Args::fail(std::string reason) {
  if (error_.empty()) error_ = std::move(reason);
  return false;
}

}  // namespace tessellor::sim
