#include "tax/annual/List_K30.h"

#include <QPushButton>

#include "platform/db/Query.h"
#include "platform/ui/ControlTable.h"
#include "tax/annual/List_K30QR.h"
#include "tax/annual/List_K32QR.h"

namespace {

ListDecl K30ListaDecl() {
    ListDecl d;
    d.objectName = "List_K30Form";
    d.caption = QStringLiteral("Adó/K30,32 lista");
    d.fields = {params::Munkahely(), params::Dolgozo()};
    d.tables = {&TDM1::TableMhely, &TDM1::TableDolgozo, &TDM1::TableK30, &TDM1::TableK32, &TDM1::TableCegek};
    d.lastEdit = "MaskEdit6";
    d.noStartButton1 = true;
    d.startButtons = {{"BitBtn1", QStringLiteral("K30")}, {"BitBtn4", QStringLiteral("K32")}};
    return d;
}

}  // namespace

TList_K30Form::TList_K30Form(QWidget* parent)
    : ListForm(K30ListaDecl(), parent),
      List_K30QRForm(std::make_unique<TList_K30QRForm>()),
      List_K32QRForm(std::make_unique<TList_K32QRForm>()) {
    BitBtn1 = qobject_cast<QPushButton*>(Control("BitBtn1"));
    BitBtn4 = qobject_cast<QPushButton*>(Control("BitBtn4"));
    BitBtn1->setProperty("Tag", 30);
    BitBtn4->setProperty("Tag", 32);
    NyomtatasMehet();
}

TList_K30Form::~TList_K30Form() = default;

void TList_K30Form::NyomtatasMehet() {
    ListForm::NyomtatasMehet();
    if (BitBtn4) BitBtn4->setEnabled(true);
}

void TList_K30Form::StartButtonClick(int index) { BitBtnClick(index == 0 ? BitBtn1 : BitBtn4); }

void TList_K30Form::BitBtnClick(QPushButton* sender) {
    const bool k30 = ui::TagOf(sender) == 30;
    const std::string x = k30 ? "K30" : "K32";
    const std::string kod = x + "_DGTORZSSZAM";
    ListSql sql;
    sql.Line("Select * From " + ListSql::Table(k30 ? *DM1->TableK30 : *DM1->TableK32))
        .Line("Join " + ListSql::Table(*DM1->TableDolgozo))
        .Line("On " + kod + "=DG_TORZSSZAM")
        .Range(kod, Text("MaskEdit5"), Text("MaskEdit6"))
        .Range("DG_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"))
        .Line("Order By " + kod);
    // The buttons stay as they are while the preview shows.
    Query1Fill fill;
    sql.Apply(*DM1->Query1);
    DM1->Query1->Open();
    DM1->Query1->First();
    if (k30)
        List_K30QRForm->QuickRep1.Preview();
    else
        List_K32QRForm->QuickRep1.Preview();
}
