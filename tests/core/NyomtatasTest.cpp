// The preview window and its wait dialog, driven headless through the dialog
// hook: the preview's modal loop and the wait dialog's are script steps.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>

#include "core/MainWindowLink.h"
#include "core/Nyomtatas.h"
#include "core/Varjon.h"
#include "platform/os/DayNumber.h"
#include "platform/os/System.h"
#include "platform/report/Preview.h"
#include "platform/report/Report.h"
#include "support/DialogTest.h"
#include "support/TestSupport.h"

namespace {

struct CompanyWindow : MainWindowLink {
    QString code;
    QString CompanyCode() const override { return code; }
    void ShowCompany(const QString&, const QString&, const QString&) override {}
    void EnableCompanyItems(const CompanyTables&) override {}
    void DisableCompanyItems() override {}
};

// A list of `rows` rows, 30 to a page.
struct List {
    report::Report r;
    int row = 0;
    explicit List(int rows) {
        r.AddPageHeader(20).Label(0, 0, 100, "Kifizető hely lista");
        r.AddDetail(8).Computed(0, 0, 100, [this] { return QString("Sor %1").arg(row); });
        r.NeedData = [this, rows] { return ++row <= rows; };
    }
};

void PressEsc(QWidget& w) {
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &esc);
}

class NyomtatasTest : public testsupport::HomeTest {
protected:
    testsupport::ScriptedDialogs dialogs;

    // Shows the preview of `list`; `whileProducing` runs in the wait
    // dialog's loop before production starts, `browse` once it has ended.
    void Preview(List& list, const QString& layout, std::function<void(TNyomtatasForm&)> whileProducing,
                 std::function<void(TNyomtatasForm&)> browse) {
        list.r.OnPreview = [&] { ShowReportPreview(list.r, layout); };
        dialogs.AnswerModal([&](QDialog& d) {
            auto& form = static_cast<TNyomtatasForm&>(d);
            form.show();
            QCoreApplication::processEvents();  // FormShow: the wait dialog below
            browse(form);
            return 0;
        });
        dialogs.AnswerModal([&](QDialog& d) {
            EXPECT_EQ(&d, VarjonForm);
            EXPECT_EQ(d.windowTitle(), "Üzenet");
            auto* form = static_cast<TNyomtatasForm*>(d.parent());
            whileProducing(*form);
            QCoreApplication::processEvents();  // the pages are produced here
            return 0;
        });
        list.r.Preview();
    }
};

}  // namespace

TEST(Nyomtatas, PdfNameFromTheLayoutName) {
    const double at = os::EncodeDate(2019, 5, 31) + os::EncodeTime(14, 3, 22);
    struct Case {
        const char* title;
        const char* name;
    } cases[] = {
        {"List_BerlapQRForm", "Berlap_2019-05-31_14-03-22"},
        {"List_TorzsKifhelyQRForm", "TorzsKifhely_2019-05-31_14-03-22"},
        {"QRForm", "2019-05-31_14-03-22"},  // nothing left: no "_"
        {"", "2019-05-31_14-03-22"},
        {"List_List_QRQR", "List_QR_2019-05-31_14-03-22"},  // only the first of each
    };
    for (const Case& c : cases) EXPECT_EQ(PdfFajlNev(c.title, at), c.name) << c.title;
}

TEST_F(NyomtatasTest, OnePageReportShowsOneOfOneAndEscCloses) {
    List list(5);
    Preview(
        list, "List_TorzsKifhelyQRForm",
        [](TNyomtatasForm& form) {
            EXPECT_FALSE(VarjonForm->BitBtn1->isEnabled());
            EXPECT_FALSE(form.KeyPreview);
        },
        [&](TNyomtatasForm& form) {
            EXPECT_EQ(form.windowTitle(), "Nyomtatás");
            EXPECT_EQ(form.Label1->text(), "1/1");
            EXPECT_TRUE(form.Label2->isHidden());
            EXPECT_TRUE(form.KeyPreview);
            form.BitBtn4->click();  // previous: stays on 1
            form.BitBtn5->click();  // next: stays on 1
            EXPECT_EQ(form.Label1->text(), "1/1");
            // Printing: the range is limited to the one page; while the
            // dialog is open the window cannot be left.
            dialogs.Then([&form](const ui::DialogRequest& request) {
                EXPECT_EQ(request.kind, ui::DialogKind::Print);
                EXPECT_EQ(request.minPage, 1);
                EXPECT_EQ(request.maxPage, 1);
                EXPECT_FALSE(form.BitBtn2->isEnabled());
                return ui::DialogAnswer{ui::Cancel, {}, 0};
            });
            form.BitBtn1->click();
            EXPECT_TRUE(form.BitBtn2->isEnabled());
            // A printer that does not start is an error the user sees, and
            // the window can still be left.
            dialogs.Then([](const ui::DialogRequest& request) {
                request.printer->setOutputFormat(QPrinter::PdfFormat);
                request.printer->setOutputFileName("/nincs/ilyen/mappa/lista.pdf");
                return ui::DialogAnswer{ui::Ok, {}, 0};
            });
            dialogs.Answer(ui::Ok);
            form.BitBtn1->click();
            EXPECT_EQ(dialogs.Shown().back().caption, "Üzenetkezelő");
            EXPECT_TRUE(dialogs.Shown().back().text.startsWith("A nyomtató nem indítható: "));
            EXPECT_TRUE(form.BitBtn2->isEnabled());
            form.resize(300, 400);
            EXPECT_GE(form.width(), 451);
            PressEsc(form);
            EXPECT_FALSE(form.isVisible());
        });
    EXPECT_EQ(list.r.ReportTitle, "List_TorzsKifhelyQRForm");
    EXPECT_EQ(VarjonForm, nullptr);
}

