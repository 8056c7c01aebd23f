#include "lists/payment/List_Kifiz.h"

#include "lists/payment/List_KifizQR.h"
#include "platform/db/Query.h"

ListDecl KifizetesiParameterek(const char* objectName, const QString& caption) {
    ListDecl s;
    s.objectName = objectName;
    s.caption = caption;
    s.fields = {params::KifizetesDatuma("DateEdit1", ""), params::KifizetoHely()};
    s.tables = {&TDM1::TableKifhely, &TDM1::TableMhely, &TDM1::TableDolgozo, &TDM1::TableSzamfejt,
                &TDM1::TableCegek};
    s.lastEdit = "MaskEdit4";
    return s;
}

void KifizetesiHelyekNyitas(const ListForm& form, const std::string& columns) {
    ListSql sql;
    sql.Line("Select Distinct " + columns + " From " + ListSql::Table(*DM1->TableSzamfejt));
    sql.Range("SF_DGKHKOD", form.Text("MaskEdit3"), form.Text("MaskEdit4"));
    sql.Condition("SF_KIFIZDAT = :datum");
    sql.Bind("datum", form.Date("DateEdit1"), db::FieldType::Date);
    sql.Line("Order By SF_DGKHKOD");
    Query1Open(sql);
}

TList_KifizForm::TList_KifizForm(QWidget* parent)
    : ListForm(KifizetesiParameterek("List_KifizForm", QStringLiteral("Kifizetési listák/Kifizetési lista")),
               parent),
      List_KifizQRForm(std::make_unique<TList_KifizQRForm>()) {}

TList_KifizForm::~TList_KifizForm() = default;

void TList_KifizForm::BitBtn1Click() {
    RunQueryList([this] {
        KifizetesiHelyekNyitas(*this, "SF_KIFIZDAT, SF_DGKHKOD");
        SetPayrollFilter(&TDM1::List_KifizFilter);

        TList_KifizQRForm& layout = *List_KifizQRForm;
        layout.Fejlec.DatumMutat(true);
        layout.QuickRep1.Preview();
    });
}
