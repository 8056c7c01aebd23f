#include "masterdata/DolgozoLapok.h"

#include <algorithm>
#include <cmath>

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "platform/db/Table.h"
#include "platform/report/Report.h"

QString LapMezo(db::Dataset& dataset, const char* field) {
    return QString::fromStdString(dataset.FieldByName(field).AsString()).trimmed();
}

QString DolgozoCimSor(db::Dataset& employee) {
    return CimOsszefuz(employee,
                       {"DG_KOZTER", "DG_KOZTERJEL", "DG_HAZSZ", "DG_EPULET", "DG_EMELET", "DG_AJTO"})
        .trimmed();
}

QString CegCimSor() {
    return CimOsszefuz(*DM1->TableCegek, {"CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_EPULET",
                                          "CG_LEPCSOHAZ", "CG_EMELET", "CG_AJTO"})
        .trimmed();
}

QString PontozottSor(double width) {
    // A dot of the 10-point font is about a millimetre wide.
    return QString(std::max(1, int(std::floor(width))), u'.');
}

void Alairas(report::Band& band, double left, double top, double width, const QString& caption) {
    band.Label(left, top, width, PontozottSor(width * 0.8), report::Align::Center);
    band.Label(left, top + 5, width, caption, report::Align::Center);
}

LapSorok::LapSorok(report::Band& band, double top, double captionLeft, double valueLeft)
    : band_(band), y_(top), captionLeft_(captionLeft), valueLeft_(valueLeft) {}

void LapSorok::Blokk(const QString& title) {
    band_.Label(0, y_, 190, title).Bold();
    y_ += kSor;
    band_.Height = std::max(band_.Height, y_);
}

void LapSorok::Sor(const QString& caption, const Ertek& value) { Sor(caption, std::vector<Ertek>{value}); }

void LapSorok::Sor(const QString& caption, const std::vector<Ertek>& lines) {
    rowTop_ = y_;
    rowValue_ = nullptr;
    band_.Label(captionLeft_, y_, valueLeft_ - captionLeft_, caption);
    for (const Ertek& line : lines) {
        report::Control& c = band_.Computed(valueLeft_, y_, 190 - valueLeft_, line);
        if (!rowValue_) rowValue_ = &c;
        y_ += kSor;
    }
    if (lines.empty()) y_ += kSor;
    band_.Height = std::max(band_.Height, y_);
}

void LapSorok::Pontozott(const QString& caption, double width) {
    const QString dots = PontozottSor(width > 0 ? width : 190 - valueLeft_ - 10);
    Sor(caption, [dots] { return dots; });
}

void LapSorok::Mellette(double left, const QString& caption, const Ertek& value, double valueLeft) {
    if (rowValue_) rowValue_->Width = std::max(1.0, left - 2 - rowValue_->Left);
    band_.Label(left, rowTop_, valueLeft - left, caption);
    band_.Computed(valueLeft, rowTop_, 190 - valueLeft, value);
}

void LapSorok::Kihagy(double mm) {
    y_ += mm;
    band_.Height = std::max(band_.Height, y_);
}
