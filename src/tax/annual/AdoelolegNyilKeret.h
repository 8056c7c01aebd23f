// What the four pre-filled tax advance declarations share: the parameter
// form (workplace and employee ranges defaulted from the employee table) that
// prints one page per employee of the ranges, leavers included, and the
// layout's page with the employee's name and tax id and a pen for its fixed
// texts, dotted lines and tick boxes.
#pragma once

#include <QString>

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

// A declaration's page: the report over DM1->Query1, one detail band a page
// high per employee.
class AdoelolegNyilLap {
public:
    report::Report QuickRep1;

protected:
    AdoelolegNyilLap(const QString& name, report::Orientation orientation);

    report::Band& Lap() { return *lap_; }
    // The employee's name and tax id of the current row, at (x, y).
    void Nev(double x, double y, double width);
    void Adoaz(double x, double y, double width);

    // Writes down the page from the top; y is the next line's top (mm).
    double y = 0;
    double LapSzel() const;
    // A text at x, as wide as given (0: to the right edge), wrapped over
    // `lines` lines; the next line begins below it.
    report::Control& Sor(const QString& text, double x = 0, int lines = 1, double width = 0);
    // A text at x on the current line, which stays.
    report::Control& Szoveg(const QString& text, double x, double width = 0, int lines = 1);
    // A tick box at x on the current line.
    void Negyzet(double x);
    // `count` tick boxes side by side from x; returns the x after them.
    double Negyzetek(double x, int count);
    // "Kelt:" with the place and date to write in, and at the right a
    // signature line over its caption.
    void KeltAlairas(const QString& alairas);
    // The payer's name and tax number, each a caption at x and a dotted
    // line after it, then the payer's dated "Cégszerű aláírás".
    void Kifizeto(const QString& megnevezes, const QString& adoszam, double x, double captionWidth);
    // Moves down by mm, or by one line.
    void Ures(double mm = -1) { y += mm < 0 ? kSor : mm; }

    double kSor = 4.5;  // one line of the text (9 points)

private:
    report::Band* lap_ = nullptr;
};

// The parameter form of the four; `layout` is the member's page.
class AdoelolegNyilForm : public ListForm {
    Q_OBJECT
protected:
    // `menuItem`: the caption of its item under "Szerviz".
    AdoelolegNyilForm(const char* objectName, const QString& menuItem, QWidget* parent);

    // Family allowance only: the employees whose allowance code takes part.
    bool csakCsaladi_ = false;
    report::Report* layout_ = nullptr;

    void BitBtn1Click() override;
};
