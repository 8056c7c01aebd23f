// Code-page conversion at file boundaries. Text is UTF-8 inside the program;
// the XML files and the log are written in CP1250, the fixed-width bank and
// fund files in CP852. A character the target code page cannot hold is an
// error naming it, never a silent '?'.
#pragma once

#include <stdexcept>
#include <string>

namespace os {

class CodePageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// UTF-8 to CP1250 bytes; throws CodePageError naming the first character
// that has no place in CP1250.
std::string Utf8ToCp1250(const std::string& utf8);

// CP1250 bytes to UTF-8; throws CodePageError for the five bytes CP1250 leaves
// undefined.
std::string Cp1250ToUtf8(const std::string& cp1250);

// UTF-8 to CP852 bytes; throws CodePageError naming a character CP852 lacks.
std::string Utf8ToCp852(const std::string& utf8);

// CP852 bytes to UTF-8.
std::string Cp852ToUtf8(const std::string& cp852);

// The fixed-width files' own mapping: exactly the eighteen Hungarian accented
// letters move from their CP1250 byte to their CP852 byte; every other byte
// passes unchanged.
unsigned char HungarianCp1250ToCp852(unsigned char c);
std::string HungarianCp1250ToCp852(const std::string& cp1250);

}  // namespace os
