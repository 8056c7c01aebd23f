#include "core/DataModule1.h"

#include <QString>
#include <algorithm>
#include <filesystem>

#include "core/CegTablak.h"
#include "core/ReferenceData.h"
#include "core/SegedUnitDb.h"
#include "core/StandardData.h"
#include "core/StartValues.h"
#include "core/TableCatalog.h"
#include "core/TableLayouts.h"
#include "core/helpers/RecordFilters.h"
#include "platform/db/Engine.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/db/Transaction.h"
#include "platform/ui/Dialogs.h"

TDM1* DM1 = nullptr;

namespace {

// Two field values are equal when both are empty or both hold the same value.
bool SameValue(const db::Field& a, const db::Field& b) {
    const db::Variant va = a.Value();
    const db::Variant vb = b.Value();
    if (va.IsBlank() || vb.IsBlank()) return va.IsBlank() && vb.IsBlank();
    return va == vb;
}

bool SameFields(db::Dataset& row, db::Dataset& reference, std::initializer_list<const char*> fields) {
    for (const char* f : fields)
        if (!SameValue(row.FieldByName(f), reference.FieldByName(f))) return false;
    return true;
}

std::string Text(db::Dataset& ds, const char* field) { return ds.FieldByName(field).AsString(); }

// Tables whose fields come from the table file when it is opened.
bool HasPersistentFields(const TableComponent& c) {
    return !c.baseName.empty() && c.baseName != "FokFel" && c.baseName != "DolgRegi" &&
           c.baseName.rfind("MAB", 0) != 0;
}

PayrollRowKey PayrollRow(db::Dataset& row) {
    return {Text(row, "SF_DGTORZSSZAM"), static_cast<int>(row.FieldByName("SF_HONAP").AsInteger()),
            row.FieldByName("SF_KIFIZDAT").AsDateTime(), Text(row, "SF_JCKOD")};
}

}  // namespace

TDM1::TDM1() {
    db::Table** members[] = {
        &TableCegek,     &TableErtekkeszlet, &TableKifhely,
        &TableMhely,     &TableDolgozo,      &TableDolgRegi,
        &TableJogcim,    &TableRJogcim,      &TableSzamfejt,
        &TableUtal,      &TableHozzatartozo, &TableNaptar,
        &TableFEOR,      &TableNyugP,        &TableFokFel,
        &TableNyilat,    &TableM30,          &TableM29,
        &TableK30,       &TableK32,          &TableM292,
        &TableM294,      &TableMAB00,        &TableMAB04,
        &TableMAB05,     &TableMAB06,        &TableMAB07,
        &TableMAB08,     &TableMAB09,        &TableMAB09a,
        &TableMAB10,     &TableMAB11,        &TableMAB12,
        &TableMAB13,     &TableMABOSZ,       &TableMABOSZ01,
        &TableMABOSZ01b, &TableMABOSZ01c,    &TableMABOSZ02,
        &TableMABOSZ02b, &TableMABOSZ02c,    &Table1,
    };
    db::DataSource** sources[] = {
        &DataSourceCegek,     &DataSourceErtekkeszlet, &DataSourceKifhely,      &DataSourceMhely,
        &DataSourceDolgozo,   &DataSourceDolgRegi,     &DataSourceJogcim,       &DataSourceRJogcim,
        &DataSourceSzamfejt,  &DataSourceUtal,         &DataSourceHozzatartozo, &DataSourceNaptar,
        &DataSourceFEOR,      &DataSourceNyugP,        &DataSourceFokFel,       &DataSourceNyilat,
        &DataSourceM30,       &DataSourceM29,          &DataSourceK30,          &DataSourceK32,
        &DataSourceM292,      &DataSourceM294,         &DataSourceMAB00,        &DataSourceMAB04,
        &DataSourceMAB05,     &DataSourceMAB06,        &DataSourceMAB07,        &DataSourceMAB08,
        &DataSourceMAB09,     &DataSourceMAB09a,       &DataSourceMAB10,        &DataSourceMAB11,
        &DataSourceMAB12,     &DataSourceMAB13,        &DataSourceMABOSZ,       &DataSourceMABOSZ01,
        &DataSourceMABOSZ01b, &DataSourceMABOSZ01c,    &DataSourceMABOSZ02,     &DataSourceMABOSZ02b,
        &DataSourceMABOSZ02c,
    };
    const auto& catalogue = TableComponents();
    for (size_t i = 0; i < catalogue.size(); ++i) {
        const TableComponent& c = catalogue[i];
        auto table = std::make_unique<db::Table>();
        table->Name = c.component;
        // A table without a template (the employee history) has no name
        // until a company is selected.
        const TableLayout* layout = c.baseName.empty() ? nullptr : FindTableLayout(c.baseName);
        table->TableName = layout && layout->hasTemplate ? c.baseName : "";
        table->ReadOnly = c.readOnly;
        table->OnPostError = [this](db::Dataset& ds, const db::DatabaseError& e, db::DataAction& a) {
            PostError(ds, e, a);
        };
        // Each pair works on its own component, never on the sender.
        db::Table* own = table.get();
        table->AfterPost = [own](db::Dataset&) { FlushAndSave(*own); };
        table->AfterDelete = [own](db::Dataset&) { FlushAndSave(*own); };
        if (HasPersistentFields(c)) AddPersistentFields(*own, *layout);
        *members[i] = own;
        tables_.push_back(own);
        if (c.component != "Table1") {
            auto source = std::make_unique<db::DataSource>(own);
            source->AutoEdit = false;
            *sources[i] = source.get();
            dataSources_.push_back(std::move(source));
        }
        owned_.push_back(std::move(table));
    }
    AddLookupFields();
    query1_ = std::make_unique<db::Query>();
    query1_->Name = "Query1";
    Query1 = query1_.get();
    memoryData1_ = std::make_unique<TMemoryData>();
    memoryData1_->Name = "MemoryData1";
    MemoryData1 = memoryData1_.get();
    memoryData2_ = std::make_unique<TMemoryData>();
    memoryData2_->Name = "MemoryData2";
    MemoryData2 = memoryData2_.get();
    for (auto [set, source] :
         {std::pair{MemoryData1, &DataSourceMemoryData1}, {MemoryData2, &DataSourceMemoryData2}}) {
        auto s = std::make_unique<db::DataSource>(set);
        s->AutoEdit = false;
        *source = s.get();
        dataSources_.push_back(std::move(s));
    }
}

