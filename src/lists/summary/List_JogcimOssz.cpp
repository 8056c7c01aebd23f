#include "lists/summary/List_JogcimOssz.h"

#include "lists/summary/List_JogcimOsszQR.h"
#include "platform/os/ScopeGuard.h"

namespace {

ListDecl JogcimOsszDecl() {
    ParamField datum = params::KifizetesDatuma();
    datum.fromDefault = defaults::FirstDayOfMonth("CurrencyEdit1");
    ParamField jogcim = params::Jogcim();
    jogcim.to = "MaskEdit8";
    jogcim.fromDefault = defaults::First("SF_JCKOD");
    jogcim.toDefault = defaults::Last("SF_JCKOD");

    ListDecl s;
    s.objectName = "List_JogcimOsszForm";
    s.caption = QStringLiteral("Összesítő listák/Jogcím összesítő");
    s.fields = {params::Honap(),   datum,  params::Munkahely("SF_MHKOD"), params::KifizetoHely(),
                params::Dolgozo(), jogcim, params::Munkaszam(),           params::Gyujto()};
    s.options = {{"CheckBox1", QStringLiteral("Tételes :"), false},
                 {"CheckBoxListaDatum", QStringLiteral("Aktuális dátum megjelenítése :"), true}};
    s.tables = {&TDM1::TableKifhely, &TDM1::TableMhely,    &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "CheckBox1";
    return s;
}

}  // namespace

TList_JogcimOsszForm::TList_JogcimOsszForm(QWidget* parent)
    : ListForm(JogcimOsszDecl(), parent), List_JogcimOsszQRForm(std::make_unique<TList_JogcimOsszQRForm>()) {}

TList_JogcimOsszForm::~TList_JogcimOsszForm() = default;

void TList_JogcimOsszForm::BitBtn1Click() {
    RunQueryList([this] {
        // The conditions the three statements share.
        auto szures = [this](ListSql& sql) {
            sql.Range("SF_DGTORZSSZAM", Text("MaskEdit5"), Text("MaskEdit6"));
            sql.Range("SF_HONAP", Month("CurrencyEdit1"), Month("CurrencyEdit2"));
            sql.Range("SF_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
            sql.Range("SF_DGKHKOD", Text("MaskEdit3"), Text("MaskEdit4"));
        };
        auto vege = [this](ListSql& sql) {
            sql.OptionalRange("SF_MUNKSZAM", Text("MaskEdit9"), Text("MaskEdit10"));
            sql.OptionalRange("SF_GYUJTO", Text("MaskEdit11"), Text("MaskEdit12"));
            sql.DateRange("SF_KIFIZDAT", Date("DateEdit1"), Date("DateEdit2"));
        };
        const std::string szamfejt = ListSql::Table(*DM1->TableSzamfejt);

        ListSql jogcimek;
        jogcimek.Line("Select Distinct SF_JCKOD As pJOGCIM From " + szamfejt);
        szures(jogcimek);
        jogcimek.Range("SF_JCKOD", Text("MaskEdit7"), Text("MaskEdit8"));
        vege(jogcimek);
        jogcimek.Line("Order By SF_JCKOD");

        ListSql sorok;
        sorok.Line("Select SF_DGTORZSSZAM, SF_DGNEV, SF_JCKOD, SF_JCNEV, SF_OSSZEG, SF_NAP, SF_ORA From " +
                   szamfejt);
        sorok.Condition("SF_JCKOD = :pJOGCIM");
        szures(sorok);
        vege(sorok);
        sorok.Line("Order By SF_DGTORZSSZAM, SF_KIFIZDAT, SF_SORSZAM");

        ListSql osszegek;
        osszegek.Line(
            "Select SF_JCKOD, SUM(SF_OSSZEG) As Osszeg, SUM(SF_NAP) As Nap, SUM(SF_ORA) As Ora From " +
            szamfejt);
        osszegek.Condition("SF_JCKOD = :pJOGCIM");
        szures(osszegek);
        vege(osszegek);
        osszegek.Line("Group By SF_JCKOD");

        TList_JogcimOsszQRForm& layout = *List_JogcimOsszQRForm;
        layout.Beallit(jogcimek, sorok, osszegek, Checked("CheckBox1"), Checked("CheckBoxListaDatum"));
        layout.Parameterek = {
            RangeText(*this, "CurrencyEdit1", "CurrencyEdit2"), RangeText(*this, "DateEdit1", "DateEdit2"),
            RangeText(*this, "MaskEdit1", "MaskEdit2"), RangeText(*this, "MaskEdit5", "MaskEdit6"),
            RangeText(*this, "MaskEdit7", "MaskEdit8")};
        os::ScopeGuard bezar([&layout] { layout.Bezar(); });
        layout.QuickRep1.Preview();
    });
}
