#include "base/Utf8.h"

namespace tarvell {

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length a lead byte announces, and the smallest code point that length may carry.
struct TLead {
  std::size_t Length;
  char32_t Bits;
  char32_t Minimum;
};

bool ReadLead(unsigned char b, TLead& lead) {
  if (b < 0x80) lead = {1, b, 0};
  else if ((b & 0xE0) == 0xC0) lead = {2, static_cast<char32_t>(b & 0x1F), 0x80};
  else if ((b & 0xF0) == 0xE0) lead = {3, static_cast<char32_t>(b & 0x0F), 0x800};
  else if ((b & 0xF8) == 0xF0) lead = {4, static_cast<char32_t>(b & 0x07), 0x10000};
  else return false;
  return true;
}

// Decodes one sequence; surrogates are accepted (our own encoding of unpaired ones).
bool Decode(std::string_view text, std::size_t at, char32_t& c, std::size_t& length) {
  TLead lead{};
  if (!ReadLead(static_cast<unsigned char>(text[at]), lead)) return false;
  if (lead.Length > text.size() - at) return false;
  char32_t value = lead.Bits;
  for (std::size_t i = 1; i < lead.Length; ++i) {
    const auto b = static_cast<unsigned char>(text[at + i]);
    if (!IsContinuation(b)) return false;
    value = (value << 6) | (b & 0x3F);
  }
  if (value < lead.Minimum || value > 0x10FFFF) return false;
  c = value;
  length = lead.Length;
  return true;
}

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& at) noexcept {
  char32_t c = 0;
  std::size_t length = 0;
  if (!Decode(text, at, c, length)) {
    ++at;
    return ReplacementCharacter;
  }
  at += length;
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF) c = ReplacementCharacter;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const char32_t c = NextCodePoint(text, at);
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(out, c);
  }
  return out;
}

bool IsValidUtf8(std::string_view text) noexcept {
  for (std::size_t at = 0; at < text.size();) {
    char32_t c = 0;
    std::size_t length = 0;
    if (!Decode(text, at, c, length) || IsSurrogate(c)) return false;
    at += length;
  }
  return true;
}

bool IsWtf8(std::string_view text) noexcept {
  bool afterHighSurrogate = false;
  for (std::size_t at = 0; at < text.size();) {
    char32_t c = 0;
    std::size_t length = 0;
    if (!Decode(text, at, c, length)) return false;
    if (afterHighSurrogate && c >= 0xDC00 && c <= 0xDFFF) return false;
    afterHighSurrogate = c >= 0xD800 && c <= 0xDBFF;
    at += length;
  }
  return true;
}

bool HasHighBytes(std::string_view text) noexcept {
  for (const char ch : text)
    if (static_cast<unsigned char>(ch) > 0x7F) return true;
  return false;
}

std::size_t CodePointCount(std::string_view text) noexcept {
  std::size_t n = 0;
  for (std::size_t at = 0; at < text.size(); ++n) NextCodePoint(text, at);
  return n;
}

std::size_t OffsetOfCodePoint(std::string_view text, std::size_t n) noexcept {
  std::size_t at = 0;
  for (std::size_t i = 0; i < n && at < text.size(); ++i) NextCodePoint(text, at);
  return at;
}

std::string_view LastCodePoints(std::string_view text, std::size_t n) noexcept {
  const std::size_t count = CodePointCount(text);
  if (count <= n) return text;
  return text.substr(OffsetOfCodePoint(text, count - n));
}

}  // namespace tarvell
