#include "platform/os/Text.h"

#include <algorithm>

namespace os {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string UpperAscii(std::string s) {
    for (char& c : s) c = UpperAscii(c);
    return s;
}

std::string LowerAscii(std::string s) {
    for (char& c : s) c = LowerAscii(c);
    return s;
}

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool SameAsciiName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

namespace {

bool IsUtf8Lead(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

}  // namespace

size_t Utf8Length(std::string_view s) {
    return static_cast<size_t>(std::count_if(s.begin(), s.end(), IsUtf8Lead));
}

std::string Utf8Left(std::string_view s, size_t chars) {
    size_t n = 0, i = 0;
    for (; i < s.size(); ++i) {
        if (IsUtf8Lead(s[i])) {
            if (n == chars) break;
            ++n;
        }
    }
    return std::string(s.substr(0, i));
}

size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

namespace {

template <class Drop>
std::string Trim(std::string_view s, bool left, Drop drop) {
    size_t b = 0, e = s.size();
    while (left && b < e && drop(s[b])) ++b;
    while (e > b && drop(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

bool Whitespace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool UpToBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool SpaceOrNul(char c) { return c == ' ' || c == '\0'; }

}  // namespace

std::string TrimWhitespace(std::string_view s) { return Trim(s, true, Whitespace); }
std::string TrimUpToBlank(std::string_view s) { return Trim(s, true, UpToBlank); }
std::string TrimSpacesAndNuls(std::string_view s) { return Trim(s, true, SpaceOrNul); }
std::string TrimRightSpacesAndNuls(std::string_view s) { return Trim(s, false, SpaceOrNul); }

}  // namespace os
