#include "tools/sim/ScenarioLexer.h"

#include <cctype>

namespace tessellor::sim {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

LexResult lexLine(std::string_view line) {
  LexResult result;
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (isBlank(c)) {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      std::string text;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char d = line[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d != '\\') {
          text += d;
          continue;
        }
        if (i == line.size()) break;
        switch (line[i++]) {
          case '"':
            text += '"';
            break;
          case '\\':
            text += '\\';
            break;
          case 'n':
            text += '\n';
            break;
          case 'r':
            text += '\r';
            break;
          case 't':
            text += '\t';
            break;
          case '0':
            text += '\0';
            break;
          default:
            result.error = "unknown escape in string";
            return result;
        }
      }
      if (!closed) {
        result.error = "unterminated string";
        return result;
      }
      if (i < line.size() && !isBlank(line[i]) && line[i] != '#') {
        result.error = "no blank after string";
        return result;
      }
      result.tokens.push_back(Token{Token::Kind::String, std::move(text)});
    } else {
      const std::size_t start = i;
      while (i < line.size() && !isBlank(line[i]) && line[i] != '#') {
        if (line[i] == '"') {
          result.error = "quote inside a word";
          return result;
        }
        ++i;
      }
      result.tokens.push_back(Token{Token::Kind::Word, std::string(line.substr(start, i - start))});
    }
  }
  return result;
}

std::optional<long long> parseInteger(std::string_view word) {
  std::size_t i = 0;
  const bool negative = !word.empty() && word[0] == '-';
  if (negative) i = 1;
  if (i == word.size() || word.size() - i > 18) return std::nullopt;
  long long value = 0;
  for (; i < word.size(); ++i) {
    if (word[i] < '0' || word[i] > '9') return std::nullopt;
    value = value * 10 + (word[i] - '0');
  }
  return negative ? -value : value;
}

bool isWindowName(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '_' && c != '.' && c != '-') return false;
  }
  return true;
}

}  // namespace tessellor::sim
