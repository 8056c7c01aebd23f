#include "tax/annual/Ado_M292mod.h"

#include "platform/ui/DatasetGrid.h"
#include "platform/ui/DatasetGridModel.h"

namespace {

const char* const kHonapok[] = {"JANUAR", "FEBRUAR",   "MARCIUS",    "APRILIS", "MAJUS",    "JUNIUS",
                                "JULIUS", "AUGUSZTUS", "SZEPTEMBER", "OKTOBER", "NOVEMBER", "DECEMBER"};

// The month status: the field holds the leading digit.
std::vector<ui::DatasetGridModel::PickItem> HonapAllapotok() {
    std::vector<ui::DatasetGridModel::PickItem> items = {{QString(), QString()}};
    for (const char* text : {"1 Kedvezményezett eltartott", "2 Eltartott (létszámba beszámító)",
                             "3 Felváltva gondozott gyermek", "0 Kedvezménybe nem számítható"}) {
        const QString entry = QString::fromUtf8(text);
        items.push_back({entry.left(1), entry});
    }
    return items;
}

}  // namespace

TAdo_M292modForm::TAdo_M292modForm(QWidget* parent) : TGridEditor(parent) {
    Member m;
    m.table = &TDM1::TableM292;
    m.source = &TDM1::DataSourceM292;
    m.objectName = "Ado_M292modForm";
    m.caption = QStringLiteral("Adó/Gyermekek");
    m.codeFields = {"M292_DGTORZSSZAM"};
    m.nameField = "M292_szarmDGNEV";
    m.newRecord = NewRecord::Append;
    m.pickColumn = "M292_DGTORZSSZAM";
    m.columns = {"M292_DGTORZSSZAM",  "M292_szarmDGADOAZ", "M292_szarmDGNEV", "M292_ADOAZON",
                 "M292_VEZETEK",      "M292_KERESZT",      "M292_SZULDAT",    "M292_SZULHELY",
                 "M292_JOGCIM1",      "M292_JOGCIM2",      "M292_JOGCIM3",    "M292_JOGCIM4",
                 "M292_VARKEZD",      "M292_VARVEG",       "M292_SORSZAM",    "M292_ANYJA_VEZNEV",
                 "M292_ANYJA_KERNEV", "M292_KULFOLDI",     "M292_ORSZAG",     "M292_VAROS",
                 "M292_KOZTER",       "M292_KOZTERJEL",    "M292_HAZSZ",      "M292_EPULET",
                 "M292_LEPCSOHAZ",    "M292_EMELET",       "M292_AJTO",       "M292_IRSZ"};
    for (const char* month : kHonapok) m.columns.push_back(std::string("M292_") + month);
    Build(std::move(m));

    const std::vector<ui::DatasetGridModel::PickItem> marks = {{QString(), QString()}, {"X", "X"}};
    const auto months = HonapAllapotok();
    const auto& columns = DBGrid1->Model()->Columns();
    for (size_t i = 0; i < columns.size(); ++i) {
        const std::string& f = columns[i].field;
        if (f.rfind("M292_JOGCIM", 0) == 0 || f == "M292_KULFOLDI")
            DBGrid1->Model()->SetColumnEditing(int(i), {false, marks});
        else if (i >= columns.size() - 12)
            DBGrid1->Model()->SetColumnEditing(int(i), {false, months});
    }
}
