#include "masterdata/List_Torzslap.h"

#include "masterdata/TorzsLista.h"
#include "platform/db/Query.h"

namespace {

ListDecl TorzslapDecl() {
    ListDecl d =
        TorzsTartomanyDecl("List_TorzslapForm", QStringLiteral("Listázás/Dolgozó"), lookups::Dolgozo,
                           QStringLiteral("Dolgozó (F2) :"), "99999999999;1; ", DefaultSource::Employee);
    d.options = {{"CheckBox1", QStringLiteral("ABC sorrend :")}};
    return d;
}

}  // namespace

TList_TorzslapForm::TList_TorzslapForm(QWidget* parent)
    : ListForm(TorzslapDecl(), parent), QRForm(std::make_unique<TList_TorzslapQRForm>()) {}

TList_TorzslapForm::~TList_TorzslapForm() = default;

void TList_TorzslapForm::BitBtn1Click() {
    RunQueryList([this] {
        ListSql sql;
        sql.Line("Select * From " + ListSql::Table(*DM1->TableDolgozo));
        sql.Range("DG_TORZSSZAM", Text("MaskEdit1"), Text("MaskEdit2"));
        // Without the name order, in employee-number order.
        sql.Line(Checked("CheckBox1") ? "Order By DG_NEV, DG_TORZSSZAM" : "Order By DG_TORZSSZAM");
        Query1Open(sql);
        QRForm->QuickRep1.Preview();
    });
}
