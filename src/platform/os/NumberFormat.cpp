#include "platform/os/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <regex>
#include <vector>

namespace os {
namespace {

// Splits a picture at the ";" outside quotes.
std::vector<std::string> Sections(const std::string& format) {
    std::vector<std::string> out(1);
    char quote = 0;
    for (char c : format) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            out.emplace_back();
            continue;
        }
        out.back() += c;
    }
    return out;
}

// A piece of the picture: a digit placeholder or a literal.
struct Token {
    char digit = 0;  // '0' or '#'; 0 for a literal
    std::string text;
};

std::string PlainNumber(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

}  // namespace

std::string FormatFloat(const std::string& format, double value, const std::string& decimalSep,
                        const std::string& thousandSep) {
    if (format.empty()) return PlainNumber(value);
    const std::vector<std::string> sections = Sections(format);
    std::string section = sections[0];
    bool sign = value < 0;
    if (value < 0 && sections.size() > 1 && !sections[1].empty()) {
        section = sections[1];
        sign = false;
    }
    // The picture: literals before the first and after the last placeholder,
    // the whole part's and the decimals' tokens in order.
    std::string prefix, suffix;
    std::vector<Token> whole, decimals;
    bool inDecimals = false, grouping = false, seenDigit = false;
    std::string pending;  // literals since the last placeholder
    auto literal = [&](const std::string& s) { (seenDigit ? pending : prefix) += s; };
    auto placeholder = [&](char c) {
        std::vector<Token>& into = inDecimals ? decimals : whole;
        if (seenDigit && !pending.empty()) into.push_back({0, pending});
        pending.clear();
        seenDigit = true;
        into.push_back({c, {}});
    };
    char quote = 0;
    for (char c : section) {
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                literal(std::string(1, c));
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '0' || c == '#') {
            placeholder(c);
        } else if (c == '.' && !inDecimals) {
            if (seenDigit && !pending.empty()) whole.push_back({0, pending});
            pending.clear();
            inDecimals = true;
        } else if (c == ',' && !inDecimals) {
            grouping = true;
        } else {
            literal(std::string(1, c));
        }
    }
    suffix = pending;

    int decAll = 0, decZeros = 0, wholeDigits = 0, wholeZeros = 0;
    for (const Token& t : decimals)
        if (t.digit) {
            ++decAll;
            if (t.digit == '0') decZeros = decAll;
        }
    for (const Token& t : whole)
        if (t.digit) ++wholeDigits;
    // The whole part shows at least the digits from its leftmost "0" on.
    for (int i = 0, n = 0; i < static_cast<int>(whole.size()); ++i)
        if (whole[i].digit) {
            if (whole[i].digit == '0') {
                wholeZeros = wholeDigits - n;
                break;
            }
            ++n;
        }

    const double scale = std::pow(10.0, decAll);
    const double rounded = std::round(std::fabs(value) * scale) / scale;
    if (rounded == 0 && sections.size() > 2 && !sections[2].empty())
        return FormatFloat(sections[2], 0, decimalSep, thousandSep);
    if (rounded == 0) sign = false;
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decAll, rounded);
    std::string text = buf;
    const size_t point = text.find('.');
    std::string intDigits = text.substr(0, point);
    std::string decDigits = point == std::string::npos ? std::string() : text.substr(point + 1);
    while (static_cast<int>(decDigits.size()) > decZeros && !decDigits.empty() && decDigits.back() == '0')
        decDigits.pop_back();
    if (intDigits == "0" && wholeZeros == 0) intDigits.clear();
    while (static_cast<int>(intDigits.size()) < wholeZeros) intDigits.insert(intDigits.begin(), '0');

    // The whole part from the right: each placeholder takes a digit, digits
    // beyond the placeholders go before the first one, a literal shows when
    // a digit stands left of it.
    const int count = static_cast<int>(intDigits.size());
    std::vector<std::string> pieces;  // right to left
    int next = count - 1;             // the digit the next placeholder takes
    auto digitText = [&](int at) {
        std::string s(1, intDigits[at]);
        const int fromRight = count - 1 - at;
        if (grouping && fromRight > 0 && fromRight % 3 == 0) s += thousandSep;
        return s;
    };
    int firstPlaceholder = -1;
    for (int i = 0; i < static_cast<int>(whole.size()); ++i)
        if (whole[i].digit) {
            firstPlaceholder = i;
            break;
        }
    for (int i = static_cast<int>(whole.size()) - 1; i >= 0; --i) {
        const Token& t = whole[i];
        if (t.digit) {
            if (next >= 0) pieces.push_back(digitText(next--));
            if (i == firstPlaceholder)
                while (next >= 0) pieces.push_back(digitText(next--));
        } else if (next >= 0) {
            pieces.push_back(t.text);
        }
    }
    while (next >= 0) pieces.push_back(digitText(next--));
    std::string number;
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) number += *it;

    if (!decDigits.empty()) {
        number += decimalSep;
        size_t used = 0;
        for (const Token& t : decimals) {
            if (used >= decDigits.size()) break;
            if (t.digit)
                number += decDigits[used++];
            else
                number += t.text;
        }
    }
    return (sign ? "-" : "") + prefix + number + suffix;
}

std::string WithoutDigitGroups(const std::string& text) {
    std::string s;
    s.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        // U+00A0 and U+202F, the no-break spaces that locales group with.
        if (text.compare(i, 2, "\xC2\xA0") == 0) {
            s += ' ';
            ++i;
        } else if (text.compare(i, 3, "\xE2\x80\xAF") == 0) {
            s += ' ';
            i += 2;
        } else {
            s += text[i];
        }
    }
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return text;
    s = s.substr(first, s.find_last_not_of(" \t") - first + 1);
    if (s.find(' ') == std::string::npos) return text;
    static const std::regex grouped(R"([+-]?\d{1,3}( \d{3})+([.,]\d*)?)");
    if (!std::regex_match(s, grouped)) return text;
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

}  // namespace os
