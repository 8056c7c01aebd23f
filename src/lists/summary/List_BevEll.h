// "Bevallás ellenőrző - Utalandó tételek": the year's tax and contribution
// items month by month, by tax type (the declaration check) and by the tax
// authority's account (the amounts to transfer, for the ticked months). The
// sole trader paid through the payroll counts apart from the employees.
#pragma once

#include <QString>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "core/ListaKeret.h"

class QCheckBox;
class QLabel;
class TList_BevEllQRForm;

// One row of the work table as the fill builds it.
struct BevEllSor {
    QString nev, anem, bankszla, szoveg;
    bool osszegek = false;  // amounts added (a heading or an end row has none)
    std::array<double, 13> osszeg{}, jaralap{}, adoalap{};  // months 1..12, [0] the year
};

WorkTable BevEllTabla(std::optional<std::string> suffix = std::nullopt);

// The thousands of an account row, month by month, so that the printed
// figures always add up to the year to date: v(m) = Kerekit(C(m) / 1000) -
// v(1) - ... - v(m-1), C(m) the amount of months 1 to m; [12] the total.
// Rounding the amount to date (not the month's remainder) keeps an amount
// ending in 500 forints from swinging between +1 and -1 thousand.
std::array<int, 13> EzerForintok(const std::array<double, 12>& honapok);

class TList_BevEllForm : public ListForm {
    Q_OBJECT
public:
    explicit TList_BevEllForm(QWidget* parent = nullptr);
    ~TList_BevEllForm() override;

    std::unique_ptr<TList_BevEllQRForm> List_BevEllQRForm;
    QLabel* Label2 = nullptr;  // the sole trader's name

    // At least one month ticked: the amounts to transfer.
    bool UtalandoMod() const;
    // The months ticked, January first.
    std::array<bool, 12> Honapok() const;

    bool BevEllFeltolt();

protected:
    void BitBtn1Click() override;
    void showEvent(QShowEvent* event) override;

private:
    // The sums of the ranges by month, pay item and employee.
    struct Osszeg {
        double osszeg = 0, jaralap = 0, adoalap = 0;
    };
    using Kulcs = std::pair<QString, QString>;  // BLOKK, SOR

    void EgyeniVallalkozo();
    BevEllSor& Sor(const Kulcs& kulcs, const QString& nev, const QString& anem, const QString& bankszla,
                   const QString& szoveg);
    void BevEllSorOsszegez(const QString& blokk, const QString& sor, const QString& szoveg,
                           const QString& bankszla, const QString& anem, const QString& nev, bool egyeni,
                           const QString& jogcim);
    void BevEllSzhaKedvSor(const QString& blokk, const QString& sor, const QString& szoveg,
                           const QString& bankszla, const QString& anem, const QString& nev);
    void Gyujt();

    std::array<QCheckBox*, 12> cbHo_{};
    bool ownerLooked_ = false;
    // month, pay item, employee -> sums
    std::map<std::tuple<int, QString, QString>, Osszeg> osszegek_;
    std::map<Kulcs, BevEllSor> sorok_;
};
