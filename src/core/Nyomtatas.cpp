#include "core/Nyomtatas.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>
#include <stdexcept>

#include "core/ExportQR.h"
#include "core/MainWindowLink.h"
#include "core/StartValues.h"
#include "core/Varjon.h"
#include "core/helpers/KimenetiMappa.h"
#include "platform/os/DayNumber.h"
#include "platform/os/System.h"
#include "platform/report/Preview.h"
#include "platform/report/Printing.h"
#include "platform/report/Report.h"
#include "platform/ui/Dialogs.h"

namespace {
std::runtime_error Error(const QString& text) { return std::runtime_error(text.toStdString()); }
}  // namespace

QString RiportNevTisztit(const QString& title) {
    QString name = title;
    for (const char* part : {"List_", "QR", "Form"}) {
        int at = name.indexOf(QLatin1String(part));
        if (at >= 0) name.remove(at, int(qstrlen(part)));
    }
    return name;
}

QString PdfFajlNev(const QString& reportTitle, double at) {
    QString name = RiportNevTisztit(reportTitle);
    if (!name.isEmpty()) name += '_';
    return name + QString::fromStdString(os::FormatDateTime(at, "yyyy-MM-dd_hh-mm-ss"));
}

QString PdfMappa(const QString& companyCode) {
    if (companyCode.size() != 3) throw Error("A cég kódja nem elérhető: " + companyCode);
    bool number = false;
    companyCode.toInt(&number);
    if (!number) throw Error("'" + companyCode + "' is not a valid integer value");
    return QString::fromStdString(KimenetiMappa({"PDF", FeldolgozasiEv, companyCode.toStdString()}));
}

TNyomtatasForm::TNyomtatasForm(QWidget* parent)
    : QDialog(parent),
      QRPreview1(new report::Preview(this)),
      Panel1(new QWidget(this)),
      ExportQR1(new TExportQR(this)) {
    setObjectName("NyomtatasForm");
    setWindowTitle("Nyomtatás");
    setMinimumWidth(451);
    // The screen's work area as well: a desktop without a window manager
    // does not maximise, and the page needs the room.
    if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
    setWindowState(Qt::WindowMaximized);
    QRPreview1->setObjectName("QRPreview1");
    Panel1->setObjectName("Panel1");
    ExportQR1->setObjectName("ExportQR1");
    ExportQR1->QRPreview = QRPreview1;

    auto button = [this](const char* name, int tag, const QString& caption, QStyle::StandardPixmap glyph) {
        auto* b = new QPushButton(caption, Panel1);
        b->setObjectName(name);
        b->setProperty("Tag", tag);
        b->setAutoDefault(false);
        if (caption.isEmpty()) {
            b->setIcon(style()->standardIcon(glyph));
            b->setFixedSize(30, 28);  // a picture button keeps its size on a narrow window
        }
        connect(b, &QPushButton::clicked, this, [this, tag] { BitBtnClick(tag); });
        return b;
    };
    BitBtn1 = button("BitBtn1", 1, "Nyomtat", {});
    BitBtn2 = button("BitBtn2", 2, "Kilépés", {});
    BitBtn7 = button("BitBtn7", 3, {}, QStyle::SP_TitleBarMaxButton);
    BitBtn8 = button("BitBtn8", 4, {}, QStyle::SP_FileDialogContentsView);
    BitBtn9 = button("BitBtn9", 5, {}, QStyle::SP_TitleBarShadeButton);
    BitBtn3 = button("BitBtn3", 6, {}, QStyle::SP_MediaSkipBackward);
    BitBtn4 = button("BitBtn4", 7, {}, QStyle::SP_MediaSeekBackward);
    BitBtn5 = button("BitBtn5", 8, {}, QStyle::SP_MediaSeekForward);
    BitBtn6 = button("BitBtn6", 9, {}, QStyle::SP_MediaSkipForward);
    BitBtn10 = button("BitBtn10", 10, "PDF", {});
    Label1 = new QLabel("/", Panel1);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = new QLabel("A lista nem teljes! A felgyűjtés megszakadt.", Panel1);
    Label2->setObjectName("Label2");
    Label2->hide();

    // Left to right: zoom to fit, 100 %, width; first, previous, next, last
    // with the page indicator under them; "Nyomtat" with the notice under it
    // and "PDF"; "Kilépés" at the right edge, 8 pixels from it.
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(8, 4, 8, 4);
    for (QPushButton* b : {BitBtn7, BitBtn8, BitBtn9}) row->addWidget(b, 0, Qt::AlignTop);
    auto* paging = new QVBoxLayout;
    auto* arrows = new QHBoxLayout;
    for (QPushButton* b : {BitBtn3, BitBtn4, BitBtn5, BitBtn6}) arrows->addWidget(b);
    paging->addLayout(arrows);
    paging->addWidget(Label1);
    paging->addStretch();
    row->addLayout(paging);
    auto* print = new QVBoxLayout;
    print->addWidget(BitBtn1);
    print->addWidget(Label2);
    print->addStretch();
    row->addLayout(print);
    row->addWidget(BitBtn10, 0, Qt::AlignTop);
    row->addStretch();
    row->addWidget(BitBtn2, 0, Qt::AlignTop);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Panel1);
    column->addWidget(QRPreview1, 1);

    VarjonForm = new TVarjonForm(this);
    connect(QRPreview1, &report::Preview::PageAvailable, this, &TNyomtatasForm::QRPreview1PageAvailable);
}

