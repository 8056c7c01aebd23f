#include "tax/annual/List_NyilatQR.h"

#include "core/DataModule1.h"
#include "core/ListaKeret.h"
#include "core/Nyomtatas.h"
#include "core/StartValues.h"
#include "platform/db/Table.h"
#include "platform/ui/QtString.h"

namespace {

using report::Align;

const QString kAlairas = QStringLiteral("...................................");

}  // namespace

TList_NyilatQRForm::TList_NyilatQRForm() : QuickRep1(QStringLiteral("List_NyilatQRForm")) {
    QuickRep1.DataSet = &Query1;
    QuickRep1.Font.size = 9;
    QuickRep1.FirstPageHeader = true;
    QuickRep1.LastPageFooter = true;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    QuickRep1.OnPreview = [this] { ShowReportPreview(QuickRep1, QStringLiteral("List_NyilatQRForm")); };
    const double w = 190;

    // The page header: the current employee's and the employer's data.
    auto& header = QuickRep1.AddPageHeader(100);
    header
        .Memo(0, 0, w, 14,
              QStringLiteral("Nyilatkozat\nA 2016. évi személyi jövedelemadó munkáltató (társas vállalkozás) "
                             "által történő megállapítás kérésére, vagy arról, hogy a magánszemély nem kér "
                             "megállapítást"))
        .Bold()
        .Alignment = Align::Center;
    double y = 16;
    header.Label(0, y, 60, QStringLiteral("A dolgozó")).Bold();
    y += 5;
    auto dolgozo = [&](const QString& caption, std::function<QString()> value) {
        header.Label(5, y, 40, caption);
        header.Computed(45, y, w - 45, std::move(value));
        y += 4.5;
    };
    auto mezo = [this](const char* field) {
        return [this, field] { return report::FieldText(Query1, QString::fromUtf8(field)); };
    };
    dolgozo(QStringLiteral("neve :"), mezo("DG_NEV"));
    dolgozo(QStringLiteral("törzsszáma :"), mezo("DG_TORZSSZAM"));
    dolgozo(QStringLiteral("születési neve :"), mezo("DG_LEANYKNEV"));
    dolgozo(QStringLiteral("anyja neve :"), mezo("DG_ANYJANEV"));
    dolgozo(QStringLiteral("adóazonosító jele :"), mezo("DG_ADOAZ"));
    dolgozo(QStringLiteral("születési ideje :"), mezo("DG_SZULDAT"));
    dolgozo(QStringLiteral("születési helye :"), mezo("DG_SZULHELY"));
    dolgozo(QStringLiteral("címe :"), [this] {
        return Q(Query1.FieldByName("DG_VAROS").AsString()) + "   " +
               CimOsszefuz(Query1,
                           {"DG_KOZTER", "DG_KOZTERJEL", "DG_HAZSZ", "DG_EPULET", "DG_EMELET", "DG_AJTO"}) +
               "   " + Q(Query1.FieldByName("DG_IRSZ").AsString());
    });
    y += 2;
    header.Label(0, y, 60, QStringLiteral("A munkáltató")).Bold();
    y += 5;
    dolgozo(QStringLiteral("neve :"), [] { return Q(DM1->TableCegek->FieldByName("CG_NEV").AsString()); });
    dolgozo(QStringLiteral("címe :"), [] {
        return CimOsszefuz(*DM1->TableCegek, {"CG_IRSZ", "CG_VAROS", "CG_KOZTER", "CG_KOZTERJEL", "CG_HAZSZ",
                                              "CG_EPULET", "CG_LEPCSOHAZ", "CG_EMELET", "CG_AJTO"});
    });
    dolgozo(QStringLiteral("adószáma :"),
            [] { return Q(DM1->TableCegek->FieldByName("CG_ADOSZAM").AsString()); });
    y += 2;
    header
        .Memo(
            0, y, w, 40,
            QStringLiteral(
                "Figyelem: Ha a 2016. év végén a magánszemélynek felróható okból keletkezik 10 ezer forintot "
                "meghaladó befizetendő adókülönbözete /pl.: az adóévben a munkáltatónak  a  fennálló  "
                "körülmények  ellenére  családi  kedvezmény, adókedvezmény érvényesítését jogalap nélkül "
                "kérte/,  akkor nem kérheti a munkáltatói adómegállapítást,  mert  a fizetendő emelt összegű "
                "adó miatt 16SZJA bevallást kell benyújtania, vagy részére a NAV adóbevallási tervezetet "
                "készít. 16SZJA bevallást kell benyújtania továbbá az egyéni vállalkozónak is, kivéve a "
                "tevékenységét az adóév egészében szüneteltető egyéni vállalkozót.\n"
                "Nem  kérheti  a munkáltatói adómegállapítást az a magánszemély sem,  aki a családi "
                "járulékkedvezmény havi vagy negyedéves összegét úgy érvényesítette, hogy arra nem volt "
                "jogosult, és így befizetési kötelezettsége keletkezett.\n"
                "Felhívjuk a figyelmet, hogy a fenti felsorolás nem teljeskörű."))
        .Size(8);
    header.Height = y + 41;

    // The two declarations, a page per employee.
    auto& detail = QuickRep1.AddDetail(110);
    detail.ForceNewPage = true;
    auto datumSor = [this](report::Band& band, double x, double yy) {
        band.Computed(x, yy, 90, [this] { return datum_; });
    };
    auto alairas = [&detail](double yy, const QString& caption) {
        detail.Label(110, yy, 80, kAlairas, Align::Center);
        detail.Label(110, yy + 4.5, 80, caption, Align::Center);
    };
    y = 2;
    detail.Rectangle(0, y, w, 52);
    detail
        .Memo(2, y + 2, w - 4, 9,
              QStringLiteral("16NY29\nNyilatkozat a személyi jövedelemadó munkáltató által történő "
                             "megállapításához"))
        .Bold()
        .Alignment = Align::Center;
    detail.Memo(
        2, y + 12, w - 4, 26,
        QStringLiteral("Kijelentem, hogy 2016. évben csak olyan jövedelmem volt, amelyre nézve kérhetem "
                       "a munkáltatómat /társaságomat/ a személyi jövedelemadóm megállapítására és ezzel "
                       "összefüggő elszámolásra.\n"
                       "Az ehhez szükséges igazolásokat,  nyilatkozatokat - amennyiben munkáltatóm "
                       "/társaságom/ vállalja az adómegállapítást - 2017. március 20-áig részére  átadom.  "
                       "Tudomásul  veszem,  hogy a 2016. évre vonatkozó adóbevallási kötelezettségem más "
                       "módon nem teljesítem.\n"
                       "\n"
                       "A  nyilatkozat a BEVALLÁSSAL egyenértékű."));
    datumSor(detail, 4, y + 42);
    alairas(y + 40, QStringLiteral("A munkavállaló aláírása"));
    y += 56;
    detail.Rectangle(0, y, w, 40);
    detail.Memo(2, y + 2, w - 4, 5, QStringLiteral("16NY30 ")).Bold().Alignment = Align::Center;
    detail.Memo(2, y + 9, w - 4, 14,
                QStringLiteral("Kijelentem, hogy nem kérem a 2016. évi jövedelmeim utáni munkáltatói (az "
                               "adóbevallással egyenértékű) adómegállapítást."));
    datumSor(detail, 4, y + 30);
    alairas(y + 28, QStringLiteral("A munkavállaló aláírása"));
    y += 42;
    detail.Label(0, y, w, QStringLiteral("* A nyilatkozatok közül csak az egyik írható alá!")).Bold();
    detail.Height = y + 6;

    // The receipt.
    auto& footer = QuickRep1.AddPageFooter(30);
    footer.Label(0, 2, 80, QStringLiteral("A nyilatkozatot átvettem :"));
    datumSor(footer, 0, 8);
    footer.Label(110, 8, 80, kAlairas, Align::Center);
    footer.Label(110, 12.5, 80, QStringLiteral("A munkáltató aláírása"), Align::Center);
    footer.Computed(0, 20, w, [this] { return megorzes_; }).Wrap().Height = 9;
}

void TList_NyilatQRForm::QuickRep1BeforePrint() {
    Query1.First();
    LocateCompany();
    const int ev = std::stoi(FeldolgozasiEv);
    datum_ = QStringLiteral("......................... ") + QString::number(ev + 1) +
             QStringLiteral(". ............hó ......nap");
    megorzes_ = QStringLiteral(
                    "A munkáltató által aláírt, az átvételt igazoló másolati példányt a magánszemélynek ") +
                QString::number(ev + 6) + QStringLiteral(". december 31-éig kell megőriznie.");
}
