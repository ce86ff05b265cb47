#include "settings/ExcludedEntries.h"

namespace tessellor {

namespace {

// Lone surrogates, which no valid UTF-8 decodes to: a stray byte never equals a real character.
constexpr char32_t kStrayByte = 0xDC00;

char32_t lowerLetter(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;  // À..Þ, not ×
  // Latin Extended-A pairs each capital with the small letter after it; the Turkish dotted and
  // dotless i have no partner there.
  if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) != 0 ? c + 1 : c;
  if (c == 0x178) return 0xFF;                                  // Ÿ
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;  // Greek
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;                // Cyrillic Ѐ..Џ
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;                // Cyrillic А..Я
  return c;
}

// The code point at `i`, and how many bytes it takes; a byte that starts no sequence counts alone.
char32_t decode(std::string_view text, std::size_t i, std::size_t& length) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  length = 1;
  if (lead < 0x80) return lead;
  std::size_t more = 0;
  char32_t c = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1;
    c = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2;
    c = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3;
    c = lead & 0x07u;
  } else {
    return kStrayByte + lead;
  }
  if (i + more >= text.size()) return kStrayByte + lead;
  for (std::size_t k = 1; k <= more; ++k) {
    if ((byte(i + k) & 0xC0u) != 0x80u) return kStrayByte + lead;
    c = (c << 6) | (byte(i + k) & 0x3Fu);
  }
  // Overlong forms and surrogates are no UTF-8 either.
  const char32_t least = more == 2 ? 0x800 : more == 3 ? 0x10000 : 0x80;
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kStrayByte + lead;
  length = more + 1;
  return c;
}

}  // namespace

EntryKind entryKind(std::string_view entry) {
  if (entry.starts_with(TITLE_PREFIX)) return EntryKind::Title;
  if (entry.starts_with(CLASS_PREFIX)) return EntryKind::Class;
  return EntryKind::Program;
}

std::string_view entryText(std::string_view entry) {
  switch (entryKind(entry)) {
    case EntryKind::Title:
      return entry.substr(TITLE_PREFIX.size());
    case EntryKind::Class:
      return entry.substr(CLASS_PREFIX.size());
    case EntryKind::Program:
      break;
  }
  return entry;
}

std::u32string foldCase(std::string_view text) {
  std::u32string folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 1;
    folded += lowerLetter(decode(text, i, length));
    i += length;
  }
  return folded;
}

bool titleMatches(std::string_view title, std::string_view text) {
  return foldCase(title).find(foldCase(text)) != std::u32string::npos;
}

bool classMatches(std::string_view className, std::string_view name) { return foldCase(className) == foldCase(name); }

}  // namespace tessellor