TNyomtatasForm::~TNyomtatasForm() {
    if (VarjonForm && VarjonForm->parent() == this) VarjonForm = nullptr;
}

void TNyomtatasForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    QTimer::singleShot(0, this, &TNyomtatasForm::FormShow);
}

void TNyomtatasForm::FormShow() {
    // The pages are produced inside the wait dialog's message loop, so its
    // "Megszakít" stays live; the dialog closes when production ends.
    QTimer::singleShot(0, this, [this] {
        if (!QuickRep) return VarjonForm->Finish();
        QuickRep->PagePrinter().SetYieldToEvents(true);
        try {
            QuickRep->Prepare();
        } catch (...) {
            ProductionError = std::current_exception();
            VarjonForm->Finish();
            BitBtn2->setEnabled(true);
            close();
        }
        QuickRep->PagePrinter().SetYieldToEvents(false);
    });
    ui::ShowModal(*VarjonForm);
}

void TNyomtatasForm::OldalszamKiir() {
    report::PagePrinter* printer = QRPreview1->PagePrinter();
    Label1->setText(QString::number(QRPreview1->PageNumber()) + "/" +
                    QString::number(printer ? printer->PageCount() : 0));
}

void TNyomtatasForm::QRPreview1PageAvailable(int pageCount) {
    OldalszamKiir();
    report::PagePrinter* printer = QRPreview1->PagePrinter();
    if (!printer) return;
    if (printer->Status() == report::PrinterStatus::Busy) {
        if (VarjonForm->MegszakitasJelzo) {
            printer->Cancel();
            Label2->show();
            VarjonForm->Finish();
        } else {
            VarjonForm->Label3->setText(QString::number(pageCount));
            if (!VarjonForm->BitBtn1->isEnabled() && pageCount >= 1) VarjonForm->BitBtn1->setEnabled(true);
        }
    } else {
        VarjonForm->Finish();
        KeyPreview = true;
    }
}

void TNyomtatasForm::PanelGombokAllit(bool enabled) {
    for (QPushButton* b : Panel1->findChildren<QPushButton*>()) b->setEnabled(enabled);
}

void TNyomtatasForm::BitBtnClick(int tag) {
    report::PagePrinter* printer = QRPreview1->PagePrinter();
    int count = printer ? printer->PageCount() : 0;
    switch (tag) {
        case 1:
            PanelGombokAllit(false);
            try {
                if (QuickRep) report::PrintReport(*QuickRep);
            } catch (const std::exception& e) {
                ui::MessageBox("Üzenetkezelő", QString::fromStdString(e.what()), ui::Icon::Error, ui::Ok);
            }
            PanelGombokAllit(true);
            return;
        case 2:
            close();
            return;
        case 3:
            QRPreview1->ZoomToFit();
            return;
        case 4:
            QRPreview1->Zoom100();
            return;
        case 5:
            QRPreview1->ZoomToWidth();
            return;
        case 6:
            QRPreview1->SetPageNumber(1);
            break;
        case 7:
            QRPreview1->SetPageNumber(QRPreview1->PageNumber() - 1);
            break;
        case 8:
            QRPreview1->SetPageNumber(QRPreview1->PageNumber() + 1);
            break;
        case 9:
            QRPreview1->SetPageNumber(count);
            break;
        case 10:
            MentesPdf();
            return;
    }
    OldalszamKiir();
}

void TNyomtatasForm::MentesPdf() {
    PanelGombokAllit(false);
    try {
        QString folder = PdfMappa(SelectedCompanyCode());
        QString name = PdfFajlNev(QuickRep ? QuickRep->ReportTitle : QString(), os::Now());
        // No overwrite question: the exporter appends ".PDF" to the chosen
        // name, so the dialog would ask about another file than it writes.
        QString chosen = ui::SaveFileName("Mentési útvonal és név megadása", folder + name,
                                          "PDF fájlok (*.pdf)", ui::DontConfirmOverwrite);
        if (!chosen.isEmpty() && QuickRep) {
            ExportQR1->QuickRep = QuickRep;
            ExportQR1->ExportReportPdf(chosen, 1, false);
        }
    } catch (const std::exception& e) {
        ui::MessageBox("Üzenetkezelő", QString::fromStdString(e.what()), ui::Icon::Error, ui::Ok);
    }
    PanelGombokAllit(true);
}

void TNyomtatasForm::closeEvent(QCloseEvent* event) {
    if (!BitBtn2->isEnabled()) {
        event->ignore();
        return;
    }
    QRPreview1->SetPagePrinter(nullptr);
    QDialog::closeEvent(event);
}

void TNyomtatasForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (KeyPreview) close();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ShowReportPreview(report::Report& report, const QString& layoutName) {
    auto form = std::make_unique<TNyomtatasForm>();
    form->QRPreview1->SetPagePrinter(&report.PagePrinter());
    form->QuickRep = &report;
    report.ReportTitle = layoutName;
    ui::ShowModal(*form);
    std::exception_ptr error = form->ProductionError;
    form.reset();
    if (error) std::rethrow_exception(error);
}
