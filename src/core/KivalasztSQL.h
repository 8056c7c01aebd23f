// The SQL pick list: a modal list over any table of the data module, run as a
// query with the caller's columns and condition. The user narrows it with
// from/to filters on the leftmost column, reorders the columns (the list is
// sorted from the leftmost column on) and finds a row by typing; the real
// table follows the highlighted row so the caller reads the chosen record.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/PickList.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

class QAction;
class QListWidget;
class QMenu;

class TKivalasztSQLForm : public PickListDialog {
    Q_OBJECT
public:
    explicit TKivalasztSQLForm(QWidget* parent = nullptr);
    ~TKivalasztSQLForm() override;

    // `fields` are fields of `table`, `widths` one per field in pixels (0: a
    // hidden column). `condition` is empty or a clause beginning with
    // "Where". Position flag 1 opens the list on the table's current record.
    // The condition's parameters (":name") get `conditionValues` by name.
    void KivalasztSQLBeallit(db::Table& table, const std::vector<db::Field*>& fields,
                             const std::vector<int>& widths, const std::string& condition, int positionFlag,
                             std::vector<std::pair<std::string, db::Variant>> conditionValues = {});
    // True when the user chose a row (Enter or a double click).
    bool ErtekAtadSQL() const { return chosen_; }
    // Positions the real table on the highlighted row; refreshes the tooltip.
    void TablaRaall();
    // Column titles, widths and hidden columns from the set-up.
    void OszlopFejlecek();

    // The pop-up menu.
    void PopupTolClick();
    void PopupIgClick();
    void PopupTorlesClick();
    void PopupSzuroFeltetelekClick();
    void PopupTeljesTartalomClick();
    // A click on a column title: that column becomes the first.
    void TitleClick(int column);

    // The statement's lines as they stand: select, condition, filters, order.
    const std::vector<std::string>& SqlLines() const { return lines_; }
    // The fields of the grid, leftmost first.
    const std::vector<std::string>& ColumnFields() const { return columns_; }

    std::unique_ptr<db::Query> QueryKivalaszt;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* Panel3 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* PopupTol = nullptr;
    QAction* PopupIg = nullptr;
    QAction* PopupTorles = nullptr;
    QAction* PopupSzuroFeltetelek = nullptr;
    QAction* PopupTeljesTartalom = nullptr;

protected:
    void Search(const QString& text) override;
    void Position() override { TablaRaall(); }
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    struct Filter {
        std::string field;
        db::FieldType type;
        db::Variant value;  // bound as a parameter, never pasted
    };

    void AddFilter(const char* op, const char* suffix);
    void SelectLine();
    void Reopen();
    void MoveColumnFirst(int column);

    db::Table* table_ = nullptr;
    db::Bookmark bookmark_;
    bool hasCondition_ = false;
    std::vector<std::string> columns_;
    std::vector<std::pair<std::string, int>> widths_;  // field, width (-1: hidden)
    std::vector<std::string> lines_;
    std::vector<Filter> filters_;
    std::vector<std::pair<std::string, db::Variant>> conditionValues_;
};

// The one instance a calling form creates for its lifetime.
extern TKivalasztSQLForm* KivalasztSQLForm;
