// Byte-level text helpers every layer shares: ASCII letter case for names
// (fields, tables, files, parameters, entries), counting and cutting UTF-8
// text by characters, and trimming. The Hungarian collation and full case
// folding live in the database layer (ICU).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace os {

// Only 'a'..'z' and 'A'..'Z' change: the result never depends on the locale.
char UpperAscii(char c);
char LowerAscii(char c);
std::string UpperAscii(std::string s);
std::string LowerAscii(std::string s);
// Only bytes below 0x80.
bool IsAscii(std::string_view s);
// Equal but for the letter case of ASCII letters.
bool SameAsciiName(std::string_view a, std::string_view b);

// Characters of a UTF-8 text (a stray continuation byte counts with the
// character before it).
size_t Utf8Length(std::string_view s);
// The first `chars` characters of a UTF-8 text, never a character cut apart.
std::string Utf8Left(std::string_view s, size_t chars);
// Bytes of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
size_t Utf8SequenceLength(unsigned char lead);

// Without leading and trailing blanks, tabs, CRs and LFs.
std::string TrimWhitespace(std::string_view s);
// Without every leading and trailing byte up to the blank (control
// characters too), as the program's own text helpers trim.
std::string TrimUpToBlank(std::string_view s);
// Without leading and trailing blanks and NUL bytes (fixed-width file fields).
std::string TrimSpacesAndNuls(std::string_view s);
std::string TrimRightSpacesAndNuls(std::string_view s);

}  // namespace os
