// The pick list: a modal list of one data-module table from which the user
// picks a code with F2 on a code field. It shows a copy of the table in
// MemoryData2, sorts by a clicked column, finds a row by typing, and leaves
// the data-module table on the chosen record for the caller to read.
#pragma once

#include <string>

#include "core/PickList.h"
#include "platform/db/Dataset.h"

class TKivalasztForm : public PickListDialog {
    Q_OBJECT
public:
    explicit TKivalasztForm(QWidget* parent = nullptr);
    ~TKivalasztForm() override;

    // Kinds of list: 1 value set, 2 payment place, 3 workplace, 4 pay item,
    // 5 employee, 6 standing item, 7 company, 8 occupation code. An empty
    // field 2 or 3 means no such column; position flag 1 opens the list on
    // the table's current record.
    void KivalasztBeallit(int kind, const std::string& ekTipus, const std::string& field1, int width1,
                          const std::string& field2, int width2, const std::string& field3, int width3,
                          int positionFlag);
    // True when the user chose a row.
    bool ErtekAtad() const { return chosen_; }
    // Positions the data-module table on the key of the highlighted row.
    void Raall();

    // A click on a column title: sort and search by that column.
    void TitleClick(int column);
    int SearchColumn() const { return boldColumn_; }
    // The table of the kind (nullptr for an unknown kind).
    static db::Dataset* KindTable(int kind);

protected:
    void Search(const QString& text) override;
    void Position() override { Raall(); }
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    int kind_ = 0;
    int columns_ = 0;
    int boldColumn_ = 0;
    db::Bookmark bookmark_;
};

// The one instance a calling form creates for its lifetime.
extern TKivalasztForm* KivalasztForm;
