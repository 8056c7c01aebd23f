// A produced report read as text, the way tests and golden files compare
// lists: the runs of a page in reading order, or every page as lines of
// "top | left text | left text" in whole millimetres.
#pragma once

#include <QString>
#include <string>
#include <vector>

namespace report {

class PagePrinter;

// The texts of page `page` (1-based), top to bottom and left to right.
std::vector<QString> PageTexts(const PagePrinter& printer, int page);

// Every page, UTF-8, one line per printed line:
//   === page 1/3
//    12 |  10 Bérszámfejtő Program |  150 Lapszám : 1
// The first number is the line's top, each run starts with its left edge,
// both rounded to whole millimetres.
std::string PagesText(const PagePrinter& printer);

}  // namespace report
