// The data module: the one place where the year's tables live. Every form
// reaches the data through DM1's components; the payroll engine does not (it
// runs on a run context that the payroll form fills or its own loader reads).
// The module carries the shared post-error handler, the flush-and-save after
// every post and delete, the record filters, the calendar's insert guard, the
// re-sort of the payroll working set and TablaBezar. It holds no main-window
// code: the start-up and the company switch call the preparation steps at the
// bottom.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/MemDataSet.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

// What the payroll filters compare with besides the current employee: the
// payroll (or brought-forward) run's month and payment date, and the
// workplace typed for a group run. The form sets them before attaching a
// filter.
struct FilterInputs {
    int month = 0;
    double paymentDate = 0;
    std::string workplace;  // trimmed when compared
};

class TDM1 {
public:
    TDM1();
    ~TDM1();
    TDM1(const TDM1&) = delete;
    TDM1& operator=(const TDM1&) = delete;

    // --- Components, in catalogue order --------------------------------------
    db::Table* TableCegek;
    db::Table* TableErtekkeszlet;
    db::Table* TableKifhely;
    db::Table* TableMhely;
    db::Table* TableDolgozo;
    db::Table* TableDolgRegi;
    db::Table* TableJogcim;
    db::Table* TableRJogcim;
    db::Table* TableSzamfejt;
    db::Table* TableUtal;
    db::Table* TableHozzatartozo;
    db::Table* TableNaptar;
    db::Table* TableFEOR;
    db::Table* TableNyugP;
    db::Table* TableFokFel;
    db::Table* TableNyilat;
    db::Table* TableM30;
    db::Table* TableM29;
    db::Table* TableK30;
    db::Table* TableK32;
    db::Table* TableM292;
    db::Table* TableM294;
    db::Table* TableMAB00;
    db::Table* TableMAB04;
    db::Table* TableMAB05;
    db::Table* TableMAB06;
    db::Table* TableMAB07;
    db::Table* TableMAB08;
    db::Table* TableMAB09;
    db::Table* TableMAB09a;
    db::Table* TableMAB10;
    db::Table* TableMAB11;
    db::Table* TableMAB12;
    db::Table* TableMAB13;
    db::Table* TableMABOSZ;
    db::Table* TableMABOSZ01;
    db::Table* TableMABOSZ01b;
    db::Table* TableMABOSZ01c;
    db::Table* TableMABOSZ02;
    db::Table* TableMABOSZ02b;
    db::Table* TableMABOSZ02c;
    db::Table* Table1;
    db::Query* Query1;
    // Scratch sets without fields at design: the payroll working set and the
    // pick list's copy of its table.
    TMemoryData* MemoryData1;
    TMemoryData* MemoryData2;
    db::DataSource* DataSourceMemoryData1;
    db::DataSource* DataSourceMemoryData2;

    // A data source beside each named table ("DataSource" in place of
    // "Table"), AutoEdit off, so bound controls never start an edit; none
    // beside Table1 and Query1.
    db::DataSource* DataSourceCegek;
    db::DataSource* DataSourceErtekkeszlet;
    db::DataSource* DataSourceKifhely;
    db::DataSource* DataSourceMhely;
    db::DataSource* DataSourceDolgozo;
    db::DataSource* DataSourceDolgRegi;
    db::DataSource* DataSourceJogcim;
    db::DataSource* DataSourceRJogcim;
    db::DataSource* DataSourceSzamfejt;
    db::DataSource* DataSourceUtal;
    db::DataSource* DataSourceHozzatartozo;
    db::DataSource* DataSourceNaptar;
    db::DataSource* DataSourceFEOR;
    db::DataSource* DataSourceNyugP;
    db::DataSource* DataSourceFokFel;
    db::DataSource* DataSourceNyilat;
    db::DataSource* DataSourceM30;
    db::DataSource* DataSourceM29;
    db::DataSource* DataSourceK30;
    db::DataSource* DataSourceK32;
    db::DataSource* DataSourceM292;
    db::DataSource* DataSourceM294;
    db::DataSource* DataSourceMAB00;
    db::DataSource* DataSourceMAB04;
    db::DataSource* DataSourceMAB05;
    db::DataSource* DataSourceMAB06;
    db::DataSource* DataSourceMAB07;
    db::DataSource* DataSourceMAB08;
    db::DataSource* DataSourceMAB09;
    db::DataSource* DataSourceMAB09a;
    db::DataSource* DataSourceMAB10;
    db::DataSource* DataSourceMAB11;
    db::DataSource* DataSourceMAB12;
    db::DataSource* DataSourceMAB13;
    db::DataSource* DataSourceMABOSZ;
    db::DataSource* DataSourceMABOSZ01;
    db::DataSource* DataSourceMABOSZ01b;
    db::DataSource* DataSourceMABOSZ01c;
    db::DataSource* DataSourceMABOSZ02;
    db::DataSource* DataSourceMABOSZ02b;
    db::DataSource* DataSourceMABOSZ02c;
    db::DataSource* DataSourceOf(const db::Table* table) const;

    // Component by name ("TableSzamfejt", "Table1"); nullptr when unknown.
    db::Table* Component(const std::string& name) const;
    // The 41 named table components and Table1, in catalogue order.
    const std::vector<db::Table*>& Tables() const { return tables_; }

