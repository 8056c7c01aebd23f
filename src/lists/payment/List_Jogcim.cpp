#include "lists/payment/List_Jogcim.h"

#include "lists/payment/List_JogcimQR.h"
#include "platform/db/Query.h"

namespace {

ListDecl JogcimDecl() {
    ListDecl s;
    s.objectName = "List_JogcimForm";
    s.caption = QStringLiteral("Kifizetési listák/Listázás jogcímenként");
    s.fields = {params::Honap(),        params::KifizetesDatuma(), params::Munkahely(),
                params::KifizetoHely(), params::Dolgozo(),         params::Jogcim()};
    s.tables = {&TDM1::TableKifhely, &TDM1::TableMhely,    &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    return s;
}

}  // namespace

TList_JogcimForm::TList_JogcimForm(QWidget* parent)
    : ListForm(JogcimDecl(), parent), List_JogcimQRForm(std::make_unique<TList_JogcimQRForm>()) {}

TList_JogcimForm::~TList_JogcimForm() = default;

void TList_JogcimForm::BitBtn1Click() {
    RunQueryList([this] {
        ListSql sql;
        sql.Line("Select * From " + ListSql::Table(*DM1->TableSzamfejt));
        sql.Range("SF_DGTORZSSZAM", Text("MaskEdit5"), Text("MaskEdit6"));
        sql.Range("SF_HONAP", Month("CurrencyEdit1"), Month("CurrencyEdit2"));
        sql.Range("SF_DGMHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
        sql.Range("SF_DGKHKOD", Text("MaskEdit3"), Text("MaskEdit4"));
        sql.Equal("SF_JCKOD", Text("MaskEdit7"));
        sql.DateRange("SF_KIFIZDAT", Date("DateEdit1"), Date("DateEdit2"));
        sql.Line("Order By SF_DGNEV, SF_KIFIZDAT");
        Query1Open(sql);

        TList_JogcimQRForm& layout = *List_JogcimQRForm;
        layout.Parameterek = {
            RangeText(*this, "CurrencyEdit1", "CurrencyEdit2"), RangeText(*this, "DateEdit1", "DateEdit2"),
            RangeText(*this, "MaskEdit1", "MaskEdit2"), RangeText(*this, "MaskEdit5", "MaskEdit6"),
            Text("MaskEdit7") + "  " + NameText("MaskEdit7")};
        layout.QuickRep1.Preview();
    });
}
