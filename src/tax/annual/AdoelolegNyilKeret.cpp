#include "tax/annual/AdoelolegNyilKeret.h"

#include "core/Nyomtatas.h"
#include "platform/db/Query.h"

AdoelolegNyilLap::AdoelolegNyilLap(const QString& name, report::Orientation orientation) : QuickRep1(name) {
    QuickRep1.Page.orientation = orientation;
    QuickRep1.Font.size = 9;
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1.DataSet->First(); };
    QuickRep1.OnPreview = [this, name] { ShowReportPreview(QuickRep1, name); };
    const report::PageSetup& p = QuickRep1.Page;
    lap_ = &QuickRep1.AddDetail(p.Height() - p.topMargin - p.bottomMargin);
    lap_->ForceNewPage = true;
}

double AdoelolegNyilLap::LapSzel() const {
    const report::PageSetup& p = QuickRep1.Page;
    return p.Width() - p.leftMargin - p.rightMargin;
}

void AdoelolegNyilLap::Nev(double x, double yy, double width) { lap_->Field(x, yy, width, "DG_NEV").Bold(); }

void AdoelolegNyilLap::Adoaz(double x, double yy, double width) {
    lap_->Field(x, yy, width, "DG_ADOAZ").Bold();
}

report::Control& AdoelolegNyilLap::Szoveg(const QString& text, double x, double width, int lines) {
    if (width <= 0) width = LapSzel() - x;
    report::Control& c = lap_->Label(x, y, width, text);
    if (lines > 1) {
        c.Wrap();
        c.Height = lines * kSor;
    }
    return c;
}

report::Control& AdoelolegNyilLap::Sor(const QString& text, double x, int lines, double width) {
    report::Control& c = Szoveg(text, x, width, lines);
    y += lines * kSor;
    return c;
}

void AdoelolegNyilLap::Negyzet(double x) { lap_->Rectangle(x, y + 0.3, 3.5, 3.5); }

double AdoelolegNyilLap::Negyzetek(double x, int count) {
    for (int i = 0; i < count; ++i, x += 4) Negyzet(x);
    return x;
}

void AdoelolegNyilLap::KeltAlairas(const QString& alairas) {
    Szoveg(QStringLiteral("Kelt:"), 0, 12);
    Szoveg(QStringLiteral("................................, ........ év ........ hó ........ nap"), 12, 100);
    Sor(QStringLiteral("..................................................."), 120, 1, 70).Alignment =
        report::Align::Center;
    Sor(alairas, 120, 1, 70).Alignment = report::Align::Center;
}

void AdoelolegNyilLap::Kifizeto(const QString& megnevezes, const QString& adoszam, double x,
                                double captionWidth) {
    const QString pontok = QStringLiteral("..................................................");
    const double vonal = x + captionWidth;
    Szoveg(megnevezes, x, captionWidth);
    Sor(pontok + pontok, vonal, 1, LapSzel() - vonal);
    Szoveg(adoszam, x, captionWidth);
    Sor(pontok, vonal, 1, 90);
    Ures(4);
    KeltAlairas(QStringLiteral("Cégszerű aláírás"));
}

AdoelolegNyilForm::AdoelolegNyilForm(const char* objectName, const QString& menuItem, QWidget* parent)
    : ListForm(
          [&] {
              ListDecl s;
              s.objectName = objectName;
              s.caption = QStringLiteral("Szerviz/") + menuItem;
              s.fields = {params::MunkahelyDolgozokbol(lookups::Munkahely),
                          params::DolgozoDolgozokbol(lookups::Dolgozo)};
              s.tables = {&TDM1::TableMhely, &TDM1::TableDolgozo};
              return s;
          }(),
          parent) {}

void AdoelolegNyilForm::BitBtn1Click() {
    RunQueryList([this] {
        ListSql sql;
        sql.Line("Select * From " + ListSql::Table(*DM1->TableDolgozo));
        sql.Range("DG_TORZSSZAM", Text("MaskEdit5"), Text("MaskEdit6"));
        sql.Range("DG_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
        if (csakCsaladi_) sql.Condition("DG_ALKMIN Not In ('0', '7', '8', '9')");
        sql.Line("Order By DG_TORZSSZAM");
        Query1Open(sql);
        layout_->Preview();
    });
}