TEST_F(NyomtatasTest, StoppingProductionKeepsThePagesMadeAndEscWaits) {
    List list(3000);
    report::PagePrinter& printer = list.r.PagePrinter();
    Preview(
        list, "List_BerlapQRForm",
        [&](TNyomtatasForm& form) {
            QObject::connect(&printer, &report::PagePrinter::PageAvailable, &form, [&](int n) {
                if (printer.Status() != report::PrinterStatus::Busy) return;
                PressEsc(form);  // still producing: Esc does nothing
                EXPECT_TRUE(form.isVisible());
                // The user stops while page 3 is being made; the preview acts
                // on it when page 3 is reported.
                if (n == 2) {
                    EXPECT_TRUE(VarjonForm->BitBtn1->isEnabled());
                    EXPECT_EQ(VarjonForm->Label3->text(), "2");
                    VarjonForm->BitBtn1->click();
                }
            });
        },
        [&](TNyomtatasForm& form) {
            EXPECT_EQ(printer.PageCount(), 3);
            EXPECT_EQ(printer.Status(), report::PrinterStatus::Finished);
            EXPECT_FALSE(form.Label2->isHidden());
            EXPECT_EQ(form.Label1->text(), "1/3");
            form.BitBtn6->click();  // last page
            EXPECT_EQ(form.Label1->text(), "3/3");
            EXPECT_EQ(form.QRPreview1->PageNumber(), 3);
            form.BitBtn2->click();
        });
}

TEST_F(NyomtatasTest, PdfWithoutCompanyShowsTheMessageAndWritesNothing) {
    List list(5);
    Preview(
        list, "List_TorzsKifhelyQRForm", [](TNyomtatasForm&) {},
        [&](TNyomtatasForm& form) {
            dialogs.Answer(ui::Ok);
            form.BitBtn10->click();
        });
    EXPECT_EQ(dialogs.Caption(2), "Üzenetkezelő");  // after the preview and the wait dialog
    EXPECT_EQ(dialogs.Text(2), "A cég kódja nem elérhető: ");
    EXPECT_FALSE(QDir(QString::fromStdString(os::BaseFolder() + "/PDF")).exists());
}

TEST_F(NyomtatasTest, PdfGoesToTheYearAndCompanyFolder) {
    CompanyWindow window;
    window.code = "007";
    SetMainWindow(&window);
    List list(40);
    const os::FixedClock clock(os::EncodeDate(2019, 5, 31) + os::EncodeTime(9, 5, 0));
    QString folder = QString::fromStdString(os::BaseFolder()) + "/PDF/2019/007/";
    auto saveAs = [&](const ui::DialogRequest& request) {
        EXPECT_EQ(request.kind, ui::DialogKind::SaveFile);
        EXPECT_EQ(request.caption, "Mentési útvonal és név megadása");
        EXPECT_EQ(request.value, folder + "TorzsKifhely_2019-05-31_09-05-00");
        EXPECT_EQ(request.filter, "PDF fájlok (*.pdf)");
        // The exporter appends ".PDF": a question about the chosen name
        // would be about another file, so the dialog asks none.
        EXPECT_TRUE(request.fileOptions & ui::DontConfirmOverwrite);
        ui::DialogAnswer a;
        a.button = ui::Ok;
        a.text = folder + "lista";
        return a;
    };
    Preview(
        list, "List_TorzsKifhelyQRForm", [](TNyomtatasForm&) {},
        [&](TNyomtatasForm& form) {
            dialogs.Then(saveAs);
            form.BitBtn10->click();
            EXPECT_TRUE(form.BitBtn10->isEnabled());  // enabled again after the export
        });
    SetMainWindow(nullptr);
    std::string out;
    EXPECT_EQ(testsupport::RunCommand("qpdf --check '" + (folder + "lista.PDF").toStdString() + "'", &out), 0)
        << out;

    // A code that is not a whole number, a level that cannot be made.
    EXPECT_THROW(PdfMappa("A01"), std::runtime_error);
    QDir().mkpath(QString::fromStdString(os::BaseFolder()) + "/PDF");
    QFile blocker(QString::fromStdString(os::BaseFolder()) + "/PDF/2019");
    ASSERT_TRUE(QDir(QString::fromStdString(os::BaseFolder()) + "/PDF/2019").removeRecursively());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        PdfMappa("007");
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), os::BaseFolder() + "/PDF/2019 mappa nem hozható létre.");
    }
}

TEST_F(NyomtatasTest, AnErrorWhileProducingClosesThePreviewAndReachesTheCaller) {
    List list(100);
    list.r.Detail()->BeforePrint = [&](bool&) {
        if (list.row == 40) throw std::runtime_error("Hibás sor");
    };
    EXPECT_THROW(Preview(
                     list, "List_KifizQRForm", [](TNyomtatasForm&) {},
                     [](TNyomtatasForm& form) { EXPECT_FALSE(form.isVisible()); }),
                 std::runtime_error);
    EXPECT_EQ(VarjonForm, nullptr);
}
