#include "core/Kivalaszt.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/MemDataSet.h"
#include "core/DataModule1.h"
#include "core/FormTables.h"
#include "platform/ui/DatasetGridModel.h"

TKivalasztForm* KivalasztForm = nullptr;

namespace {

// What each kind of list positions by, searches by typing, and titles with.
struct Kind {
    std::vector<std::string> key;
    std::string search[3];
    std::vector<std::string> labels;
};

const Kind& KindOf(int kind) {
    static const Kind kinds[] = {
        {{"EK_TIPUS", "EK_ERTEK"}, {"EK_ERTEK", "EK_ERTEKNEV", ""}, {"EK_ERTEK", "EK_ERTEKNEV"}},
        {{"KH_KOD"}, {"KH_KOD", "KH_NEV", ""}, {"KH_KOD", "KH_NEV"}},
        {{"MH_KOD"}, {"MH_KOD", "MH_NEV", ""}, {"MH_KOD", "MH_NEV"}},
        {{"JC_KOD"}, {"JC_KOD", "JC_NEV", ""}, {"JC_KOD", "JC_NEV"}},
        {{"DG_TORZSSZAM"}, {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD"}, {"DG_TORZSSZAM", "DG_NEV", "DG_MHKOD"}},
        {{"RJ_DGTORZSSZAM", "RJ_JCKOD", "RJ_SORSZAM"},
         {"RJ_DGTORZSSZAM", "RJ_DGNEV", "RJ_JCKOD"},
         {"RJ_DGTORZSSZAM", "RJ_DGNEV", "RJ_JCKOD"}},
        {{"CG_KOD"}, {"CG_KOD", "CG_NEV", "CG_RNEV"}, {"CG_KOD", "CG_NEV", "CG_RNEV"}},
        {{"FE_KOD"}, {"FE_KOD", "FE_NEV", ""}, {"FE_KOD", "FE_NEV"}},
    };
    if (kind < 1 || kind > 8) throw db::DatabaseError("Invalid list kind " + std::to_string(kind));
    return kinds[kind - 1];
}

std::string Join(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) out += (out.empty() ? "" : ";") + n;
    return out;
}

std::vector<db::Variant> KeyValues(const db::Dataset& ds, const std::vector<std::string>& key) {
    std::vector<db::Variant> values;
    for (const std::string& k : key) values.push_back(ds.FieldByName(k).Value());
    return values;
}

}  // namespace

db::Dataset* TKivalasztForm::KindTable(int kind) {
    switch (kind) {
        case 1:
            return DM1->TableErtekkeszlet;
        case 2:
            return DM1->TableKifhely;
        case 3:
            return DM1->TableMhely;
        case 4:
            return DM1->TableJogcim;
        case 5:
            return DM1->TableDolgozo;
        case 6:
            return DM1->TableRJogcim;
        case 7:
            return DM1->TableCegek;
        case 8:
            return DM1->TableFEOR;
        default:
            return nullptr;
    }
}

TKivalasztForm::TKivalasztForm(QWidget* parent) : PickListDialog(parent) {
    setObjectName("KivalasztForm");
    setWindowTitle(QStringLiteral("Kiválasztás"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(2);
    layout->addWidget(Edit1);
    layout->addWidget(DBGrid1, 1);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TKivalasztForm::TitleClick);
    // A click on a row chooses it.
    connect(DBGrid1, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        model_->GotoRow(index.row());
        Choose();
    });
    resize(Px(309), Px(400));
}

TKivalasztForm::~TKivalasztForm() {
    if (KivalasztForm == this) KivalasztForm = nullptr;
}

void TKivalasztForm::KivalasztBeallit(int kind, const std::string& ekTipus, const std::string& field1,
                                      int width1, const std::string& field2, int width2,
                                      const std::string& field3, int width3, int positionFlag) {
    const Kind& k = KindOf(kind);
    db::Dataset& table = *KindTable(kind);
    if (kind == 1 && !ekTipus.empty()) {
        table.SetFilter("EK_TIPUS='" + ekTipus + "'");
        table.SetFiltered(true);
    }
    bookmark_ = table.GetBookmark();

    TMemoryData& mem = *DM1->MemoryData2;
    model_->SetDataSet(nullptr);
    mem.Close();
    mem.CopyFieldLayout(table);
    mem.Open();
    mem.LoadRecordsFrom(table, 0, true);

    kind_ = kind;
    if (bookmark_) table.GotoBookmark(bookmark_);

    if (positionFlag == 1 && !table.IsEmpty()) {
        if (!mem.Locate(Join(k.key), KeyValues(table, k.key))) mem.First();
    } else {
        mem.First();
    }

    std::vector<std::string> labels = k.labels;
    if (kind == 1 && ekTipus.empty()) labels.push_back("EK_TIPUS");
    for (const std::string& name : labels) mem.FieldByName(name).DisplayLabel = LayoutTitle(table, name);

    std::vector<ui::DatasetGridModel::Column> columns;
    int gridWidth = 0;
    for (auto [field, width] : {std::pair{&field1, width1}, {&field2, width2}, {&field3, width3}}) {
        if (field->empty()) continue;
        columns.push_back({*field, QString(), width, columns.empty()});
        gridWidth += width + 1;
    }
    columns_ = static_cast<int>(columns.size());
    boldColumn_ = 0;
    model_->SetColumns(std::move(columns));
    model_->SetDataSet(&mem);
    for (int i = 0; i < columns_; ++i) DBGrid1->setColumnWidth(i, Px(model_->Columns()[i].width));

    gridWidth = Px(std::max(gridWidth + 32, 121));
    DBGrid1->setFixedWidth(gridWidth);
    Edit1->setFixedWidth(gridWidth);
    setFixedWidth(gridWidth + 6);
    FitRows(Px(400));
    FollowDataset(model_->CurrentRow());
}

void TKivalasztForm::showEvent(QShowEvent* event) {
    ResetOnShow();
    QDialog::showEvent(event);
}

void TKivalasztForm::Raall() {
    db::Dataset* table = KindTable(kind_);
    TMemoryData& mem = *DM1->MemoryData2;
    if (!table || !mem.Active() || mem.IsEmpty()) return;
    const std::vector<std::string>& key = KindOf(kind_).key;
    table->Locate(Join(key), KeyValues(mem, key));
}

void TKivalasztForm::Search(const QString& text) {
    TMemoryData& mem = *DM1->MemoryData2;
    if (text.isEmpty()) {
        mem.First();
        return;
    }
    const std::string& field = KindOf(kind_).search[boldColumn_];
    if (!field.empty()) mem.Locate(field, db::Variant(text.toStdString()), {true, true});
}

void TKivalasztForm::TitleClick(int column) {
    if (column < 0 || column >= columns_) return;
    for (int i = 0; i < columns_; ++i) model_->SetColumnBold(i, i == column);
    boldColumn_ = column;
    DM1->MemoryData2->SortByFields(model_->Columns()[column].field, true, false);
    model_->Reload();
}

void TKivalasztForm::done(int result) {
    Timer1->stop();
    db::Dataset* table = KindTable(kind_);
    if (!chosen_ && table && bookmark_ && table->BookmarkValid(bookmark_)) table->GotoBookmark(bookmark_);
    bookmark_.reset();
    model_->SetDataSet(nullptr);
    TMemoryData& mem = *DM1->MemoryData2;
    mem.ClearAllRecords();
    mem.Close();
    QDialog::done(result);
}
