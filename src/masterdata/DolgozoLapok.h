// What the employee sheets share: field texts as printed, the address lines
// and a band written as rows of a caption and its value.
#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace db {
class Dataset;
}
namespace report {
class Band;
class Control;
}  // namespace report

// The trimmed display text of a field of the current record.
QString LapMezo(db::Dataset& dataset, const char* field);
// The employee's street, number, building, floor and door joined by single
// blanks (the staircase is not part of it).
QString DolgozoCimSor(db::Dataset& employee);
// The located company's street, number, building, staircase, floor and door.
QString CegCimSor();

// Writes rows of a caption and its value down a band from `top`; the band
// grows to the last row.
class LapSorok {
public:
    using Ertek = std::function<QString()>;

    LapSorok(report::Band& band, double top, double captionLeft, double valueLeft);

    // A block's bold heading at the left edge.
    void Blokk(const QString& title);
    // A caption and its value, or its lines one under the other.
    void Sor(const QString& caption, const Ertek& value);
    void Sor(const QString& caption, const std::vector<Ertek>& lines);
    // A caption and a dotted line to fill in by hand, `width` mm long (0:
    // to the right edge).
    void Pontozott(const QString& caption, double width = 0);
    // A second caption and value on the last row, from `left`; the row's
    // first value ends before it.
    void Mellette(double left, const QString& caption, const Ertek& value, double valueLeft);
    // Empty room.
    void Kihagy(double mm);
    double Y() const { return y_; }

    static constexpr double kSor = 5.5;  // mm a row

private:
    report::Band& band_;
    double y_;
    double captionLeft_, valueLeft_;
    double rowTop_ = 0;                    // the last row's top, for Mellette
    report::Control* rowValue_ = nullptr;  // and its first value
};

// A dotted line over `caption`, centred in `width` from `left`.
void Alairas(report::Band& band, double left, double top, double width, const QString& caption);
// A dotted line of `width` mm.
QString PontozottSor(double width);
