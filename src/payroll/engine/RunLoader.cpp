#include "payroll/engine/RunLoader.h"

#include <unordered_map>

#include "payroll/engine/AbsenceFee.h"
#include "platform/db/Engine.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

namespace payroll {
namespace {

std::unique_ptr<db::Table> OpenTable(const std::string& databaseName, const std::string& name,
                                     bool readOnly = true) {
    auto t = std::make_unique<db::Table>();
    t->DatabaseName = databaseName;
    t->TableName = name;
    t->ReadOnly = readOnly;
    t->Open();
    return t;
}

// A value set the loader keeps open and refreshes for every run. A code's
// value is looked up once and kept while the table gives the same rows: a
// group run asks the same few codes of every employee, and each lookup
// was a read of the file.
class TableParameters : public ParameterSource {
public:
    explicit TableParameters(std::shared_ptr<db::Table> table) : table_(std::move(table)), over_(*table_) {}
    std::optional<double> Number(const std::string& code) const override {
        return Kept(numbers_, code, [&] { return over_.Number(code); });
    }
    std::string Text(const std::string& code) const override {
        return Kept(texts_, code, [&] { return over_.Text(code); });
    }

private:
    template <class Map, class Read>
    typename Map::mapped_type Kept(Map& kept, const std::string& code, Read read) const {
        if (table_->ContentVersion() != version_) {
            numbers_.clear();
            texts_.clear();
            version_ = table_->ContentVersion();
        }
        auto it = kept.find(code);
        if (it == kept.end()) it = kept.emplace(code, read()).first;
        return it->second;
    }

    std::shared_ptr<db::Table> table_;
    DatasetParameters over_;
    mutable std::unordered_map<std::string, std::optional<double>> numbers_;
    mutable std::unordered_map<std::string, std::string> texts_;
    mutable long long version_ = -1;
};

// The rows of one employee through an SQL statement, so only they are read.
std::vector<FieldValues> EmployeeRecords(db::Query& q, FieldValuesReader& reader,
                                         const std::string& employee) {
    q.Close();
    q.ParamByName("e").SetAsString(employee);
    q.Open();
    std::vector<FieldValues> out;
    for (q.First(); !q.Eof(); q.Next()) out.push_back(reader.Read(q));
    q.Close();
    return out;
}

std::vector<SzamfejtRow> SavedRows(db::Query& q, const std::string& employee) {
    q.Close();
    q.ParamByName("e").SetAsString(employee);
    q.Open();
    std::vector<SzamfejtRow> rows;
    for (q.First(); !q.Eof(); q.Next()) rows.push_back(ReadRow(q));
    q.Close();
    return rows;
}

}  // namespace

// An employee's standing items and saved rows, read through one connection
// for the whole group: the files are attached and the statements prepared
// once, not for every employee.
struct RunLoader::EmployeeQueries {
    db::Session session;
    db::Query standing, saved;
    FieldValuesReader standingReader;