void TDM1::AddLookupFields() {
    for (const TableComponent& c : TableComponents()) {
        const TableLayout* layout = c.baseName.empty() ? nullptr : FindTableLayout(c.baseName);
        if (!layout || layout->lookups.empty()) continue;
        db::Table* table = Component(c.component);
        std::vector<db::Table*> sources;
        for (const LookupLayout& l : layout->lookups) {
            db::FieldDef def;
            def.name = l.name;
            def.type = db::FieldType::String;
            def.size = l.size;
            db::Field& f = table->AddField(def, db::FieldKind::Lookup);
            f.ReadOnly = true;
            f.DisplayLabel = l.label;
            f.LookupDataSet = Component(l.component);
            f.KeyFields = l.keyField;
            f.LookupKeyFields = l.lookupKey;
            f.LookupResultField = l.resultField;
            if (std::find(sources.begin(), sources.end(), Component(l.component)) == sources.end())
                sources.push_back(Component(l.component));
        }
        // Opening a table with lookup fields opens the looked-up tables too.
        table->BeforeOpen = [sources](db::Dataset&) {
            for (db::Table* s : sources)
                if (!s->Active()) s->Open();
        };
    }
}

TDM1::~TDM1() {
    // Data sources detach from their tables before the tables go.
    dataSources_.clear();
    if (DM1 == this) DM1 = nullptr;
}

db::DataSource* TDM1::DataSourceOf(const db::Table* table) const {
    for (const auto& s : dataSources_)
        if (s->DataSet() == table) return s.get();
    return nullptr;
}

db::Table* TDM1::Component(const std::string& name) const {
    for (db::Table* t : tables_)
        if (t->Name == name) return t;
    return nullptr;
}

void TDM1::PostError(db::Dataset&, const db::DatabaseError& error, db::DataAction&) {
    const auto* engine = dynamic_cast<const db::EngineError*>(&error);
    if (!engine) return;
    if (engine->Code() == db::EngineError::KeyViolation) {
        ui::ShowMessage(QStringLiteral("Ez a rekord már szerepel a nyilvántartásban!"));
        db::Abort();
    }
    if (engine->Code() == db::EngineError::RequiredFieldMissing) {
        ui::ShowMessage(QStringLiteral("Nem adott meg egy mezőt ami kötelező!"));
        db::Abort();
    }
}

