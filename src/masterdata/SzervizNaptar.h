// The working-day calendar of the processing year, shared by every company:
// a grid of the days with the base value from the weekday and the value in
// each of the nine work schedules ("0" rest day, "1" working day, "2" paid
// holiday). The form rebuilds the year, copies the base value into the
// schedules, lets single days be changed, and on leaving keeps everything or
// puts back the calendar as it was when the form opened.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TMemoryData;
namespace db {
class Dataset;
class Table;
}  // namespace db
namespace ui {
class DatasetGrid;
}

// Deletes every day of the calendar and appends the days of `year` with the
// weekday's base value in every schedule. The bar, when given, counts the
// deleted and then the appended rows. Errors reach the caller, the rows
// written so far stay.
void NaptarUjraepit(db::Dataset& naptar, int year, QProgressBar* bar = nullptr);
// Writes every day's base value into its nine schedules.
void NaptarFeltolt(db::Dataset& naptar, QProgressBar* bar = nullptr);
// Puts back the calendar saved in `snapshot`, row by row, in one transaction:
// after an error the calendar is as it was before the call.
void NaptarVisszaallit(db::Table& naptar, TMemoryData& snapshot);

class TSzervizNaptarForm : public QDialog {
    Q_OBJECT
public:
    explicit TSzervizNaptarForm(QWidget* parent = nullptr);
    ~TSzervizNaptarForm() override;

    // Törlés: rebuilds the year of the year edit.
    void BitBtn1Click();
    // Kilépés.
    void BitBtn2Click();
    // Feltöltés: the base value into every schedule.
    void BitBtn3Click();
    void MaskEdit1Change();

    QLabel* Label1 = nullptr;
    QLineEdit* MaskEdit1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label2 = nullptr;  // "Munkarend" above the schedules
    ui::DatasetGrid* DBGrid1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    // Asks whether to keep the changes; false when the calendar could not be
    // put back (the form stays open, the snapshot kept).
    bool FormClose();
    void AttachInsertGuard(bool on);

    bool closed_ = false;
};
