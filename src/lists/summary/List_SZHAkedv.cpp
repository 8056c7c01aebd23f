#include "lists/summary/List_SZHAkedv.h"

#include "core/helpers/SegedUnit.h"
#include "lists/summary/List_SZHAkedvQR.h"
#include "platform/db/Query.h"
#include "platform/os/ScopeGuard.h"

namespace {

const char* const kNincsKod = "Ez a kód nem létezik!";

// The employee and the allowance code say "Ez a kód nem létezik!".
const CodeLookup kDolgozo = [] {
    CodeLookup l = lookups::Dolgozo;
    l.message = kNincsKod;
    return l;
}();
const CodeLookup kSzhaKod{.table = &TDM1::TableErtekkeszlet,
                          .keyField = "EK_ERTEK",
                          .nameField = "EK_ERTEKNEV",
                          .message = kNincsKod,
                          .pickKind = 1,
                          .ekTipus = "9",
                          .field1 = "EK_ERTEK",
                          .width1 = 30,
                          .field2 = "EK_ERTEKNEV",
                          .width2 = 336,
                          .sqlColumns = {},
                          .sqlCondition = ""};

// Every range starts out over the whole span of the saved values.
ListDecl SZHAkedvDecl() {
    ParamField honap = params::Honap();
    honap.fromDefault = defaults::First("SF_HONAP");
    ParamField datum = params::KifizetesDatuma();
    datum.fromDefault = defaults::First("SF_KIFIZDAT");
    ParamField dolgozo = params::Dolgozo(kDolgozo);

    ParamField kod;
    kod.from = "MaskEdit7";
    kod.to = "MaskEdit8";
    kod.caption = QStringLiteral("SZHA kedv. (F2) :");
    kod.mask = "99;1; ";
    kod.code = &kSzhaKod;
    kod.fromDefault = defaults::First("EK_ERTEK", DefaultSource::ValueSet9);
    kod.toDefault = defaults::Last("EK_ERTEK", DefaultSource::ValueSet9);

    ListDecl s;
    s.objectName = "List_SZHAkedvForm";
    s.caption = QStringLiteral("Összesítő listák/SZHA kedvezmény");
    s.fields = {honap, datum, params::Munkahely("SF_MHKOD"), params::KifizetoHely(), dolgozo, kod};
    s.tables = {&TDM1::TableKifhely, &TDM1::TableMhely,    &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    return s;
}

}  // namespace

TList_SZHAkedvForm::TList_SZHAkedvForm(QWidget* parent)
    : ListForm(SZHAkedvDecl(), parent), List_SZHAkedvQRForm(std::make_unique<TList_SZHAkedvQRForm>()) {}

TList_SZHAkedvForm::~TList_SZHAkedvForm() = default;

void TList_SZHAkedvForm::BitBtn1Click() {
    RunQueryList([this] {
        TList_SZHAkedvQRForm& layout = *List_SZHAkedvQRForm;
        const int m1 = Month("CurrencyEdit1");
        const int m2 = Month("CurrencyEdit2");
        // The ranges every query shares; `tetel`: only the allowance amounts.
        auto szures = [&](ListSql& sql, bool tetel) {
            sql.Range("SF_DGTORZSSZAM", Text("MaskEdit5"), Text("MaskEdit6"));
            sql.Range("SF_HONAP", m1, m2);
            sql.Range("SF_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
            sql.Range("SF_DGKHKOD", Text("MaskEdit3"), Text("MaskEdit4"));
            if (tetel) sql.Equal("SF_JCKOD", QStringLiteral("328"));
            sql.Range("SF_SZHAKEDVKOD", Text("MaskEdit7"), Text("MaskEdit8"));
            sql.DateRange("SF_KIFIZDAT", Date("DateEdit1"), Date("DateEdit2"));
        };
        const std::string szamfejt = ListSql::Table(*DM1->TableSzamfejt);

        ListSql honapok;
        honapok.Line("Select Distinct SF_HONAP As pHONAP1 From " + szamfejt);
        szures(honapok, true);
        honapok.Line("Order By SF_HONAP");

        // A code without a name of type "9" is in no group.
        ListSql kodok;
        kodok.Line(
            "Select SF_HONAP As pHONAP2, SF_SZHAKEDVKOD As pSZHAKEDVKOD, EK_ERTEKNEV, "
            "SUM(SF_OSSZEG) As sum_SFOSSZEG From " +
            szamfejt);
        kodok.Line("Join " + ListSql::Table(*DM1->TableErtekkeszlet) + " As Ertekk");
        kodok.Line("On SF_SZHAKEDVKOD=Ertekk.EK_ERTEK");
        kodok.Equal("Ertekk.EK_TIPUS", QStringLiteral("9"));
        kodok.Condition("SF_HONAP = :pHONAP1");
        szures(kodok, true);
        kodok.Line("Group By SF_HONAP, SF_SZHAKEDVKOD, EK_ERTEKNEV");
        kodok.Line("Order By SF_SZHAKEDVKOD");

        // Every row carrying the code, of any pay item: the payroll stores
        // the code on each row it gives an allowance percentage.
        ListSql sorok;
        sorok.Line(
            "Select SF_HONAP, SF_JCKOD, SF_JCNEV, SF_DGTORZSSZAM, SF_DGNEV, SF_OSSZEG, SF_SZHAKEDVKOD, "
            "SF_SZHAKEDVSZAZ From " +
            szamfejt);
        sorok.Condition("SF_HONAP = :pHONAP2");
        sorok.Condition("SF_SZHAKEDVKOD = :pSZHAKEDVKOD");
        szures(sorok, false);
        sorok.Line("Order By SF_DGTORZSSZAM");

        layout.Beallit(honapok, kodok, sorok);
        layout.Parameterek = {
            QString::number(m1) + " - " + QString::number(m2),
            QString::fromStdString(DatumSzoveg(Date("DateEdit1")) + " - " + DatumSzoveg(Date("DateEdit2"))),
            RangeText(*this, "MaskEdit1", "MaskEdit2"), RangeText(*this, "MaskEdit5", "MaskEdit6"),
            RangeText(*this, "MaskEdit7", "MaskEdit8")};
        os::ScopeGuard bezar([&layout] { layout.Bezar(); });
        layout.QuickRep1.Preview();
    });
}
