#include "lists/summary/List_JarulOssz.h"

#include "lists/summary/List_JarulOsszQR.h"
#include "platform/os/ScopeGuard.h"

namespace {

ListDecl JarulOsszDecl() {
    ParamField datum = params::KifizetesDatuma();
    datum.fromDefault = defaults::FirstDayOfMonth("CurrencyEdit1");
    ListDecl s;
    s.objectName = "List_JarulOsszForm";
    s.caption = QStringLiteral("Összesítő listák/Járulék összesítő");
    s.fields = {params::Honap("CurrencyEdit1", ""), datum, params::Munkahely("SF_MHKOD"), params::Dolgozo()};
    s.options = {{"CheckBox1", QStringLiteral("Tételes :"), false},
                 {"CheckBoxListaDatum", QStringLiteral("Aktuális dátum megjelenítése :"), true}};
    s.tables = {&TDM1::TableMhely, &TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt,
                &TDM1::TableCegek};
    s.lastEdit = "CheckBox1";
    return s;
}

}  // namespace

TList_JarulOsszForm::TList_JarulOsszForm(QWidget* parent)
    : ListForm(JarulOsszDecl(), parent), List_JarulOsszQRForm(std::make_unique<TList_JarulOsszQRForm>()) {}

TList_JarulOsszForm::~TList_JarulOsszForm() = default;

void TList_JarulOsszForm::BitBtn1Click() {
    RunQueryList([this] {
        const int honap = Month("CurrencyEdit1");
        const std::string szamfejt = ListSql::Table(*DM1->TableSzamfejt);
        const std::string dolgozo = ListSql::Table(*DM1->TableDolgozo);
        // The conditions the kinds and their employees share.
        auto szures = [&](ListSql& sql) {
            sql.Line("Join " + dolgozo + " On SF_DGTORZSSZAM=DG_TORZSSZAM");
            sql.Range("SF_DGTORZSSZAM", Text("MaskEdit5"), Text("MaskEdit6"));
            sql.Equal("SF_HONAP", honap);
            sql.Range("SF_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
            sql.DateRange("SF_KIFIZDAT", Date("DateEdit1"), Date("DateEdit2"));
        };

        ListSql fajtak;
        fajtak.Line("Select Distinct DG_ALKMIN As pALKMIN From " + szamfejt);
        szures(fajtak);
        fajtak.Line("Order By DG_ALKMIN");

        ListSql dolgozok;
        dolgozok.Line("Select Distinct SF_DGTORZSSZAM As pDOLGOZO, DG_NEV From " + szamfejt);
        szures(dolgozok);
        dolgozok.Condition("DG_ALKMIN = :pALKMIN");
        dolgozok.Line("Order By SF_DGTORZSSZAM");

        // No workplace condition: once an employee is chosen through a row of
        // the range, all his rows of the month and dates count.
        ListSql sorok;
        sorok.Line("Select SF_JCKOD, SF_JARALAP, SF_OSSZEG From " + szamfejt);
        sorok.Condition("SF_DGTORZSSZAM = :pDOLGOZO");
        sorok.Equal("SF_HONAP", honap);
        sorok.DateRange("SF_KIFIZDAT", Date("DateEdit1"), Date("DateEdit2"));

        TList_JarulOsszQRForm& layout = *List_JarulOsszQRForm;
        layout.Beallit(fajtak, dolgozok, sorok, Checked("CheckBox1"), Checked("CheckBoxListaDatum"));
        layout.Parameterek = {QString::number(honap), RangeText(*this, "MaskEdit1", "MaskEdit2"),
                              RangeText(*this, "MaskEdit5", "MaskEdit6")};
        os::ScopeGuard bezar([&layout] { layout.Bezar(); });
        layout.QuickRep1.Preview();
    });
}
