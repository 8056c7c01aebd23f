#include "tax/annual/List_M30.h"

#include "core/StartValues.h"
#include "platform/db/Query.h"
#include "tax/annual/List_M30QR.h"

namespace {

ListDecl M30ListaDecl() {
    ListDecl d;
    d.objectName = "List_M30Form";
    d.caption = QStringLiteral("Adó/M30 lista");
    d.fields = {params::Munkahely(), params::Dolgozo()};
    d.tables = {&TDM1::TableMhely, &TDM1::TableDolgozo, &TDM1::TableCegek};
    d.lastEdit = "MaskEdit6";
    return d;
}

}  // namespace

TList_M30Form::TList_M30Form(QWidget* parent)
    : ListForm(M30ListaDecl(), parent), List_M30QRForm(std::make_unique<TList_M30QRForm>()) {}

TList_M30Form::~TList_M30Form() = default;

void TList_M30Form::BitBtn1Click() {
    RunQueryList([this] {
        ListSql sql;
        sql.Line("Select tM30.*,")
            .Line(
                "tDolg.DG_NEV, tDolg.DG_TORZSSZAM, tDolg.DG_LEANYKNEV, tDolg.DG_ANYJANEV, tDolg.DG_ADOAZ, "
                "tDolg.DG_SZULDAT,")
            .Line(
                "tDolg.DG_SZULHELY, tDolg.DG_VAROS, tDolg.DG_KOZTER, tDolg.DG_KOZTERJEL, tDolg.DG_HAZSZ, "
                "tDolg.DG_EPULET,")
            .Line("tDolg.DG_EMELET, tDolg.DG_AJTO, tDolg.DG_IRSZ, tDolg.DG_ALLAMP, tDolg.DG_MNYP")
            .Line("From " + ListSql::Table(*DM1->TableM30) + " As tM30")
            .Line("Join " + ListSql::Table(*DM1->TableDolgozo) + " as tDolg")
            .Line("On M30_DGTORZSSZAM=DG_TORZSSZAM")
            .Range("M30_DGTORZSSZAM", Text("MaskEdit5"), Text("MaskEdit6"))
            .Range("DG_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"))
            .Condition("(DG_KILEPDAT >= :datum Or DG_KILEPDAT Is Null)");
        double datum = 0;
        db::ParseDate(FeldolgozasiEv + ".12.31", datum);
        sql.Bind("datum", datum, db::FieldType::Date).Line("Order By M30_DGTORZSSZAM");
        Query1Open(sql);
        List_M30QRForm->QuickRep1.Preview();
    });
}
