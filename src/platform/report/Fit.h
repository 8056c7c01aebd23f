// Checks produced pages the way a reader sees them: each text measured with
// the metrics of the font it is drawn in against the box it is drawn into,
// and the drawn texts against each other and the paper's edges. A list
// whose widest values still read whole passes with no finding.
#pragma once

#include <QString>
#include <vector>

namespace report {

class PagePrinter;

// One finding per text: cut by its box (too wide or too high), running off
// the paper, or touching or overlapping another text of the page (texts
// closer than kMinGap mm side by side read as one).
inline constexpr double kMinGap = 0.3;
std::vector<QString> FitProblems(const PagePrinter& printer);

}  // namespace report
