#include "datasupply/UtalMod.h"

TUtalModForm::TUtalModForm(QWidget* parent) : TGridEditor(parent) {
    Member m;
    m.table = &TDM1::TableUtal;
    m.source = &TDM1::DataSourceUtal;
    m.objectName = "UtalModForm";
    m.caption = QStringLiteral("Szerviz/Utalandó tételek karbantartása");
    m.newRecord = NewRecord::Append;
    m.newRecordTag = 5;
    m.delAlways = true;
    m.columns = {"UT_JCKOD", "UT_szarmJCNEV", "UT_AZON", "UT_DOLGKAPCS", "UT_SZAMLA", "UT_OSSZEG"};
    m.labelCode = "UT_JCKOD";
    m.labelName = "UT_szarmJCNEV";
    m.readOnlyTables = {&TDM1::TableJogcim};
    m.size = QSize(594, 430);
    Build(std::move(m));
}
