// The pick list: a modal list of one data-module table from which the user
// picks a code with F2 on a code field. It shows a copy of the table in
// MemoryData2, sorts by a clicked column, finds a row by typing, and leaves
// the data-module table on the chosen record for the caller to read.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "platform/db/Dataset.h"

class QLineEdit;
class QTableView;
class QTimer;
namespace ui {
class DatasetGridModel;
}

class TKivalasztForm : public QDialog {
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

    // The type-ahead: one character typed (Backspace removes the last one).
    void TypeAhead(QChar c);
    // A click on a column title: sort and search by that column.
    void TitleClick(int column);
    // One tick of Timer1.
    void Timer1Timer();
    int SearchColumn() const { return boldColumn_; }
    // The table of the kind (nullptr for an unknown kind).
    static db::Dataset* KindTable(int kind);

    QLineEdit* Edit1 = nullptr;
    QTableView* DBGrid1 = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowDataset(int row);

    std::unique_ptr<ui::DatasetGridModel> model_;
    int kind_ = 0;
    int columns_ = 0;
    int boldColumn_ = 0;
    db::Bookmark bookmark_;
    bool chosen_ = false;
    int ticks_ = 0;
};

// The one instance a calling form creates for its lifetime.
extern TKivalasztForm* KivalasztForm;
