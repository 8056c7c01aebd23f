#include "datasupply/List_PenztarAdatszQR.h"

#include "core/DataModule1.h"
#include "core/Nyomtatas.h"
#include "platform/db/Table.h"

namespace {

constexpr double kErtek = 75;  // mm: where the values start

QString Mezo(const char* field) {
    const db::Field& f = DM1->Table1->FieldByName(field);
    return f.IsNull() ? QString() : QString::fromStdString(f.AsString());
}

}  // namespace

TList_PenztarAdatszQRForm::TList_PenztarAdatszQRForm()
    : QuickRep1(QStringLiteral("List_PenztarAdatszQRForm")) {
    QuickRep1.DataSet = DM1->Table1;
    QuickRep1.BeforePrint = [](bool&) { LocateCompany(); };
    QuickRep1.OnPreview = [this] {
        ShowReportPreview(QuickRep1, QStringLiteral("List_PenztarAdatszQRForm"));
    };

    auto& header = QuickRep1.AddPageHeader(40);
    QRBand1 = AddListHeader(
        header, QStringLiteral("A foglalkoztatók adatszolgáltatása a pénztártagok pénztárválasztásáról"));
    QRBand1.Title->Size(11);
    header.Height = QRBand1.bottom + 2;

    auto& d = QuickRep1.AddDetail(230);
    d.ForceNewPage = true;
    double y = 2;
    auto cim = [&](const QString& text) {
        d.Label(0, y, 100, text).Bold();
        y += 7;
    };
    auto sor = [&](const QString& caption, const char* field) {
        d.Label(5, y, kErtek - 5, caption);
        d.Computed(kErtek, y, 190 - kErtek, [field] { return Mezo(field); });
        y += 6;
    };
    auto folytatas = [&](const char* field) {
        d.Computed(kErtek, y, 190 - kErtek, [field] { return Mezo(field); });
        y += 6;
    };
    cim(QStringLiteral("Foglalkoztató"));
    sor(QStringLiteral("1. Megnevezése :"), "01_CEGNEV");
    sor(QStringLiteral("2. Adóazonosítója :"), "02_CEGADOAZON");
    sor(QStringLiteral("3. KSH száma :"), "03_CEGKSH");
    sor(QStringLiteral("4. Címe :"), "04_CEGIRSZ");
    folytatas("04_CEGTELEPULES");
    folytatas("04_CEGUTCA");
    sor(QStringLiteral("5. Az adatszolgáltató neve :"), "05_CEGADATSZNEV");
    sor(QStringLiteral("6. Telefonszáma :"), "06_CEGADATSZTEL");
    sor(QStringLiteral("7. Az adatszolgáltatás típusa :"), "07_ADATSZTIP");
    d.HLine(0, y, 190);
    y += 3;
    cim(QStringLiteral("Pénztártag"));
    sor(QStringLiteral("8 .Neve :"), "08_DOLGNEV");
    sor(QStringLiteral("9. Anyja neve :"), "09_ANYJANEV");
    sor(QStringLiteral("10 .TAJ száma :"), "10_TAJSZ");
    sor(QStringLiteral("11. Útlevélszáma :"), "11_UTLEVELSZ");
    sor(QStringLiteral("12. Születési ideje :"), "12_SZULDAT");
    sor(QStringLiteral("13. Születési helye :"), "13_SZULHELY");
    sor(QStringLiteral("14. Neme :"), "14_NEME");
    sor(QStringLiteral("15. Állampolgársága :"), "15_ALLAMP");
    sor(QStringLiteral("16. Lakcíme :"), "16_IRSZ");
    folytatas("16_TELEPULES");
    // The street line: the address parts joined by single blanks.
    d.Computed(kErtek, y, 190 - kErtek, [] {
        QStringList parts;
        for (const char* f :
             {"16_KOZTER", "16_KOZTERJEL", "16_HAZSZ", "16_EPULET", "16_LEPCSOHAZ", "16_EMELET", "16_AJTO"})
            parts << Mezo(f).trimmed();
        return parts.join(u' ');
    });
    y += 6;
    sor(QStringLiteral("17. Pénztártagság kezdete :"), "17_MNYPBEDAT");
    d.Label(5, y, kErtek - 5, QStringLiteral("18. Jogcímkód :"));
    d.Computed(kErtek, y, 60, [] { return Mezo("18_JOGCIMKOD") + QStringLiteral(".........."); });
    y += 6;
    sor(QStringLiteral("19. Pénztár neve :"), "19_MNYPNEV");
    sor(QStringLiteral("20. Pénztár kódja :"), "20_MNYP");
    d.HLine(0, y, 190);
    y += 14;
    d.Label(5, y, 100, QStringLiteral("Kelt : ............................................."));
    y += 14;
    d.Label(20, y, 20, QStringLiteral("P.H."));
    d.Label(120, y, 60, QStringLiteral("..................................."), report::Align::Center);
    d.Label(120, y + 5, 60, QStringLiteral("cégszerű aláírás"), report::Align::Center);
    d.Height = y + 12;
}
