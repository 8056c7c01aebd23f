#include "tax/annual/List_K32QR.h"

#include <string>

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "platform/db/Query.h"
#include "platform/ui/QtString.h"
#include "tax/annual/List_K30QR.h"

namespace {

using report::Align;

QString Mezo(const std::string& field) { return Q(DM1->Query1->FieldByName(field).AsString()); }

// A section's table: its heads and, per row n, the fields numbered n; the
// first two make the period "from - to".
struct Szakasz {
    const char* szam;
    std::vector<const char*> fejek;
    std::vector<const char*> mezok;
    int sorok;
};

// clang-format off
const Szakasz kSzakaszok[] = {
    {"II.",  {"Biztosít. idő", "MNYP", "NYJ alap", "NYJ", "EBJ alap", "EBJ", "Elmarad"},
             {"BIZTTOL", "BIZTIG", "MNYPTAG", "NYJALAP", "NYJ", "EBJALAP", "EBJ", "ELMARAD"}, 3},
    {"III.", {"Nem  tárgyévi kif.", "MNYP", "NYJ alap", "NYJ", "EBJ alap", "EBJ", "Elmarad"},
             {"NTTOL", "NTIG", "NTMNYP", "NTNYALAP", "NTNYJ", "NTEBALAP", "NTEBJ", "NTELM"}, 2},
    {"IV.",  {"GYES, GYED", "MNYP", "NYJ alap", "NYJ", "Elmarad"},
             {"GYESTOL", "GYESIG", "GYMNYPTAG", "GYNYALAP", "GYNYJ", "GYELOK"}, 2},
};
// clang-format on

constexpr double kSorMagas = 5;
// The period column, then the others.
constexpr double kIdoszakSzel = 44;
constexpr double kOszlopSzel = 18;

std::string K32(const std::string& name, int n) { return "K32_" + name + std::to_string(n); }

}  // namespace

TList_K32QRForm::TList_K32QRForm() : QuickRep1(QStringLiteral("List_K32QRForm")) {
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_K32QRForm")); };

    QRBand2 = &QuickRep1.AddPageHeader(0);
    QRBand2->Name = "QRBand2";
    double y = K30Fejlec(*QRBand2);
    QRBand2->Memo(0, y, 190, 10).Named("QRMemo1").Bold().Lines = {
        QStringLiteral("K32/2004"),
        QStringLiteral("A munkáltató adatszolgáltatása a magánszemélyektöl 2004. évben levont járulékokról")};
    QRBand2->Height = y + 12;

    auto& d = QuickRep1.AddDetail(0);
    QRBand1 = &d;
    d.Name = "QRBand1";
    d.ForceNewPage = true;
    y = 2;
    auto ertek = [&d](double x, double y, double w, const std::string& field) {
        d.Computed(
             x, y, w, [field] { return Mezo(field); }, Align::Right)
            .Size(8)
            .Named(Q(field));
    };
    d.Label(0, y, 10, QStringLiteral("I.")).Size(8).Bold();
    d.Label(10, y, 8, QStringLiteral("1.")).Size(8);
    d.Label(18, y, 130, QStringLiteral("A járulékköteles jövedelem teljes összege:")).Size(8);
    ertek(150, y, 30, "K32_JARKOTJOV");
    y += kSorMagas;
    d.Label(10, y, 8, QStringLiteral("2.")).Size(8);
    d.Label(18, y, 130, QStringLiteral("A foglalkoztatott által fizetendő nyugdíjjárulék éves felső határa:"))
        .Size(8);
    ertek(150, y, 30, "K32_FELSOHATAR");
    y += kSorMagas + 3;

    for (const Szakasz& s : kSzakaszok) {
        d.Label(0, y, 10, s.szam).Size(8).Bold();
        double x = 18;
        for (size_t i = 0; i < s.fejek.size(); ++i) {
            const double w = i == 0 ? kIdoszakSzel : kOszlopSzel;
            d.Label(x, y, w, s.fejek[i], i == 0 ? Align::Center : Align::Right).Size(7).Bold();
            x += w + 2;
        }
        y += kSorMagas;
        for (int n = 1; n <= s.sorok; ++n) {
            d.Label(10, y, 8, QString::number(n) + ".").Size(8);
            const std::string tol = K32(s.mezok[0], n), ig = K32(s.mezok[1], n);
            d.Computed(18, y, kIdoszakSzel,
                       [tol, ig] {
                           const QString a = Mezo(tol), b = Mezo(ig);
                           return a.isEmpty() && b.isEmpty() ? QString() : a + " - " + b;
                       })
                .Size(8)
                .Named(Q(tol));
            x = 18 + kIdoszakSzel + 2;
            for (size_t i = 2; i < s.mezok.size(); ++i) {
                ertek(x, y, kOszlopSzel, K32(s.mezok[i], n));
                x += kOszlopSzel + 2;
            }
            y += kSorMagas;
        }
        y += 3;
    }

    d.Label(0, y, 10, QStringLiteral("V.")).Size(8).Bold();
    d.Label(18, y, 170, QStringLiteral("A járulékfizetési kötelezettség alól mentes időtartamok:")).Size(8);
    y += kSorMagas;
    // The odd periods on the first line, the even ones on the second.
    for (int n = 1; n <= 10; ++n) {
        const double x = 10 + ((n - 1) / 2) * 36;
        const double line = y + ((n - 1) % 2) * kSorMagas;
        d.Label(x, line, 6, QString::number(n) + ")").Size(7);
        const std::string tol = K32("KIESTOL", n), ig = K32("KIESIG", n);
        d.Computed(x + 6, line, 30,
                   [tol, ig] {
                       const QString a = Mezo(tol), b = Mezo(ig);
                       return a.isEmpty() && b.isEmpty() ? QString() : a + "-" + b;
                   })
            .Size(6)
            .Named(Q(tol));
    }
    d.Height = y + 2 * kSorMagas + 2;
}

void TList_K32QRForm::QuickRep1BeforePrint() {
    DM1->Query1->First();
    LocateCompany();
}
