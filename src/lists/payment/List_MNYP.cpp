#include "lists/payment/List_MNYP.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "lists/payment/List_MNYPQR.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtString.h"

ParamField MnypTartomany() {
    ParamField f;
    f.from = "MaskEdit7";
    f.to = "MaskEdit8";
    f.caption = QStringLiteral("MNYP (F2)");
    f.mask = "9999;1; ";
    f.code = &lookups::Nyugdijpenztar;
    // Blank funds are no bound: the first and last non-empty fund.
    f.fromDefault = defaults::First("SF_DGMNYP");
    f.toDefault = defaults::Last("SF_DGMNYP");
    return f;
}

void MnypFeltetel(ListSql& sql, const std::string& field, const QString& tol, const QString& ig) {
    const std::string f = db::SqlName(field);
    if (!tol.trimmed().isEmpty())
        sql.Condition(f + " >= :mnyp_tol")
            .Bind("mnyp_tol", tol.trimmed().toStdString(), db::FieldType::String);
    if (!ig.trimmed().isEmpty())
        sql.Condition(f + " <= :mnyp_ig").Bind("mnyp_ig", ig.trimmed().toStdString(), db::FieldType::String);
}

namespace {

ListDecl MnypDecl() {
    ParamField datum = params::KifizetesDatuma();
    datum.fromDefault = defaults::FirstDayOfMonth("CurrencyEdit1");
    ParamField mnyp = MnypTartomany();
    mnyp.optional = true;

    ListDecl s;
    s.objectName = "List_MNYPForm";
    s.caption = QStringLiteral("Kifizetési listák/Magán-nyugdíjpénztári lista");
    s.fields = {params::Honap(), datum, params::Munkahely(), params::KifizetoHely(), params::Dolgozo(), mnyp};
    s.tables = {&TDM1::TableNyugP,   &TDM1::TableKifhely,  &TDM1::TableMhely,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "MaskEdit8";
    s.progressBars = 1;
    return s;
}

}  // namespace

WorkTable MnypTabla(std::optional<std::string> suffix) {
    using T = db::FieldType;
    return {"List_MNYP",
            {{"MNYP", T::String, 4},
             {"DOLGOZO_KOD", T::String, 11},
             {"HONAP", T::Integer},
             {"DOLGOZO_NEV", T::String, 50},
             {"TAJ", T::String, 9},
             {"ALAP", T::Integer},
             {"NORMAL", T::Integer},
             {"DOLGOZOI", T::Integer},
             {"VALLALATI", T::Integer},
             {"OSSZESEN", T::Integer}},
            "MNYP; DOLGOZO_KOD; HONAP",
            std::move(suffix)};
}

std::vector<db::Record> MnypSorok(const MnypParameterek& p, const std::function<void(int)>& start,
                                  const std::function<void()>& step) {
    db::Query& q = *DM1->Query1;
    Query1Fill fill;
    ListSql sql;
    sql.Line(
        "Select SF_DGMNYP, SF_DGTORZSSZAM, SF_HONAP, SF_JCKOD, SUM(SF_OSSZEG) As Osszeg, "
        "SUM(SF_JARALAP) As Alap From " +
        ListSql::Table(*DM1->TableSzamfejt));
    sql.Range("SF_DGTORZSSZAM", p.dgTol, p.dgIg);
    sql.Range("SF_HONAP", p.honapTol, p.honapIg);
    sql.Range("SF_DGMHKOD", p.mhTol, p.mhIg);
    sql.Range("SF_DGKHKOD", p.khTol, p.khIg);
    MnypFeltetel(sql, "SF_DGMNYP", p.mnypTol, p.mnypIg);
    sql.DateRange("SF_KIFIZDAT", p.datumTol, p.datumIg);
    sql.Condition("SF_JCKOD In ('301', '302', '333')");
    sql.Line("Group By SF_DGMNYP, SF_DGTORZSSZAM, SF_HONAP, SF_JCKOD");
    sql.Line("Order By SF_DGMNYP, SF_DGTORZSSZAM, SF_HONAP, SF_JCKOD");
    sql.Apply(q);
    q.Open();
    q.First();
    if (start) start(q.RecordCount());

    db::Field& fMnyp = q.FieldByName("SF_DGMNYP");
    db::Field& fKod = q.FieldByName("SF_DGTORZSSZAM");
    db::Field& fHonap = q.FieldByName("SF_HONAP");
    db::Field& fJc = q.FieldByName("SF_JCKOD");
    db::Field& fOsszeg = q.FieldByName("Osszeg");
    db::Field& fAlap = q.FieldByName("Alap");
    db::Table& dolgozo = *DM1->TableDolgozo;
    auto text = [](const std::string& v) { return v.empty() ? db::Variant() : db::Variant(v); };

    std::vector<db::Record> rows;
    while (!q.Eof()) {
        const std::string mnyp = fMnyp.AsString();
        const std::string kod = fKod.AsString();
        const int honap = fHonap.AsInteger();
        std::string nev, taj;
        if (dolgozo.Locate("DG_TORZSSZAM", kod)) {
            nev = dolgozo.FieldByName("DG_NEV").AsString();
            taj = dolgozo.FieldByName("DG_TAJSZ").AsString();
        }
        int alap = 0, normal = 0, dolgozoi = 0, vallalati = 0;
        Int32Total osszesen;
        for (; !q.Eof() && fMnyp.AsString() == mnyp && fKod.AsString() == kod && fHonap.AsInteger() == honap;
             q.Next(), step ? step() : void()) {
            const std::string jc = fJc.AsString();
            const int osszeg = ToInt32(RoundHalfEven(fOsszeg.AsFloat()));
            if (jc == "301") {
                alap = ToInt32(RoundHalfEven(fAlap.AsFloat()));
                normal = osszeg;
            } else if (jc == "302") {
                dolgozoi = osszeg;
            } else {
                vallalati = osszeg;
            }
            osszesen.Add(osszeg);
        }
        rows.push_back({text(mnyp), text(kod), honap, text(nev), text(taj), alap, normal, dolgozoi, vallalati,
                        osszesen.Value()});
    }
    return rows;
}

TList_MNYPForm::TList_MNYPForm(QWidget* parent)
    : ListForm(MnypDecl(), parent), List_MNYPQRForm(std::make_unique<TList_MNYPQRForm>()) {}

TList_MNYPForm::~TList_MNYPForm() = default;

MnypParameterek TList_MNYPForm::Parameterek() const {
    MnypParameterek p;
    p.honapTol = Month("CurrencyEdit1");
    p.honapIg = Month("CurrencyEdit2");
    p.datumTol = Date("DateEdit1");
    p.datumIg = Date("DateEdit2");
    p.mhTol = Text("MaskEdit1");
    p.mhIg = Text("MaskEdit2");
    p.khTol = Text("MaskEdit3");
    p.khIg = Text("MaskEdit4");
    p.dgTol = Text("MaskEdit5");
    p.dgIg = Text("MaskEdit6");
    p.mnypTol = Text("MaskEdit7");
    p.mnypIg = Text("MaskEdit8");
    return p;
}

bool TList_MNYPForm::TablaLetrehoz() {
    return FillWorkTable(MnypTabla(), [this] {
        return MnypSorok(Parameterek(), ProgressStart(ProgressBar1), ProgressStep(ProgressBar1));
    });
}

void TList_MNYPForm::BitBtn1Click() {
    RunWorkTableList([this] { return TablaLetrehoz(); },
                     [this] {
                         MnypTabla().OpenInTable1();
                         // The untrimmed fund fields, as typed.
                         List_MNYPQRForm->Mnyp =
                             Edit("MaskEdit7")->text() + " - " + Edit("MaskEdit8")->text();
                         List_MNYPQRForm->QuickRep1.Preview();
                     });
}
