#include "text/utf8.h"

#include <cstdint>
#include <cstring>

namespace text {
namespace {

// Bytes 0x80-0xFF that are not valid UTF-8 map to U+DC80-U+DCFF, a range
// valid UTF-8 can never produce (lone low surrogates).
constexpr char16_t kRawByteBase = 0xDC00;

// Output goes through a small buffer appended in pieces: no zero-filled
// upper bound of the result is allocated, and no character is pushed singly.
constexpr size_t kChunk = 4096;

// Length of the sequence a lead byte starts, 0 for a byte that cannot lead.
int sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Decodes one well-formed sequence at bytes[i], or returns -1 when it is not
// one (overlong, surrogate, out of range or cut short).
long decodeSequence(std::string_view bytes, size_t i, int length) {
  if (i + length > bytes.size()) return -1;
  unsigned char lead = bytes[i];
  long code = length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
  for (int k = 1; k < length; ++k) {
    unsigned char next = bytes[i + k];
    if ((next & 0xC0) != 0x80) return -1;
    code = (code << 6) | (next & 0x3F);
  }
  if (length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return -1;
  if (length == 4 && (code < 0x10000 || code > 0x10FFFF)) return -1;
  return code;
}

// Decodes the non-ASCII sequence at bytes[i] into out; returns the bytes used.
int decodeOne(std::string_view bytes, size_t i, char16_t*& out) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  const int length = sequenceLength(lead);
  long code = length > 1 ? decodeSequence(bytes, i, length) : -1;
  if (code < 0) {
    *out++ = static_cast<char16_t>(kRawByteBase + lead);
    return 1;
  }
  if (code >= 0x10000) {
    code -= 0x10000;
    *out++ = static_cast<char16_t>(0xD800 + (code >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  } else {
    *out++ = static_cast<char16_t>(code);
  }
  return length;
}

char* appendUtf8(char* out, unsigned long code) {
  if (code < 0x80) {
    *out++ = static_cast<char>(code);
  } else if (code < 0x800) {
    *out++ = static_cast<char>(0xC0 | (code >> 6));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (code >> 12));
    *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (code >> 18));
    *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

// Encodes the unit at text[i] (and its partner, for a surrogate pair) into
// out; returns the units used.
int encodeOne(std::u16string_view text, size_t i, char*& out) {
  const char16_t c = text[i];
  if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
    out = appendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
    return 2;
  }
  if (c >= 0xDC80 && c <= 0xDCFF) {
    *out++ = static_cast<char>(c - kRawByteBase);
  } else {
    out = appendUtf8(out, c);
  }
  return 1;
}

bool eightAscii(const char* p) {
  uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return (word & 0x8080808080808080u) == 0;
}

bool eightAscii(const char16_t* p) {
  uint64_t words[2];
  std::memcpy(words, p, sizeof words);
  return ((words[0] | words[1]) & 0xFF80FF80FF80FF80u) == 0;
}

}  // namespace

std::u16string decodeUtf8(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  appendDecodedUtf8(out, skipByteOrderMark(bytes));
  return out;
}

std::string_view skipByteOrderMark(std::string_view bytes) {
  return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
}

void appendDecodedUtf8(std::u16string& out, std::string_view bytes) {
  char16_t chunk[kChunk + 8];
  size_t i = 0;
  while (i < bytes.size()) {
    char16_t* o = chunk;
    while (i < bytes.size() && o < chunk + kChunk) {
      if (i + 8 <= bytes.size() && eightAscii(bytes.data() + i)) {
        for (int k = 0; k < 8; ++k) o[k] = static_cast<unsigned char>(bytes[i + k]);
        o += 8;
        i += 8;
      } else if (static_cast<unsigned char>(bytes[i]) < 0x80) {
        *o++ = static_cast<unsigned char>(bytes[i++]);
      } else {
        i += decodeOne(bytes, i, o);
      }
    }
    out.append(chunk, o - chunk);
  }
}

std::string encodeUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  char chunk[kChunk + 8];
  size_t i = 0;
  while (i < text.size()) {
    char* o = chunk;
    while (i < text.size() && o < chunk + kChunk) {
      if (i + 8 <= text.size() && eightAscii(text.data() + i)) {
        for (int k = 0; k < 8; ++k) o[k] = static_cast<char>(text[i + k]);
        o += 8;
        i += 8;
      } else {
        i += encodeOne(text, i, o);
      }
    }
    out.append(chunk, o - chunk);
  }
  return out;
}

}  // namespace text
