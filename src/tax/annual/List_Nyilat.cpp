#include "tax/annual/List_Nyilat.h"

#include <QPushButton>

#include "core/StartValues.h"
#include "platform/os/DayNumber.h"
#include "platform/os/ScopeGuard.h"
#include "tax/annual/List_NyilatQR.h"

namespace {

ListDecl NyilatDecl() {
    ListDecl s;
    s.objectName = "List_NyilatForm";
    s.caption = QStringLiteral("Ado/Nyilatkozat");
    s.fields = {params::MunkahelyDolgozokbol(), params::DolgozoDolgozokbol()};
    s.tables = {&TDM1::TableMhely, &TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt,
                &TDM1::TableCegek};
    return s;
}

}  // namespace

TList_NyilatForm::TList_NyilatForm(QWidget* parent)
    : ListForm(NyilatDecl(), parent), List_NyilatQRForm(std::make_unique<TList_NyilatQRForm>()) {
    BitBtn1->setText(QStringLiteral("Nyilatkozat"));
    BitBtn1->setProperty("Tag", 3);
}

TList_NyilatForm::~TList_NyilatForm() = default;

void TList_NyilatForm::BitBtn1Click() {
    RunQueryList([this] {
        db::Query& q = List_NyilatQRForm->Query1;
        os::ScopeGuard closer([&q] {
            try {
                q.Close();
            } catch (const std::exception&) {
                // Closing a read-only query loses nothing.
            }
            q.SetSQL("");
        });
        q.Close();
        q.DatabaseName = DM1->TableDolgozo->DatabaseName;

        ListSql sql;
        sql.Line("Select * From " + ListSql::Table(*DM1->TableDolgozo));
        sql.Range("DG_TORZSSZAM", Text("MaskEdit5"), Text("MaskEdit6"));
        sql.Range("DG_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
        // Only who is still employed after the year's last day.
        sql.Condition("(DG_KILEPDAT > :datum Or DG_KILEPDAT Is Null)");
        sql.Bind("datum", os::EncodeDate(std::stoi(FeldolgozasiEv), 12, 31), db::FieldType::Date);
        sql.Condition("DG_ALKMIN In ('1', '2', '5', '6', '7')");
        sql.Line("Order By DG_TORZSSZAM");
        sql.Apply(q);
        q.Open();
        q.First();
        List_NyilatQRForm->QuickRep1.Preview();
    });
}
