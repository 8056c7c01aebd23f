// The table search window: a read-only list of one table, searched by typing
// the beginning of the first column, narrowed by filters on that column,
// totalled, re-sorted by moving columns (the list is sorted by its columns
// from left to right) and exported as a workbook. KeresoAblakMutat fills and
// shows it; the window itself never writes the table.
#pragma once

#include <QString>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/PickList.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QSplitter;

// The window's own errors; shown as "TblSearch Error" and the text.
class TblSearchError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file dialog filter from "description|pattern|..." pairs.
QString DialogFilter(const QString& pairs);
// The export's file name: the extension typed, if any, becomes ".xlsx".
QString WorkbookFileName(const QString& chosen);

class TfrmTblSearch : public PickListDialog {
    Q_OBJECT
public:
    explicit TfrmTblSearch(QWidget* parent = nullptr);
    ~TfrmTblSearch() override;

    // --- Filling (in the order the entry routine runs them) -----------------
    // Captions of the language ("E" English, else Hungarian).
    void NyelvBeallit(QChar language);
    // Opens Table1 read-only.
    void TablaMegnyit(const std::string& databaseName, const std::string& tableName);
    // Field names and widths (-1 leave out, 0 hidden, 1 from the display
    // width, else pixels); no names: every field from its display width.
    // Titles become the display labels of the fields of the same position.
    void OszlopokBeallit(const std::vector<std::string>& names, const std::vector<int>& widths,
                         const std::vector<std::string>& titles);
    // Every field's tag: -1 unlisted, else the width, raised to the bold
    // title's width + 4.
    void TableTagBeallit(const std::vector<std::string>& names, const std::vector<int>& widths);
    // TblSearchError "(002)" for a listed field of a type the list cannot show.
    void MezoTipusEllenoriz();
    // The select line, the caller's where clause (may be blank) and the order line.
    void KezdetiSQLosszeallit(const std::string& where);
    // Client width from the visible columns' tags, at least 197, at most the screen.
    void SzelessegBeallit();
    // Opens the query and sets the columns up.
    void QueryNyit();
    // Positions the list on the row equal to Table1's current row.
    void MegkeresQueryben();
    // Positions Table1 on the row equal to the list's current row; false
    // when there is none.
    bool MegkeresTableban();

    // --- State --------------------------------------------------------------
    int Tag(const std::string& field) const;
    const std::vector<std::string>& SqlLines() const { return lines_; }
    // The list's fields, leftmost first (hidden ones included).
    const std::vector<std::string>& ColumnFields() const { return fields_; }
    bool Chosen() const { return chosen_; }
    QString StatusText(int panel) const;
    // Hides the about item.
    void HideAbout();

    // --- Commands -----------------------------------------------------------
    // Fills the comparison items' captions from the first cell and enables them.
    void PopupMenu1Popup();
    void PopupGridClick(QAction* item);
    // A column title was clicked (not at the end of a drag).
    void TitleClick(int column);
    void PopupTitle_EloreClick();
    void DBGrid1ColumnMoved();
    void MNU_Kuldes_FajlbaClick();
    void MNU_Sugo_SugoClick();
    void MNU_Sugo_NevjegyClick();

    // A typed character: the type-ahead of the first column.
    void TypeAhead(QChar c) override;

    std::unique_ptr<db::Table> Table1;
    std::unique_ptr<db::Query> Query1;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* MNU_Kuldes = nullptr;
    QAction* MNU_Kuldes_Nyomtatora = nullptr;
    QAction* MNU_Kuldes_Fajlba = nullptr;
    QMenu* MNU_Sugo = nullptr;
    QAction* MNU_Sugo_Sugo = nullptr;
    QAction* MNU_Sugo_Nevjegy = nullptr;
    QWidget* Panel1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QListWidget* ListBox3 = nullptr;
    QWidget* StatusBar1 = nullptr;
    QLabel* StatusPanel[3] = {};
    QMenu* PopupMenu1 = nullptr;
    QAction* PopupGrid_Nagyobb = nullptr;
    QAction* PopupGrid_NagyobbEgyenlo = nullptr;
    QAction* PopupGrid_Egyenlo = nullptr;
    QAction* PopupGrid_KisebbEgyenlo = nullptr;
    QAction* PopupGrid_Kisebb = nullptr;
    QAction* PopupGrid_NemEgyenlo = nullptr;
    QAction* PopupGrid_EgyenloUres = nullptr;
    QAction* PopupGrid_NemEgyenloUres = nullptr;
    QAction* PopupGrid_SzuroFelt = nullptr;
    QAction* PopupGrid_Osszeg = nullptr;
    QAction* PopupGrid_SzuroFeltTorles = nullptr;
    QAction* PopupGrid_OsszegSzam = nullptr;
    QAction* PopupGrid_OsszegTorles = nullptr;
    QAction* PopupGrid_TeljesSorKijelol = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* PopupTitle_Elore = nullptr;

    static constexpr int kSplitterMinimum = 30;

protected:
    void Search(const QString& text) override;
    void Position() override {}
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Centred on the screen, the grid focused.
    void showEvent(QShowEvent* event) override;

private:
    void AddFilter(const std::string& op, bool withParam);
    void DeleteFilters();
    void CalculateTotals();
    void ShowBottomList();
    void RebuildSelect(const std::vector<std::string>& order);
    void Reopen();
    void OszlopBeallit();
    void UpdatePosition();
    QString Caption(const char* key) const;
    // "Hiba keletkezett. (<code>) :" and the error, with the program's title.
    void ErrorBox(const char* code, const QString& error);
    int DisplayWidth(const db::Field& f) const;

    QChar language_ = u'H';
    bool hasWhere_ = false;
    int titleColumn_ = -1;
    bool dragged_ = false;
    std::string sqlTable_;
    std::vector<int> tags_;  // per field of Table1
    std::vector<std::string> fields_;
    std::vector<std::string> lines_;
    int params_ = 0;
    std::unique_ptr<QObject> wheelFilter_;
};
