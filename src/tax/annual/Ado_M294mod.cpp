#include "tax/annual/Ado_M294mod.h"

TAdo_M294modForm::TAdo_M294modForm(QWidget* parent) : TGridEditor(parent) {
    Member m;
    m.table = &TDM1::TableM294;
    m.source = &TDM1::DataSourceM294;
    m.objectName = "Ado_M294modForm";
    m.caption = QStringLiteral("Adó/Adóstárs");
    m.codeFields = {"M294_DGTORZSSZAM"};
    m.nameField = "M294_szarmDGNEV";
    m.newRecord = NewRecord::Append;
    m.pickColumn = "M294_DGTORZSSZAM";
    // The table has no field for the co-claimant's tax id.
    m.columns = {"M294_DGTORZSSZAM", "M294_szarmDGADOAZ", "M294_szarmDGNEV",   "M294_VEZETEK",
                 "M294_KERESZT",     "M294_SZULDAT",      "M294_TELEPULES",    "M294_HRSZ",
                 "M294_SZULHELY",    "M294_ANYJA_ELOTAG", "M294_ANYJA_VEZNEV", "M294_ANYJA_KERNEV",
                 "M294_ALLAMPOLG",   "M294_IRSZ",         "M294_VAROS",        "M294_KERULET",
                 "M294_KOZTER",      "M294_KT_JELLEG",    "M294_HSZ",          "M294_EP",
                 "M294_LEP",         "M294_EM",           "M294_AJTO"};
    Build(std::move(m));
}
