// "Magán-nyugdíjpénztári lista": per private pension fund, what each member
// employee owes for each month of the range (member fee, supplements), built
// into a work table and printed a fund to a page.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/ListaKeret.h"

class TList_MNYPQRForm;

// The fund range "MNYP (F2)" (MaskEdit7, MaskEdit8), defaulting to the first
// and last fund of the payroll rows.
ParamField MnypTartomany();
// The fund range on `field`: a blank bound leaves that side open.
void MnypFeltetel(ListSql& sql, const std::string& field, const QString& tol, const QString& ig);

// The work table "List_MNYP" + the workstation's suffix.
WorkTable MnypTabla(std::optional<std::string> suffix = std::nullopt);

struct MnypParameterek {
    int honapTol = 0, honapIg = 0;
    double datumTol = 0, datumIg = 0;
    QString mhTol, mhIg, khTol, khIg, dgTol, dgIg, mnypTol, mnypIg;
};

// The work table's rows: one per fund, employee and month with items 301,
// 302 or 333. Sums are whole numbers, halves to the even one; the row total
// is a checked 32-bit sum (std::overflow_error).
std::vector<db::Record> MnypSorok(const MnypParameterek& p, const std::function<void(int)>& start,
                                  const std::function<void()>& step);

class TList_MNYPForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_MNYPForm(QWidget* parent = nullptr);
    ~TList_MNYPForm() override;

    MnypParameterek Parameterek() const;
    // Builds the work table; false when it could not (the user was told).
    bool TablaLetrehoz();

    std::unique_ptr<TList_MNYPQRForm> List_MNYPQRForm;

protected:
    void BitBtn1Click() override;
};
