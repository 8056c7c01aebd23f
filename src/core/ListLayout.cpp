#include "core/ListLayout.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "core/ListForm.h"
#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "core/helpers/TypedDate.h"
#include "platform/ui/QtString.h"

QString SzamSzoveg(double value) {
    if (value == 0 || std::isnan(value)) return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

void Int32Total::Add(long long amount) {
    const long long sum = static_cast<long long>(value_) + amount;
    value_ = ToInt32(sum);
}

int ToInt32(long long value) {
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw std::overflow_error("Integer overflow");
    return static_cast<int>(value);
}

std::array<long long, 14> CimletBontas(long long amount) {
    std::array<long long, 14> counts{};
    long long rest = amount;
    for (size_t i = 0; i < kCimletek.size(); ++i) {
        counts[i] = rest / kCimletek[i];
        rest -= counts[i] * kCimletek[i];
    }
    return counts;
}

QString CimOsszefuz(db::Dataset& dataset, const std::vector<std::string>& fields) {
    QStringList parts;
    for (const std::string& f : fields) parts << Q(dataset.FieldByName(f).AsString()).trimmed();
    return parts.join(u' ');
}

void ListHeader::DatumMutat(bool on) const {
    if (QRLabelDatum) QRLabelDatum->Enabled = on;
    if (QRSysData2) QRSysData2->Enabled = on;
}

ListHeader AddListHeader(report::Band& band, const QString& title, bool shortName, double width) {
    using report::Align;
    const double w = width;
    ListHeader h;
    band.Label(0, 0, 60, Q(ProgramCim));
    band.Label(40, 0, w - 80, Q(KeszitoSor), Align::Center);
    band.SysData(w - 40, 0, 40, report::SysKind::PageNumber, Align::Right, QStringLiteral("Lapszám : "));
    band.Label(0, 5, 25, QStringLiteral("Felhasználó :"));
    band.Computed(25, 5, 120, [] {
        return Q(DM1->TableErtekkeszlet->Lookup("EK_TIPUS;EK_ERTEK", {"0", "02"}, "EK_ERTEKCHAR").ToString());
    });
    band.Field(0, 10, 140, shortName ? "CG_RNEV" : "CG_NEV").From(*DM1->TableCegek);
    h.QRLabelDatum = &band.Label(w - 40, 10, 18, QStringLiteral("Dátum :"));
    h.QRSysData2 = &band.SysData(w - 22, 10, 22, report::SysKind::Date, Align::Right);
    band.HLine(0, 15, w);
    h.Title = &band.Label(0, 16, w, title, Align::Center).Size(14).Bold();
    h.bottom = 23;
    return h;
}

void ParamLines::Add(const QString& caption, std::function<QString()> value, double indent) const {
    band_.Label(indent, y_, captionWidth_, caption);
    band_.Computed(indent + captionWidth_, y_, right_ - indent - captionWidth_, std::move(value));
    y_ += 5;
}

void JogcimParamSorok(report::Band& band, double& y, const JogcimParameterek& p) {
    const ParamLines line(band, y, 28, 190);
    line.Add(QStringLiteral("Hónap :"), p, &JogcimParameterek::honap);
    line.Add(QStringLiteral("Kifiz. dát. :"), p, &JogcimParameterek::kifizDat);
    line.Add(QStringLiteral("Munkahely :"), p, &JogcimParameterek::munkahely);
    line.Add(QStringLiteral("Dolgozó :"), p, &JogcimParameterek::dolgozo);
    line.Add(QStringLiteral("Jogcím :"), p, &JogcimParameterek::jogcim);
}

std::string CegKod() {
    const std::string& name = DM1->TableSzamfejt->TableName;
    return name.size() >= 12 ? name.substr(9, 3) : std::string();
}

bool LocateCompany() {
    const std::string kod = CegKod();
    return !kod.empty() && DM1->TableCegek->Locate("CG_KOD", kod);
}

QString ColumnText(db::Dataset& dataset, const ListColumn& column) {
    db::Field& f = dataset.FieldByName(column.field);
    if (f.IsNull()) return {};
    switch (column.format) {
        case ColumnFormat::Amount:
            return SzamSzoveg(f.AsFloat());
        case ColumnFormat::Date:
            return Q(DatumSzoveg(f.AsDateTime()));
        case ColumnFormat::Text:
            break;
    }
    return Q(f.AsString());
}

void AddColumns(report::Band& header, double top, report::Band& detail, db::Dataset& dataset,
                const std::vector<ListColumn>& columns) {
    for (const ListColumn& c : columns) {
        header.Label(c.left, top, c.width, c.caption, c.align).Bold();
        db::Dataset* ds = &dataset;
        detail.Computed(
            c.left, 0, c.width, [c, ds] { return ColumnText(*ds, c); }, c.align);
    }
}

QString RangeText(const ListForm& form, const QString& from, const QString& to) {
    return form.Text(from) + " - " + form.Text(to);
}
