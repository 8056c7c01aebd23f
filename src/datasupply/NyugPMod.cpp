#include "datasupply/NyugPMod.h"

#include "platform/db/Table.h"
#include "platform/ui/DatasetGrid.h"
#include "platform/ui/DatasetGridModel.h"

namespace {

// The fund types of value set "P": "<code> <name>", storing the code.
std::vector<ui::DatasetGridModel::PickItem> Tipusok() {
    db::Table& ek = *DM1->TableErtekkeszlet;
    const bool active = ek.Active();
    ek.Open();
    std::vector<ui::DatasetGridModel::PickItem> items;
    for (ek.First(); !ek.Eof(); ek.Next()) {
        if (ek.FieldByName("EK_TIPUS").AsString() != "P") continue;
        const QString entry = QString::fromStdString(ek.FieldByName("EK_ERTEK").AsString() + " " +
                                                     ek.FieldByName("EK_ERTEKNEV").AsString());
        items.push_back({entry.left(1), entry});
    }
    if (!active) ek.Close();
    return items;
}

}  // namespace

TNyugPModForm::TNyugPModForm(QWidget* parent) : TGridEditor(parent) {
    Member m;
    m.table = &TDM1::TableNyugP;
    m.source = &TDM1::DataSourceNyugP;
    m.objectName = "NyugPModForm";
    m.caption = QStringLiteral("Szerviz/Nyugdíjpénztárak karbantartása");
    m.newRecord = NewRecord::Append;
    m.newRecordTag = 5;
    m.delAlways = true;
    m.writableWhileOpen = true;
    m.labels = false;
    m.size = QSize(594, 430);
    Build(std::move(m));
    const auto& columns = DBGrid1->Model()->Columns();
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].field == "NP_TIPUS") DBGrid1->Model()->SetColumnEditing(int(i), {false, Tipusok()});
}
