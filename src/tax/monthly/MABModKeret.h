// The frame both declaration editors share: a box of the header's key above
// a page per table, the buttons of the maintenance forms (dispatched by tag),
// the browsing and typing modes, the keys, the date checks, the row captions
// from table MAB and the pages built from the tables' cell lists.
//
// The modes, buttons and keys are the record frame's (core/RecordForm.h);
// Listázás is hidden, and Felvitel and Módosít work only while enabled.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "core/RecordForm.h"
#include "platform/db/Table.h"

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QScrollArea;
class QTabWidget;
class TDBDateEdit;
class TDBEdit;

class TMABModKeret : public RecordForm {
    Q_OBJECT
public:
    // A header field on a page of its own: the field and the caption beside it.
    struct FejMezo {
        const char* field;
        const char* caption;
    };

    // Codes: 0 append, 1 edit, 2 post, 3 cancel, 4 delete, 5 first, 6 last,
    // 7 next, 8 prior, 9 back 10, 10 forward 10, 11 whether the table is
    // empty (the only result). The active page's table; a member widens it.
    virtual bool TablakMuvelet(int kod);
    // Captions of the labels whose hint names a field of table MAB.
    void SorFeliratok();

    // The input of `field` on page `lap` (its object name is the field's),
    // or on the header box with lap -1; nullptr when there is none.
    QWidget* Bemenet(int lap, const QString& field) const;
    // The data-module table the active page names in its hint.
    db::Table* AktivTabla() const;

    QGroupBox* GroupBox1 = nullptr;  // "Fej adatok"
    QGroupBox* GroupBox2 = nullptr;  // "<page> parancsok"
    QTabWidget* PageControl1 = nullptr;
    QLabel* LabelHint = nullptr;
    // The period's two edits: IG earlier than TOL is refused.
    TDBDateEdit* TolEdit = nullptr;
    TDBDateEdit* IgEdit = nullptr;

protected:
    explicit TMABModKeret(QWidget* parent = nullptr);

    // One page: its table's component name (the hint), the source its inputs
    // are bound to and its inputs in Enter order.
    struct Lap {
        QWidget* tab = nullptr;
        std::string hint;
        db::Table* table = nullptr;
        std::vector<QWidget*> inputs;
    };
    const std::vector<Lap>& Lapok() const { return lapok_; }
    int AktivLap() const;

    // Adds a page of `table` (shown) whose hint names `hint`.
    int UjLap(const QString& caption, db::Table* table, const std::string& hint);
    // The header fields in two columns of caption and input.
    void FejMezok(int lap, const std::vector<FejMezo>& mezok);
    // The cells and page fields of the table's layout: the page fields first,
    // then a row per cell row (its caption, hint MAB_SOR and the row as tag,
    // then an input per column); `feliratok` false keeps the captions fixed.
    void CellaMezok(int lap, bool feliratok);
    // Inputs of the key box, bound to `table`.
    QWidget* KulcsBemenet(QGridLayout* grid, int row, int column, const char* caption, db::Table* table,
                          const char* field);

    // The input fitting the field of `table`: a date edit, a drop-down list of
    // fixed values, or an edit limited to its length (upper case where the
    // declaration wants it). Registered for the keys and changes.
    QWidget* MezoBemenet(QWidget* parent, db::Table* table, const std::string& field);
    void Regisztral(QWidget* input);
    // Fixed values of a drop-down input of the field; empty for other inputs.
    virtual std::vector<QString> Ertekek(db::Table* table, const std::string& field) const;
    virtual bool Nagybetus(db::Table* table, const std::string& field) const;
    // The stored width of a text field (0 for other fields).
    static int Meret(const db::Table* table, const std::string& field);

    // Every field of the tables must be of a kind the editor handles; the
    // others are named once each.
    void MezoTipusEllenorzes(const std::vector<db::Table*>& tablak);
    // The date-edit mask of every date field of the tables.
    static void DatumMaszk(const std::vector<db::Table*>& tablak);

    // States. Browsing: the navigation enabled, Módosít and Törlés while the
    // active table has a record. Editing: only Mégsem (and Rögzítés once it may).
    virtual void Bongeszes();
    virtual void Szerkesztes();
    void RekordGombok();
    virtual bool FelvitelEngedelyezett() const { return true; }

    // After a navigation, a filter change and a delete.
    virtual void Frissites() {}
    // Enter on an input while typing goes to the next input: from the last
    // input of the key box to the header page, from the last of a page to
    // LapVege (Rögzítés when it is enabled).
    void EnterKey(QWidget* input) override;
    virtual void LapVege(int lap);
    // The inputs of the key box, in Enter order.
    void Kulcsok(std::vector<QWidget*> kulcsok) { kulcsok_ = std::move(kulcsok); }
    const std::vector<QWidget*>& Kulcsok() const { return kulcsok_; }
    // An input was left (after its value went into its field).
    virtual void BemenetElhagyas(QWidget*) {}

    // The date checks on leaving a date edit.
    void DBDateEditExit(TDBDateEdit* edit);

    // The edit mask of each field of `table`, and its caption where one is given.
    struct MezoMaszk {
        const char* field;
        const char* mask;
        const char* label;
    };
    static void Maszkok(db::Table& table, const std::vector<MezoMaszk>& mezok);
    // The saving question of the typed record (inserted or changed); No
    // cancels the typing and gives false.
    bool RogzitesKerdes();
    // Mégsem on the tables: the typed record is dropped, after an insert the
    // first record is the current one; browsing mode.
    void TablakElvetese();

    // The field values of the current record, and putting them back.
    static std::vector<db::Variant> Ertekei(db::Table& t);
    static void Visszair(db::Table& t, const std::vector<db::Variant>& ertekek);

    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Browsing steps go through TablakMuvelet, then Frissites.
    void MoveRecord(RecordMove move) override;
    QString ExitQuestion() const override;
    bool IsInput(const QObject* watched) const override;

    QGridLayout* fejGrid_ = nullptr;  // in GroupBox1

private:
    QScrollArea* LapTerulet(int lap) const;
    std::vector<Lap> lapok_;
    std::vector<QWidget*> inputs_;  // every registered input
    std::vector<QWidget*> kulcsok_;
};
