#include "lists/occasional/List_Foglig.h"

#include "lists/occasional/Igazolasok.h"
#include "lists/occasional/List_FogligQR.h"
#include "platform/db/Query.h"

namespace {

ListDecl FogligDecl() {
    ListDecl s;
    s.objectName = "List_FogligForm";
    s.caption = QStringLiteral("Eseti listák/Foglalkoztatói igazolás");
    s.fields = {params::Munkahely(), params::Dolgozo()};
    s.options = {{"CheckBox1", QStringLiteral("Kilépett dolgozók nélkül")}};
    s.tables = {&TDM1::TableMhely, &TDM1::TableJogcim, &TDM1::TableDolgozo, &TDM1::TableSzamfejt,
                &TDM1::TableCegek};
    s.lastEdit = "MaskEdit6";
    return s;
}

}  // namespace

TList_FogligForm::TList_FogligForm(QWidget* parent)
    : ListForm(FogligDecl(), parent), List_FogligQRForm(std::make_unique<TList_FogligQRForm>()) {}

TList_FogligForm::~TList_FogligForm() = default;

void TList_FogligForm::BitBtn1Click() {
    RunQueryList([this] {
        const bool kilepettNelkul = Checked("CheckBox1");
        DolgozokLekerdezese(*this, [kilepettNelkul](ListSql& sql) {
            if (kilepettNelkul) sql.Condition("DG_KILEPDAT Is Null");
        });
        SetPayrollFilter(&TDM1::List_AdatlFilter);
        List_FogligQRForm->QuickRep1.Preview();
    });
}
