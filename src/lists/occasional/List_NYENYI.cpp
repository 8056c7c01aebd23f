#include "lists/occasional/List_NYENYI.h"

#include "core/StartValues.h"
#include "lists/occasional/Igazolasok.h"
#include "lists/occasional/List_NYENYIQR.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/Dialogs.h"

namespace {

ListDecl NYENYIDecl() {
    ListDecl s;
    s.objectName = "List_NYENYIForm";
    s.caption = QStringLiteral("Eseti listák/NYENYI ") + QString::fromStdString(FeldolgozasiEv);
    s.fields = {params::Munkahely(), params::Dolgozo()};
    s.tables = {&TDM1::TableNyugP,   &TDM1::TableMhely,    &TDM1::TableJogcim,
                &TDM1::TableDolgozo, &TDM1::TableSzamfejt, &TDM1::TableCegek};
    s.lastEdit = "MaskEdit6";
    return s;
}

}  // namespace

TList_NYENYIForm::TList_NYENYIForm(QWidget* parent)
    : ListForm(NYENYIDecl(), parent), List_NYENYIQRForm(std::make_unique<TList_NYENYIQRForm>()) {}

TList_NYENYIForm::~TList_NYENYIForm() = default;

void TList_NYENYIForm::BitBtn1Click() {
    // The service days divide by the minimum wage: without it no sheet is right.
    const double minimalber =
        DM1->TableErtekkeszlet
            ->Lookup("EK_TIPUS;EK_ERTEK", {db::Variant("0"), db::Variant("32")}, "EK_ERTEKNUM")
            .ToDouble();
    if (!(minimalber > 0)) {
        ui::MessageBox(
            QStringLiteral("Üzenet"),
            QStringLiteral("Hiányzik vagy nulla a minimálbér (az értékkészlet 0 típusú, 32 értékű sora), "
                           "a nyilvántartó lap nem készíthető el!"),
            ui::Icon::Warning, ui::Ok);
        return;
    }
    List_NYENYIQRForm->Minimalber = minimalber;
    RunQueryList([this] {
        DolgozokLekerdezese(*this, [](ListSql& sql) {
            sql.Condition("SF_DGTORZSSZAM In");
            sql.Line("(Select Distinct DG_TORZSSZAM From " + ListSql::Table(*DM1->TableDolgozo));
            sql.Line(" Where DG_NYENYIJOGVKOD > :jogviszony)");
            sql.Bind("jogviszony", db::Variant("00"), db::FieldType::String);
        });
        SetPayrollFilter(&TDM1::List_AdatlFilter);
        List_NYENYIQRForm->QuickRep1.Preview();
    });
}
