#include "datasupply/List_PenztarAdatsz.h"

#include <QProgressBar>
#include <QPushButton>

#include "core/StartValues.h"
#include "core/helpers/SegedUnit.h"
#include "datasupply/List_PenztarAdatszQR.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/Dialogs.h"

namespace {

ListDecl PenztarDecl() {
    ParamField munkahely = params::Munkahely();
    munkahely.fromDefault = defaults::First("DG_MHKOD", DefaultSource::Employee);
    munkahely.toDefault = defaults::Last("DG_MHKOD", DefaultSource::Employee);
    ParamField dolgozo = params::Dolgozo();
    dolgozo.fromDefault = defaults::First("DG_TORZSSZAM", DefaultSource::Employee);
    dolgozo.toDefault = defaults::Last("DG_TORZSSZAM", DefaultSource::Employee);

    ListDecl s;
    s.objectName = "List_PenztarAdatszForm";
    s.caption = QStringLiteral("Eseti listák/Adatszolgáltatás a pénztártagok pénztárválasztásáról");
    s.fields = {munkahely, dolgozo};
    s.options = {{"CheckBox1", QStringLiteral("Javító, modosító adatszolgáltatás :"), false}};
    s.tables = {&TDM1::TableNyugP, &TDM1::TableMhely, &TDM1::TableDolgozo, &TDM1::TableCegek};
    s.lastEdit = "MaskEdit6";
    s.progressBars = 1;
    return s;
}

struct Mezo {
    const char* name;
    int size;
};
// clang-format off
const Mezo kMezok[] = {
    {"DOLGOZO_KOD", 11},     {"01_CEGNEV", 60},        {"02_CEGADOAZON", 11},   {"03_CEGKSH", 20},
    {"04_CEGIRSZ", 4},       {"04_CEGTELEPULES", 30},  {"04_CEGUTCA", 30},      {"05_CEGADATSZNEV", 30},
    {"06_CEGADATSZTEL", 20}, {"07_ADATSZTIP", 1},      {"08_DOLGNEV", 30},      {"09_ANYJANEV", 30},
    {"10_TAJSZ", 9},         {"11_UTLEVELSZ", 20},     {"12_SZULDAT", 10},      {"13_SZULHELY", 20},
    {"14_NEME", 1},          {"15_ALLAMP", 1},         {"16_IRSZ", 4},          {"16_TELEPULES", 30},
    {"16_KOZTER", 30},       {"16_KOZTERJEL", 20},     {"16_HAZSZ", 10},        {"16_EPULET", 10},
    {"16_LEPCSOHAZ", 10},    {"16_EMELET", 10},        {"16_AJTO", 10},         {"17_MNYPBEDAT", 10},
    {"18_JOGCIMKOD", 2},     {"19_MNYPNEV", 40},       {"20_MNYP", 4},
};
// clang-format on

// A field's value as text: dates in the program's format.
QString Szoveg(db::Dataset& d, const char* field) {
    const db::Field& f = d.FieldByName(field);
    if (f.IsNull()) return {};
    if (f.DataType() == db::FieldType::Date) return QString::fromStdString(DatumSzoveg(f.AsDateTime()));
    return QString::fromStdString(f.AsString()).trimmed();
}

}  // namespace

WorkTable PenztarValTabla(std::optional<std::string> suffix) {
    std::vector<WorkField> f;
    for (const Mezo& m : kMezok) f.push_back({m.name, db::FieldType::String, m.size});
    return {"List_PenztarVal", f, "DOLGOZO_KOD", std::move(suffix)};
}

TList_PenztarAdatszForm::TList_PenztarAdatszForm(QWidget* parent)
    : ListForm(PenztarDecl(), parent),
      List_PenztarAdatszQRForm(std::make_unique<TList_PenztarAdatszQRForm>()) {}

TList_PenztarAdatszForm::~TList_PenztarAdatszForm() = default;

bool TList_PenztarAdatszForm::TablaLetrehoz() {
    return FillWorkTable(PenztarValTabla(), [this] {
        ListSql sql;
        sql.Line("Select * From " + ListSql::Table(*DM1->TableDolgozo));
        sql.Range("DG_TORZSSZAM", Text("MaskEdit5"), Text("MaskEdit6"));
        sql.Range("DG_MHKOD", Text("MaskEdit1"), Text("MaskEdit2"));
        sql.Condition("DG_MNYP Is Not Null");
        sql.Condition("DG_MNYP <> ''");
        db::Query q;
        q.DatabaseName = DM1->TableSzamfejt->DatabaseName;
        sql.Apply(q);
        q.Open();
        ProgressBar1->setMaximum(std::max(1, q.RecordCount()));
        ProgressBar1->setValue(0);
        LocateCompany();
        db::Table& ceg = *DM1->TableCegek;
        const bool javito = Checked("CheckBox1");
        std::vector<db::Record> rows;
        for (q.First(); !q.Eof(); q.Next()) {
            const QString allamp = Szoveg(q, "DG_ALLAMP").toUpper();
            const QString mnyp = Szoveg(q, "DG_MNYP");
            const QString values[] = {
                Szoveg(q, "DG_TORZSSZAM"),
                Szoveg(ceg, "CG_NEV"),
                Szoveg(ceg, "CG_ADOSZAM"),
                Szoveg(ceg, "CG_KSH"),
                Szoveg(ceg, "CG_IRSZ"),
                Szoveg(ceg, "CG_VAROS"),
                CimOsszefuz(ceg, {"CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ", "CG_EPULET", "CG_LEPCSOHAZ",
                                  "CG_EMELET", "CG_AJTO"}),
                Szoveg(ceg, "CG_ASZOLG"),
                Szoveg(ceg, "CG_ASZOLGTEL"),
                javito ? QStringLiteral("X") : QString(),
                Szoveg(q, "DG_NEV"),
                Szoveg(q, "DG_ANYJANEV"),
                Szoveg(q, "DG_TAJSZ"),
                QString(),
                Szoveg(q, "DG_SZULDAT"),
                Szoveg(q, "DG_SZULHELY"),
                Szoveg(q, "DG_NEM"),
                allamp.isEmpty() || allamp == QLatin1String("HUN") ? QStringLiteral("M")
                                                                   : QStringLiteral("K"),
                Szoveg(q, "DG_IRSZ"),
                Szoveg(q, "DG_VAROS"),
                Szoveg(q, "DG_KOZTER"),
                Szoveg(q, "DG_KOZTERJEL"),
                Szoveg(q, "DG_HAZSZ"),
                Szoveg(q, "DG_EPULET"),
                Szoveg(q, "DG_LEPCSOHAZ"),
                Szoveg(q, "DG_EMELET"),
                Szoveg(q, "DG_AJTO"),
                Szoveg(q, "DG_MNYPBEDAT"),
                QString(),
                LookupText(*DM1->TableNyugP, "NP_KOD", mnyp.toStdString(), "NP_NEV"),
                mnyp,
            };
            db::Record row;
            for (size_t i = 0; i < std::size(kMezok); ++i)
                row.push_back(values[i].left(kMezok[i].size).toStdString());
            rows.push_back(std::move(row));
            ProgressBar1->setValue(ProgressBar1->value() + 1);
        }
        q.Close();
        return rows;
    });
}

void TList_PenztarAdatszForm::BitBtn1Click() {
    RunWorkTableList([this] { return TablaLetrehoz(); },
                     [this] {
                         PenztarValTabla().OpenInTable1();
                         List_PenztarAdatszQRForm->QuickRep1.Preview();
                     });
}
