#include "platform/os/CodePage.h"
#include "platform/os/Text.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace os {
namespace {

std::string DescribeUtf8Char(const char* p, size_t left) {
    const size_t n = std::min(Utf8SequenceLength(static_cast<unsigned char>(*p)), left);
    std::string ch(p, n);
    // Decode for the code point; the message shows both the letter and U+XXXX.
    unsigned cp = static_cast<unsigned char>(p[0]);
    if (n == 2) cp = ((cp & 0x1F) << 6) | (p[1] & 0x3F);
    if (n == 3) cp = ((cp & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    if (n == 4) cp = ((cp & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", cp);
    return "\"" + ch + "\" (" + code + ")";
}

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

// Converts with iconv. `cpName` is the CP1250/CP852 side's Hungarian name for the messages.
std::string Convert(const std::string& in, const char* from, const char* to, const char* cpName,
                    bool inputIsUtf8) {
    iconv_t raw = iconv_open(to, from);
    if (raw == reinterpret_cast<iconv_t>(-1))
        throw CodePageError(std::string("A kódlap-átalakítás nem érhető el: ") + from + " -> " + to);
    std::unique_ptr<void, IconvCloser> cd(raw);

    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(raw, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) {  // cannot happen with 4x room, but stay safe
            const size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        if (inputIsUtf8)
            throw CodePageError("A(z) " + DescribeUtf8Char(inPtr, inLeft) +
                                " karakter nem ábrázolható a(z) " + cpName + " kódlapon.");
        char code[8];
        std::snprintf(code, sizeof code, "%u", static_cast<unsigned char>(*inPtr));
        throw CodePageError(std::string("A(z) ") + code + ". kódú bájt nem értelmezhető a(z) " + cpName +
                            " kódlapon.");
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

// clang-format off
std::string Utf8ToCp1250(const std::string& utf8) { return Convert(utf8, "UTF-8", "CP1250", "1250-es", true); }
std::string Cp1250ToUtf8(const std::string& cp1250) { return Convert(cp1250, "CP1250", "UTF-8", "1250-es", false); }
std::string Utf8ToCp852(const std::string& utf8) { return Convert(utf8, "UTF-8", "CP852", "852-es", true); }
std::string Cp852ToUtf8(const std::string& cp852) { return Convert(cp852, "CP852", "UTF-8", "852-es", false); }

unsigned char HungarianCp1250ToCp852(unsigned char c) {
    switch (c) {
        case 193: return 181;  // Á
        case 201: return 144;  // É
        case 205: return 214;  // Í
        case 211: return 224;  // Ó
        case 214: return 153;  // Ö
        case 213: return 138;  // Ő
        case 218: return 233;  // Ú
        case 220: return 154;  // Ü
        case 219: return 235;  // Ű
        case 225: return 160;  // á
        case 233: return 130;  // é
        case 237: return 161;  // í
        case 243: return 162;  // ó
        case 246: return 148;  // ö
        case 245: return 139;  // ő
        case 250: return 163;  // ú
        case 252: return 129;  // ü
        case 251: return 251;  // ű
        default: return c;
    }
}
// clang-format on

std::string HungarianCp1250ToCp852(const std::string& cp1250) {
    std::string out = cp1250;
    for (char& c : out) c = static_cast<char>(HungarianCp1250ToCp852(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace os
