// A year folder of realistic size for the backup and restore benchmarks: 50
// companies made as the company register makes them, each with 25 employees
// and a year of payroll rows (12 months of 40 rows an employee) whose names,
// codes and amounts vary as a real year's do, so the tables compress as real
// ones would. Under a temporary home, laid out as the program lays it out.
#pragma once

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/SegedUnitDb.h"
#include "core/StartValues.h"
#include "platform/db/Sqlite.h"
#include "platform/db/Table.h"
#include "platform/db/Transaction.h"
#include "support/CompanyFixture.h"

namespace bench {

class YearOfPayroll {
public:
    static constexpr int kCompanies = 50, kEmployees = 25, kRowsAMonth = 40;

    YearOfPayroll() {
        AliasLetrehoz(AktualisAlias, EvKonyvtar());
        PrepareYearFolder(AktualisAlias);
        data = AliasUtvonal(AktualisAlias);
        for (int c = 1; c <= kCompanies; ++c) {
            char code[8];
            std::snprintf(code, sizeof code, "%03d", c);
            testsupport::MakeCompany(code, std::string("Cég ") + code, code);
            Employees(std::string("Dolgozo_") + code, c);
            PayrollRows(std::string("Szamfejt_") + code, c);
        }
    }

    // The whole folder in bytes: what an archive of it holds.
    std::uintmax_t Bytes() const {
        std::uintmax_t total = 0;
        for (const auto& e : std::filesystem::directory_iterator(data))
            if (e.is_regular_file()) total += e.file_size();
        return total;
    }

    testsupport::TempHome home{testsupport::TempHome::Syncs::Keep};
    std::string data;  // the year folder

private:
    static std::string Name(int i) {
        static const char* const kFamily[] = {"Kovács", "Szabó", "Tóth",   "Nagy",   "Horváth",
                                              "Varga",  "Kiss",  "Molnár", "Németh", "Farkas",
                                              "Balogh", "Papp",  "Takács"};
        static const char* const kGiven[] = {"Anna",   "István", "Katalin", "László", "Éva",  "József",
                                             "Zsófia", "Gábor",  "Ildikó",  "Ferenc", "Judit"};
        return std::string(kFamily[i % 13]) + " " + kGiven[(i * 7) % 11];
    }

    static std::string Id(int company, int employee) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%011d", company * 1000 + employee);
        return buf;
    }

    void Employees(const std::string& table, int company) {
        db::Table t;
        t.DatabaseName = AktualisAlias;
        t.TableName = table;
        db::Transaction tx{&t};
        t.Open();
        for (int e = 1; e <= kEmployees; ++e) {
            t.Append();
            t.FieldByName("DG_TORZSSZAM").SetAsString(Id(company, e));
            t.FieldByName("DG_NEV").SetAsString(Name(company * 31 + e));
            testsupport::FillRequired(t);
            t.Post();
        }
        tx.Commit();
        t.Close();
    }