    EmployeeQueries(const std::string& alias, const std::string& suffix) {
        standing.DatabaseName = alias;
        standing.SetSession(&session);
        standing.SetSQL("SELECT * FROM " + db::SqlName("RJogcim" + suffix) +
                        " WHERE RJ_DGTORZSSZAM = :e ORDER BY RJ_JCKOD, RJ_SORSZAM");
        saved.DatabaseName = alias;
        saved.SetSession(&session);
        saved.SetSQL("SELECT * FROM " + db::SqlName("Szamfejt" + suffix) + " WHERE SF_DGTORZSSZAM = :e");
    }
};

RunLoader::RunLoader(RunLoaderSettings settings) : settings_(std::move(settings)) {
    const std::string& alias = settings_.alias;
    const std::string suffix = "_" + settings_.companyCode;
    shared_.year = settings_.year;
    {
        auto cegek = OpenTable(alias, "Cegek");
        if (cegek->Locate("CG_KOD", db::Variant(settings_.companyCode)))
            shared_.company = FieldValues::FromCurrent(*cegek);
    }
    {
        auto mhely = OpenTable(alias, "MHely" + suffix);
        for (mhely->First(); !mhely->Eof(); mhely->Next())
            shared_.workplaces[mhely->FieldByName("MH_KOD").AsString()] =
                mhely->FieldByName("MH_KHKOD").AsString();
    }
    {
        auto jogcim = OpenTable(alias, "Jogcim" + suffix);
        FieldValuesReader reader;
        for (jogcim->First(); !jogcim->Eof(); jogcim->Next())
            shared_.catalogue.Edit()[jogcim->FieldByName("JC_KOD").AsString()] = reader.Read(*jogcim);
    }
    {
        auto naptar = OpenTable(alias, "Naptar");
        std::vector<db::Field*> columns;
        columns.push_back(&naptar->FieldByName("NT_ERTEK"));
        for (int i = 1; i <= 9; ++i) columns.push_back(&naptar->FieldByName("NT_ERTEK" + std::to_string(i)));
        for (naptar->First(); !naptar->Eof(); naptar->Next()) {
            CalendarDay d;
            d.month = static_cast<int>(naptar->FieldByName("NT_HONAP").AsInteger());
            d.day = static_cast<int>(naptar->FieldByName("NT_NAP").AsInteger());
            d.date = naptar->FieldByName("NT_DATUM").AsDateTime();
            for (size_t i = 0; i < columns.size(); ++i) d.values[i] = columns[i]->AsString();
            shared_.calendar.Edit().push_back(std::move(d));
        }
    }
    valueSet_ = OpenTable(alias, "Ertekkeszlet" + suffix);
    shared_.parameters = std::make_shared<TableParameters>(valueSet_);
    employees_ = OpenTable(alias, "Dolgozo" + suffix);
    queries_ = std::make_unique<EmployeeQueries>(alias, suffix);
}

RunLoader::~RunLoader() = default;

RunContext RunLoader::Load(const std::string& employee, int month, double paymentDate) const {
    RunContext ctx = shared_;
    // Parameters as the value set holds them when the run starts.
    valueSet_->Refresh();
    ctx.month = month;
    ctx.paymentDate = paymentDate;
    if (!employees_->Locate("DG_TORZSSZAM", db::Variant(employee)))
        throw CalculationError("Nem található a(z) " + employee + " törzsszámú dolgozó!");
    ctx.employee = employeeReader_.Read(*employees_);
    ctx.standingItems = EmployeeRecords(queries_->standing, queries_->standingReader, employee);
    ctx.savedRows = SavedRows(queries_->saved, employee);

    // Last year's rows only when the file is there; read once, when first asked for.
    const std::string table = PreviousYearPayrollTable(ctx.company);
    std::string folder;
    if (!table.empty() && db::Engine::IsAlias(settings_.previousYearAlias))
        folder = db::Engine::AliasPath(settings_.previousYearAlias);
    if (!folder.empty() && db::TableExists(folder, table)) {
        auto cache = std::make_shared<std::optional<std::vector<SzamfejtRow>>>();
        ctx.previousYearRows = [folder, table, employee, cache]() -> std::optional<std::vector<SzamfejtRow>> {
            if (!*cache) *cache = ReadPayrollRows(folder, table, employee);
            return *cache;
        };
    }
    return ctx;
}

std::vector<SzamfejtRow> ReadPayrollRows(const std::string& databaseName, const std::string& tableName,
                                         const std::string& employee) {
    auto t = OpenTable(databaseName, tableName);
    std::vector<SzamfejtRow> rows;
    if (!t->Locate("SF_DGTORZSSZAM", db::Variant(employee))) return rows;
    for (; !t->Eof() && t->FieldByName("SF_DGTORZSSZAM").AsString() == employee; t->Next())
        rows.push_back(ReadRow(*t));
    return rows;
}

}  // namespace payroll
