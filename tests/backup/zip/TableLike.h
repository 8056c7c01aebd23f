// Table-like test data shared by the zip tests and the zip benchmark.
#pragma once

#include <string>

namespace ziptest {

// Rows of a table file: repetitive but not trivially compressible.
inline std::string TableLike(size_t size, unsigned seed) {
    std::string s;
    s.reserve(size + 64);
    unsigned x = seed * 2654435761u + 1;
    int row = 0;
    while (s.size() < size) {
        x = x * 1103515245u + 12345u;
        s += "row" + std::to_string(row++) + ";Kovács Éva;" + std::to_string(x % 1000000) + ";2019-0" +
             std::to_string(1 + x % 9) + "-1" + std::to_string(x % 10) + ";" +
             std::to_string((x >> 8) % 977) + "\n";
    }
    s.resize(size);
    return s;
}

}  // namespace ziptest