void TDM1::FlushAndSave(db::Table& table) {
    table.FlushBuffers();
    table.SaveChanges();
}

void TDM1::MemoryData1AfterPost(db::Dataset&) {
    MemoryData1->SortByFields("SF_DGTORZSSZAM;SF_HONAP;SF_KIFIZDAT;SF_JCKOD;SF_SORSZAM;SF_RJSORSZAM");
}

void TDM1::TableNaptarAfterInsert(db::Dataset& dataset) { dataset.Cancel(); }

void TDM1::TablaBezar() {
    for (const std::string& name : CloseOrder()) {
        db::Table* table = Component(name);
        if (!table->Active()) continue;
        FlushAndSave(*table);
        table->Close();
    }
}

// --- Record filters ----------------------------------------------------------

db::Dataset::FilterHandler TDM1::FilterHandler(void (TDM1::*handler)(db::Dataset&, bool&)) {
    return [this, handler](db::Dataset& ds, bool& accept) { (this->*handler)(ds, accept); };
}

namespace {

PayrollFilterValues Inputs(db::Table& employees, const FilterInputs& in) {
    return {Text(employees, "DG_TORZSSZAM"), in.month, in.paymentDate};
}

}  // namespace

void TDM1::TorzsszamFilter(db::Dataset& ds, bool& accept) {
    accept = Text(ds, "SF_DGTORZSSZAM") == Text(*TableDolgozo, "DG_TORZSSZAM");
}

void TDM1::TorzsszamHoFilter(db::Dataset& ds, bool& accept) {
    accept = TorzsszamHoMatch(PayrollRow(ds), Inputs(*TableDolgozo, SzuroAdatok));
}

void TDM1::TorzsszamHoKifizDatFilter(db::Dataset& ds, bool& accept) {
    accept = TorzsszamHoKifizDatMatch(PayrollRow(ds), Inputs(*TableDolgozo, SzuroAdatok));
}

void TDM1::HozottAdatokFilter(db::Dataset& ds, bool& accept) {
    accept = HozottAdatokMatch(PayrollRow(ds), Inputs(*TableDolgozo, SzuroAdatok));
}

void TDM1::KifizFilter(db::Dataset& ds, bool& accept) {
    accept = Text(ds, "RJ_DGTORZSSZAM") == Text(*TableDolgozo, "DG_TORZSSZAM") &&
             PayableCode(Text(ds, "RJ_JCKOD"));
}

void TDM1::EgyebFilter(db::Dataset& ds, bool& accept) {
    accept = Text(ds, "RJ_DGTORZSSZAM") == Text(*TableDolgozo, "DG_TORZSSZAM") &&
             OtherPaymentCode(Text(ds, "RJ_JCKOD"));
}

void TDM1::LevonFilter(db::Dataset& ds, bool& accept) {
    accept = Text(ds, "RJ_DGTORZSSZAM") == Text(*TableDolgozo, "DG_TORZSSZAM") &&
             DeductionCode(Text(ds, "RJ_JCKOD"));
}

void TDM1::MunkahelyFilter(db::Dataset& ds, bool& accept) {
    accept = MunkahelyMatch(Text(ds, "DG_MHKOD"), SzuroAdatok.workplace);
}

void TDM1::List_HozzatartozoFilter(db::Dataset& ds, bool& accept) {
    accept = Text(ds, "HT_DGTORZSSZAM") == Text(*TableDolgozo, "DG_TORZSSZAM");
}

void TDM1::List_AdatlFilter(db::Dataset& ds, bool& accept) {
    accept = SameFields(ds, *Query1, {"SF_DGTORZSSZAM"});
}

void TDM1::List_CimletjegyzFilter(db::Dataset& ds, bool& accept) {
    accept = SameFields(ds, *Query1, {"SF_DGKHKOD"}) &&
             ds.FieldByName("SF_KIFIZDAT").AsDateTime() == Query1->ParamByName("datum").Value().ToDouble();
}

void TDM1::List_MNYPbevallFilter(db::Dataset& ds, bool& accept) {
    accept = SameFields(ds, *Query1, {"SF_DGTORZSSZAM", "SF_HONAP", "SF_DGMNYP"});
}

void TDM1::List_KifizFilter(db::Dataset& ds, bool& accept) {
    accept = SameFields(ds, *Query1, {"SF_KIFIZDAT", "SF_DGKHKOD"}) && Text(ds, "SF_JCKOD") == "750";
}

