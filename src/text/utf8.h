#pragma once

#include <string>
#include <string_view>

namespace text {

/// Decodes UTF-8 without loss: a byte that is not part of valid UTF-8 becomes
/// U+DC00 + byte (U+DC80..U+DCFF), so encodeUtf8 gives the same byte back. A byte-order mark at
/// the start is skipped.
std::u16string decodeUtf8(std::string_view bytes);

/// The bytes without a UTF-8 byte-order mark at their start.
std::string_view skipByteOrderMark(std::string_view bytes);

/// Decodes as decodeUtf8 does, without looking for a byte-order mark, and
/// appends the text to out. Decoding the lines of a text one by one gives the
/// same as decoding it whole: no sequence spans a CR or LF byte.
void appendDecodedUtf8(std::u16string& out, std::string_view bytes);

/// Encodes UTF-16 as UTF-8; U+DC80..U+DCFF standing alone become the raw byte
/// they were decoded from. Other unpaired surrogates are written as their
/// three-byte form.
std::string encodeUtf8(std::u16string_view text);

/// Short form for ASCII and UTF-8 literals in code and tests.
inline std::u16string u16(std::string_view utf8) { return decodeUtf8(utf8); }

}  // namespace text