    // --- Handlers ------------------------------------------------------------
    // Key violation and empty required field: the message, then a silent
    // abort; the record stays in insert or edit state. Anything else takes
    // its default course.
    void PostError(db::Dataset& dataset, const db::DatabaseError& error, db::DataAction& action);
    // Flush and save `table` to disk (after every post and delete).
    static void FlushAndSave(db::Table& table);
    // Keeps the payroll working set in key order after every post; the
    // payroll form attaches it as MemoryData1's AfterPost.
    void MemoryData1AfterPost(db::Dataset& dataset);
    // Cancels an insert on TableNaptar; the calendar form attaches it.
    void TableNaptarAfterInsert(db::Dataset& dataset);
    // Closes every open table component in the fixed order, flushing and
    // saving each first. Query1 and the in-memory sets are left alone.
    void TablaBezar();

    // --- Record filters (attach with SetOnFilterRecord) ----------------------
    FilterInputs SzuroAdatok;
    void TorzsszamFilter(db::Dataset& dataset, bool& accept);
    void TorzsszamHoFilter(db::Dataset& dataset, bool& accept);
    void TorzsszamHoKifizDatFilter(db::Dataset& dataset, bool& accept);
    void HozottAdatokFilter(db::Dataset& dataset, bool& accept);
    void KifizFilter(db::Dataset& dataset, bool& accept);
    void EgyebFilter(db::Dataset& dataset, bool& accept);
    void LevonFilter(db::Dataset& dataset, bool& accept);
    void MunkahelyFilter(db::Dataset& dataset, bool& accept);
    void List_HozzatartozoFilter(db::Dataset& dataset, bool& accept);
    void List_AdatlFilter(db::Dataset& dataset, bool& accept);
    void List_CimletjegyzFilter(db::Dataset& dataset, bool& accept);
    void List_MNYPbevallFilter(db::Dataset& dataset, bool& accept);
    void List_KifizFilter(db::Dataset& dataset, bool& accept);
    void List_SzabFilter(db::Dataset& dataset, bool& accept);
    void List_MunkidoKedvOsszFilter(db::Dataset& dataset, bool& accept);
    void List_BerlapFilter(db::Dataset& dataset, bool& accept);
    void List_JogcimOsszFilter(db::Dataset& dataset, bool& accept);
    void List_UtalTetelFilter(db::Dataset& dataset, bool& accept);
    void List_BerkartonFilter(db::Dataset& dataset, bool& accept);
    void MABFilter(db::Dataset& dataset, bool& accept);
    void MABOSZFilter(db::Dataset& dataset, bool& accept);
    // A handler of this module as a filter handler: FilterHandler(&TDM1::KifizFilter).
    db::Dataset::FilterHandler FilterHandler(void (TDM1::*handler)(db::Dataset&, bool&));

    // --- Preparation steps of the start-up and the company switch ------------
    // Points every table component and Query1 at the database (alias).
    void SetDatabaseName(const std::string& alias);
    // Opens and closes a component to prove its table can be read, then
    // closes the components its lookup fields opened with it.
    void TestOpen(db::Table& table);
    // Per-company components get base name + "_" + code; global ones keep
    // their base name.
    void SetCompanyTableNames(const std::string& companyCode);
    // The start-up's clearing: the ten core and the seven tax-form tables lose
    // their names; the declaration sheets keep their template names.
    void ClearCompanyTableNames();
    // After a failed company switch: every per-company table name cleared.
    void ClearAllCompanyTableNames();

private:
    void AddLookupFields();

    std::vector<std::unique_ptr<db::Table>> owned_;
    std::vector<db::Table*> tables_;
    std::vector<std::unique_ptr<db::DataSource>> dataSources_;
    std::unique_ptr<db::Query> query1_;
    std::unique_ptr<TMemoryData> memoryData1_, memoryData2_;
};

// The single instance, created by the program block before the main window.
extern TDM1* DM1;

// Makes the year folder complete: every missing template and global table is
// created from its layout with its primary index (a new calendar with the
// year's days), and the pay-item and value-set templates, the year's pay-item
// table and the occupation codes get every shipped row whose key they lack;
// existing rows are never changed. Returns the tables it created. Throws
// db::DatabaseError when a table cannot be made or written.
std::vector<std::string> PrepareYearFolder(const std::string& folder);

// Adds the fields that newer versions gave the declaration sheets MAB04 and
// MAB12 to `tableName` (their template or a company's copy) when it lacks
// them, with MezoHozzaad; other tables are left alone. The start-up calls it
// on the templates, the company switch on the company's two tables.
void AddNewerSheetFields(const std::string& alias, const std::string& tableName);

// Gives `tableName` (a template or a company's copy of a table named by
// TablesWithNewerKeys) the primary key of its layout when it has an older one.
// Its rows are carried over; when they repeat a value of the new key the table
// stays as it is and a message names the repeated values. Tables whose key
// did not change and missing tables are left alone. Engine errors reach the caller.
void AddNewerTableKey(const std::string& alias, const std::string& tableName);

// Ensures the standard value-set row and pay-item codes in the tables DM1's
// components name at the moment (the templates at start-up, the company's
// tables at company selection) and opens and closes the company's other
// tables once. Engine errors reach the caller.
void AlapertekFeltolt();