void TDM1::List_SzabFilter(db::Dataset& ds, bool& accept) {
    accept = SameFields(ds, *Query1, {"SF_DGMHKOD"});
}

void TDM1::List_MunkidoKedvOsszFilter(db::Dataset& ds, bool& accept) {
    accept = SameFields(ds, *Query1, {"SF_DGTORZSSZAM", "SF_KIFIZDAT"});
}

void TDM1::List_BerlapFilter(db::Dataset& ds, bool& accept) {
    accept =
        SameFields(ds, *Query1, {"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_DGMHKOD", "SF_DGKHKOD"});
}

void TDM1::List_JogcimOsszFilter(db::Dataset& ds, bool& accept) {
    accept = SameFields(ds, *Query1,
                        {"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_DGMHKOD", "SF_DGKHKOD", "SF_JCKOD",
                         "SF_MUNKSZAM", "SF_GYUJTO"});
}

void TDM1::List_UtalTetelFilter(db::Dataset& ds, bool& accept) {
    accept = SameValue(ds.FieldByName("SF_JCKOD"), Query1->FieldByName("JC_KOD"));
}

void TDM1::List_BerkartonFilter(db::Dataset& ds, bool& accept) {
    accept = SameFields(ds, *Query1, {"SF_DGTORZSSZAM"});
}

void TDM1::MABFilter(db::Dataset& ds, bool& accept) {
    accept = SameFields(ds, *TableMAB00, {"TORZSSZAM", "HONAP", "JELLEG", "TOL", "IG"});
}

void TDM1::MABOSZFilter(db::Dataset& ds, bool& accept) {
    accept = SameFields(ds, *TableMABOSZ, {"HONAP", "JELLEG"});
}

// --- Preparation steps -------------------------------------------------------

void TDM1::SetDatabaseName(const std::string& alias) {
    for (db::Table* t : tables_) t->DatabaseName = alias;
    Query1->DatabaseName = alias;
}

void TDM1::TestOpen(db::Table& table) {
    table.Open();
    table.Close();
    for (const TableComponent& c : TableComponents()) {
        if (c.component != table.Name) continue;
        if (const TableLayout* layout = c.baseName.empty() ? nullptr : FindTableLayout(c.baseName))
            for (const LookupLayout& l : layout->lookups) Component(l.component)->Close();
    }
}

void TDM1::SetCompanyTableNames(const std::string& companyCode) {
    for (const TableComponent& c : TableComponents())
        if (c.perCompany) Component(c.component)->TableName = CompanyTableName(c.baseName, companyCode);
}

void TDM1::ClearCompanyTableNames() {
    for (const TableComponent& c : TableComponents()) {
        if (c.set == ComponentSet::Core || c.set == ComponentSet::Optional)
            Component(c.component)->TableName.clear();
    }
}

void TDM1::ClearAllCompanyTableNames() {
    for (const TableComponent& c : TableComponents())
        if (c.perCompany) Component(c.component)->TableName.clear();
}

// --- Year folder ---------------------------------------------------------------

namespace {

std::string Join(const std::vector<std::string>& fields) {
    std::string s;
    for (const std::string& f : fields) s += (s.empty() ? "" : ";") + f;
    return s;
}

// A new value-set template holds the user-name row with an empty name, so the
// start-up asks for the name instead of stopping, and the data year the lists
// and the brought-forward dates are built from. Unlike the shipped rows they
// are not added again: a template without its user-name row is damaged.
void AddParameterRows(const std::string& databaseName) {
    db::Table t;
    t.DatabaseName = databaseName;
    t.TableName = "Ertekkeszlet";
    t.Open();
    const std::pair<const char*, const char*> rows[] = {{"02", "Felhasználó neve"},
                                                        {"04", "Feldolgozási év"}};
    for (const auto& [code, name] : rows) {
        t.Append();
        t.FieldByName("EK_TIPUS").SetAsString("0");
        t.FieldByName("EK_TIPUSNEV").SetAsString("Paraméterek");
        t.FieldByName("EK_ERTEK").SetAsString(code);
        t.FieldByName("EK_ERTEKNEV").SetAsString(name);
        if (std::string(code) == "04") t.FieldByName("EK_ERTEKCHAR").SetAsString(FeldolgozasiEv);
        t.Post();
    }
    t.Close();
}

// A new calendar holds the processing year's days with their weekday values
// and the shipped holidays, so a payroll run finds working days before anyone
// opens the calendar form.
void AddCalendarYear(const std::string& databaseName) {
    db::Table t;
    t.DatabaseName = databaseName;
    t.TableName = "Naptar";
    db::Transaction tx({&t});
    t.Open();
    AppendCalendarYear(t, std::stoi(FeldolgozasiEv), {}, ShippedCalendarDays());
    tx.Commit();
    t.Close();
}

// Appends the shipped rows a table lacks, in one transaction.
void AddMissingRows(const std::string& databaseName, const std::string& tableName,
                    const std::vector<SeedRow>& rows) {
    const TableLayout* layout = FindTableLayout(tableName);
    db::Table t;
    t.DatabaseName = databaseName;
    t.TableName = tableName;
    db::Transaction tx({&t});
    t.Open();
    AppendMissingRows(t, layout->key, rows);
    tx.Commit();
    t.Close();
}

}  // namespace

