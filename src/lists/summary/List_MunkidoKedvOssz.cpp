#include "lists/summary/List_MunkidoKedvOssz.h"

#include "core/StartValues.h"
#include "lists/summary/List_MunkidoKedvOsszQR.h"
#include "platform/db/Query.h"

namespace {

ListDecl MunkidoKedvOsszDecl() {
    ListDecl s;
    s.objectName = "List_MunkidoKedvOsszForm";
    s.caption = QStringLiteral("Összesítő listák/Munkaidő kedvezmény összesítő");
    s.fields = {params::Honap()};
    s.tables = {&TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "CurrencyEdit2";
    return s;
}

}  // namespace

TList_MunkidoKedvOsszForm::TList_MunkidoKedvOsszForm(QWidget* parent)
    : ListForm(MunkidoKedvOsszDecl(), parent),
      List_MunkidoKedvOsszQRForm(std::make_unique<TList_MunkidoKedvOsszQRForm>()) {}

TList_MunkidoKedvOsszForm::~TList_MunkidoKedvOsszForm() = default;

void TList_MunkidoKedvOsszForm::BitBtn1Click() {
    RunQueryList([this] {
        ListSql sql;
        sql.Line("Select Distinct SF_DGTORZSSZAM, SF_KIFIZDAT From " + ListSql::Table(*DM1->TableSzamfejt));
        sql.Range("SF_HONAP", Month("CurrencyEdit1"), Month("CurrencyEdit2"));
        sql.Equal("SF_JCKOD", QStringLiteral("108"));
        sql.Line("Order By SF_DGTORZSSZAM, SF_KIFIZDAT");
        Query1Open(sql);
        SetPayrollFilter(&TDM1::List_MunkidoKedvOsszFilter);

        TList_MunkidoKedvOsszQRForm& layout = *List_MunkidoKedvOsszQRForm;
        layout.Idoszak = QString::fromStdString(FeldolgozasiEv) + ". " +
                         QString::number(Month("CurrencyEdit1")) + " - " +
                         QString::number(Month("CurrencyEdit2")) + ". ho";
        layout.QuickRep1.Preview();
    });
}
