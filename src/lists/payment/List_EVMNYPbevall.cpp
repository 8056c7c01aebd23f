#include "lists/payment/List_EVMNYPbevall.h"

#include "lists/payment/List_EVMNYPQRbevall.h"
#include "lists/payment/List_MNYP.h"
#include "platform/db/Query.h"
#include "platform/os/ScopeGuard.h"

namespace {

ListDecl EvMnypDecl() {
    ParamField honap;
    honap.kind = ParamKind::MonthCombo;
    honap.from = "ComboBox1";
    honap.caption = QStringLiteral("Hónap :");
    honap.fromDefault = defaults::LastMonthOr1();

    ListDecl s;
    s.objectName = "List_EVMNYPbevallForm";
    s.caption = QStringLiteral(
        "Kifizetési listák/MNYP-i tagdíjbevallás havi bevallásra kötelezett egyéni váll.  részére");
    s.fields = {honap, MnypTartomany()};
    s.tables = {&TDM1::TableNyugP,   &TDM1::TableKifhely,  &TDM1::TableMhely, &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "MaskEdit8";
    return s;
}

}  // namespace

TList_EVMNYPbevallForm::TList_EVMNYPbevallForm(QWidget* parent)
    : ListForm(EvMnypDecl(), parent), List_EVMNYPQRbevallForm(std::make_unique<TList_EVMNYPQRbevallForm>()) {}

TList_EVMNYPbevallForm::~TList_EVMNYPbevallForm() = default;

void TList_EVMNYPbevallForm::BitBtn1Click() {
    RunQueryList([this] {
        const std::string dolgozo = ListSql::Table(*DM1->TableDolgozo);
        const std::string szamfejt = ListSql::Table(*DM1->TableSzamfejt);
        const int honap = Month("ComboBox1");

        ListSql tagok;
        tagok.Line("Select Distinct DG_MNYP, DG_TORZSSZAM As pDOLGOZO From " + dolgozo);
        tagok.Line("Inner Join " + szamfejt + " On SF_DGTORZSSZAM=DG_TORZSSZAM");
        tagok.Condition("DG_ALKMIN In ('6', '7')");
        tagok.Equal("SF_HONAP", honap);
        tagok.Condition("DG_MNYPJOGVKOD In ('21', '26', '36', '38', '39')");
        MnypFeltetel(tagok, "DG_MNYP", Text("MaskEdit7"), Text("MaskEdit8"));
        tagok.Line("Order By DG_MNYP, DG_TORZSSZAM");

        ListSql sorok;
        sorok.Line("Select tSzamf.*, tDolg.* From " + dolgozo + " tDolg");
        sorok.Line("Inner Join " + szamfejt + " tSzamf On SF_DGTORZSSZAM=DG_TORZSSZAM");
        sorok.Condition("DG_TORZSSZAM = :pDOLGOZO");
        sorok.Equal("SF_HONAP", honap);
        MnypFeltetel(sorok, "DG_MNYP", Text("MaskEdit7"), Text("MaskEdit8"));
        sorok.Line("Order By SF_JCKOD");

        TList_EVMNYPQRbevallForm& layout = *List_EVMNYPQRbevallForm;
        os::ScopeGuard bezar([&layout] { layout.Bezar(); });
        layout.Beallit(tagok, sorok, honap);
        layout.QuickRep1.Preview();
    });
}