std::vector<std::string> PrepareYearFolder(const std::string& databaseName) {
    const std::string folder = db::Engine::ResolveFolder(databaseName);
    std::filesystem::create_directories(folder);
    // A company register lost from a folder that holds companies is not made
    // again empty: a new company would take the code of an old one's files.
    // Opening the tables then fails and the program starts reduced.
    const bool companies = CegTablakVannak(folder);
    std::vector<std::string> created;
    for (const TableLayout& layout : TableLayouts()) {
        if (!layout.hasTemplate || db::TableExists(databaseName, layout.name)) continue;
        if (layout.name == "Cegek" && companies) continue;
        db::CreateTable(databaseName, layout.name, layout.FieldDefs(),
                        layout.primaryIndex ? Join(layout.key) : "");
        created.push_back(layout.name);
        if (layout.name == "Ertekkeszlet") AddParameterRows(databaseName);
        if (layout.name == "Naptar") AddCalendarYear(databaseName);
    }
    // The templates a company is made from, and the global tables of shipped
    // data, get back every shipped row they lack; a row the user changed stays
    // as it is.
    AddMissingRows(databaseName, "Jogcim", ShippedPayItems());
    AddMissingRows(databaseName, YearPayItemTable(), ShippedYearPayItems());
    AddMissingRows(databaseName, "Ertekkeszlet", ShippedValueSets());
    AddMissingRows(databaseName, "FEOR", ShippedOccupations());
    return created;
}

void AddNewerSheetFields(const std::string& alias, const std::string& tableName) {
    const TableLayout* layout = FindTableLayout(tableName);
    if (!layout) return;
    for (const AddedFields& added : FieldsAddedToOlderTables()) {
        if (added.table != layout->name) continue;
        // The table's columns are read once; only a missing field costs a
        // statement of its own (MezoHozzaad reads, adds and reports itself).
        std::vector<std::string> missing = added.fields;
        try {
            db::Query columns;
            columns.DatabaseName = alias;
            columns.SetSQL("SELECT * FROM " + db::SqlName(tableName) + " WHERE 1 = 0");
            columns.Open();
            std::erase_if(missing,
                          [&](const std::string& name) { return columns.FindField(name) != nullptr; });
        } catch (const db::DatabaseError&) {
            // Each field then tries on its own and shows the engine's message.
        }
        for (const std::string& name : missing)
            MezoHozzaad(alias, tableName, name,
                        layout->Field(name)->type == db::FieldType::Date ? "DATE" : "INT");
    }
}

namespace {

std::vector<std::string> KeyFields(const std::string& joined) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t end = joined.find(';', start);
        if (end == std::string::npos) end = joined.size();
        std::string f = joined.substr(start, end - start);
        f.erase(0, f.find_first_not_of(' '));
        f.erase(f.find_last_not_of(' ') + 1);
        if (!f.empty()) fields.push_back(QString::fromStdString(f).toUpper().toStdString());
        start = end + 1;
    }
    return fields;
}