    // One row is written through the table, as the program writes it; the
    // year's rows are made from it in one statement, their fields varied.
    void PayrollRows(const std::string& table, int company) {
        {
            db::Table t;
            t.DatabaseName = AktualisAlias;
            t.TableName = table;
            t.Open();
            t.Append();
            t.FieldByName("SF_DGTORZSSZAM").SetAsString(Id(company, 1));
            t.FieldByName("SF_JCKOD").SetAsString("100");
            testsupport::FillRequired(t);
            t.Post();
            t.Close();
        }
        std::string names = "CASE e";
        for (int e = 0; e < kEmployees; ++e)
            names += " WHEN " + std::to_string(e) + " THEN '" + Name(company * 31 + e + 1) + "'";
        names += " END";
        // Pay-item codes and names a month of an employee runs through.
        static const char* const kItems[][2] = {{"100", "Havi alapbér"},
                                                {"102", "Fizetett ünnep"},
                                                {"120", "Jutalom"},
                                                {"130", "Műszakpótlék"},
                                                {"140", "Szabadság"},
                                                {"150", "Betegszabadság"},
                                                {"250", "Természetbeni juttatás"},
                                                {"270", "Bérjellegű összesen"},
                                                {"271", "Kereset összesen"},
                                                {"275", "Utazási költségtérítés"},
                                                {"280", "Szakszervezeti tagdíj"},
                                                {"285", "Önkéntes pénztári tagdíj"},
                                                {"300", "Nyugdíjjárulék"},
                                                {"304", "Munkaerő-piaci járulék"},
                                                {"306", "Természetbeni eg. járulék"},
                                                {"307", "Pénzbeli eg. járulék"},
                                                {"309", "Adó családi kedv. előtt"},
                                                {"314A", "Családi kedvezmény"},
                                                {"320", "Személyi jövedelemadó"},
                                                {"400", "Nettó kereset"}};
        constexpr int kItemCount = sizeof kItems / sizeof kItems[0];
        std::string codes = "CASE r % " + std::to_string(kItemCount), itemNames = codes;
        for (int k = 0; k < kItemCount; ++k) {
            codes += " WHEN " + std::to_string(k) + " THEN '" + kItems[k][0] + "'";
            itemNames += " WHEN " + std::to_string(k) + " THEN '" + kItems[k][1] + "'";
        }
        codes += " END";
        itemNames += " END";
        const std::string base = "(180000 + (e * 7919 + " + std::to_string(company) + " * 104729) % 520000)";
        // e: employee, m: month, r: row of the month.
        const std::vector<std::pair<std::string, std::string>> varied = {
            {"SF_DGTORZSSZAM", "printf('%011d', " + std::to_string(company * 1000) + " + e + 1)"},
            {"SF_DGNEV", names},
            {"SF_HONAP", "m"},
            {"SF_KIFIZDAT", "43466 + (m - 1) * 30 + 40 + (m + 1) / 2"},
            {"SF_JCKOD", codes},
            {"SF_JCNEV", itemNames},
            {"SF_SORSZAM", "r / " + std::to_string(kItemCount) + " + 1"},
            {"SF_OSSZEG", "round(" + base + " * ((r * 37 + m * 11 + e) % 97 + 3) / 100.0)"},
            {"SF_ADOALAP", "CASE WHEN r % 3 = 0 THEN " + base + " + m * 1000 ELSE NULL END"},
            {"SF_JARALAP", "CASE WHEN r % 4 = 0 THEN " + base + " - e * 500 ELSE NULL END"},
            {"SF_NAP", "CASE WHEN r % 5 = 1 THEN (e + m + r) % 23 ELSE NULL END"},
            {"SF_ORA", "CASE WHEN r % 5 = 1 THEN ((e + m + r) % 23) * 8.0 ELSE NULL END"},
            {"SF_SZAZALEK", "CASE WHEN r % 7 = 2 THEN (r * 13 + e) % 100 ELSE NULL END"},
            {"SF_TOL", "CASE WHEN r % 6 = 4 THEN 43466 + (m - 1) * 30 + (e + r) % 15 ELSE NULL END"},
            {"SF_IG", "CASE WHEN r % 6 = 4 THEN 43466 + (m - 1) * 30 + 15 + (e + r) % 14 ELSE NULL END"},
        };
        sqlite3* db = nullptr;
        const std::string file = data + "/" + table + ".DB";
        if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) throw std::runtime_error(file);
        db::sql::RegisterCollations(db);
        std::vector<std::string> columns;
        {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, ("PRAGMA table_info(\"" + table + "\")").c_str(), -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW)
                columns.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
            sqlite3_finalize(st);
        }
        std::string list, values;
        for (const std::string& c : columns) {
            std::string value = "x.\"" + c + "\"";
            for (const auto& [field, expr] : varied)
                if (field == c) value = expr;
            list += (list.empty() ? "\"" : ", \"") + c + "\"";
            values += (values.empty() ? "" : ", ") + value;
        }
        const int rows = kEmployees * 12 * kRowsAMonth;
        const std::string sql =
            "BEGIN; CREATE TEMP TABLE x AS SELECT * FROM \"" + table + "\"; DELETE FROM \"" + table +
            "\"; WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
            std::to_string(rows - 1) + "), v(e, m, r) AS (SELECT i / " + std::to_string(12 * kRowsAMonth) +
            ", i / " + std::to_string(kRowsAMonth) + " % 12 + 1, i % " + std::to_string(kRowsAMonth) +
            " FROM n) INSERT INTO \"" + table + "\" (" + list + ") SELECT " + values +
            " FROM v, x; DROP TABLE x; COMMIT;";
        char* error = nullptr;
        const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
        const std::string message = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        if (rc != SQLITE_OK) throw std::runtime_error(table + ": " + message);
    }
};

}  // namespace bench