// The values of the new key that several rows share (empty equals empty, as
// the key check of a post counts it), one "a / b" text per value.
std::vector<std::string> RepeatedKeys(const std::string& alias, const std::string& tableName,
                                      const std::vector<std::string>& key) {
    std::string columns, groups;
    for (const std::string& f : key) {
        columns += (columns.empty() ? "" : ", ") + db::SqlName(f);
        groups += (groups.empty() ? "" : ", ") + ("COALESCE(" + db::SqlName(f) + ", '')");
    }
    db::Query q;
    q.DatabaseName = alias;
    q.SetSQL("SELECT " + columns + " FROM " + db::SqlName(tableName) + " GROUP BY " + groups +
             " HAVING COUNT(*) > 1");
    q.Open();
    std::vector<std::string> repeated;
    for (q.First(); !q.Eof(); q.Next()) {
        std::string text;
        for (int i = 0; i < q.FieldCount(); ++i)
            text +=
                (i ? " / " : "") + (q.Fields(i).IsNull() ? std::string("(üres)") : q.Fields(i).AsString());
        repeated.push_back(text);
    }
    q.Close();
    return repeated;
}

}  // namespace

void AddNewerTableKey(const std::string& alias, const std::string& tableName) {
    const TableLayout* layout = FindTableLayout(tableName);
    if (!layout) return;
    const auto& newer = TablesWithNewerKeys();
    if (std::find(newer.begin(), newer.end(), layout->name) == newer.end()) return;
    if (!db::TableExists(alias, tableName)) return;
    std::string stored;
    const db::FieldDefs defs = db::ReadTableStructure(alias, tableName, &stored);
    const std::string wanted = Join(layout->key);
    if (KeyFields(stored) == KeyFields(wanted)) return;

    const std::vector<std::string> repeated = RepeatedKeys(alias, tableName, layout->key);
    if (!repeated.empty()) {
        QString text = QStringLiteral(
                           "A(z) %1 tábla nem kapta meg az új kulcsát (%2), mert több sora "
                           "azonos rajta:")
                           .arg(QString::fromStdString(tableName), QString::fromStdString(wanted));
        for (const std::string& r : repeated) text += "\r" + QString::fromStdString(r);
        text += "\r" + QStringLiteral("A tábla sorai változatlanok maradtak; az ismétlődő sorokat javítsa!");
        ui::MessageBox(QStringLiteral("Üzenet"), text, ui::Icon::Warning, ui::Ok);
        return;
    }
    // The rows go into a new table first: until it replaces the old one in a
    // single copy, the old table stays whole.
    const std::string scratch = "KulcsUj_" + layout->name;
    db::CreateTable(alias, scratch, defs, wanted);
    try {
        db::Query q;
        q.DatabaseName = alias;
        q.SetSQL("INSERT INTO " + db::SqlName(scratch) + " SELECT * FROM " + db::SqlName(tableName));
        q.ExecSQL();
        db::CopyTable(alias, scratch, tableName);
    } catch (...) {
        db::DeleteTable(alias, scratch);
        throw;
    }
    db::DeleteTable(alias, scratch);
}

// --- Standard data -------------------------------------------------------------

namespace {

void OpenClose(db::Table* t) {
    t->Open();
    t->Close();
}

}  // namespace

void AlapertekFeltolt() {
    TDM1& dm = *DM1;
    // The seeding looks for its rows among all rows: a filter a pick list
    // left on the value set (or one left on the pay items) would hide them
    // and the row would be appended a second time.
    dm.TableErtekkeszlet->SetFiltered(false);
    dm.TableJogcim->SetFiltered(false);
    dm.TableErtekkeszlet->ReadOnly = false;
    dm.TableErtekkeszlet->Open();
    EnsureStandardValueSet(*dm.TableErtekkeszlet);
    dm.TableErtekkeszlet->Close();
    dm.TableErtekkeszlet->ReadOnly = true;

    OpenClose(dm.TableKifhely);
    OpenClose(dm.TableMhely);
    OpenClose(dm.TableDolgozo);

    dm.TableJogcim->Open();
    EnsureStandardPayItems(*dm.TableJogcim);
    dm.TableJogcim->Close();

    OpenClose(dm.TableRJogcim);
    dm.TableJogcim->Close();
    dm.TableDolgozo->Close();
    OpenClose(dm.TableSzamfejt);
    OpenClose(dm.TableUtal);
    dm.TableJogcim->Close();
    OpenClose(dm.TableHozzatartozo);
    dm.TableDolgozo->Close();
    OpenClose(dm.TableCegek);
    OpenClose(dm.TableNaptar);
    OpenClose(dm.TableFEOR);
    dm.TableNyugP->ReadOnly = false;
    OpenClose(dm.TableNyugP);
    dm.TableNyugP->ReadOnly = true;
}
