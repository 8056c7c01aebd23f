// The preview window every printed list and certificate is shown in: pages
// and zooms the report, prints it and saves it as PDF into the year's and
// company's folder. The wait dialog stands in front while pages are produced.
#pragma once

#include <QDialog>
#include <exception>

class QLabel;
class QPushButton;
class TExportQR;

namespace report {
class Preview;
class Report;
}  // namespace report

class TNyomtatasForm : public QDialog {
    Q_OBJECT
public:
    explicit TNyomtatasForm(QWidget* parent = nullptr);  // FormCreate
    ~TNyomtatasForm() override;

    report::Preview* QRPreview1;
    QWidget* Panel1;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4, *BitBtn5, *BitBtn6, *BitBtn7, *BitBtn8, *BitBtn9,
        *BitBtn10;
    QLabel* Label1;  // page indicator "n/m"
    QLabel* Label2;  // the incomplete-list notice
    TExportQR* ExportQR1;
    report::Report* QuickRep = nullptr;  // the report shown, set by the caller
    bool KeyPreview = false;             // Esc reaches the window once production ended
    std::exception_ptr ProductionError;  // an error of the report's events while producing

    // Shows the wait dialog modally and produces the report's pages inside it.
    void FormShow();
    void OldalszamKiir();
    void PanelGombokAllit(bool enabled);
    void BitBtnClick(int tag);
    void QRPreview1PageAvailable(int pageCount);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;   // FormCloseQuery, FormClose
    void keyPressEvent(QKeyEvent* event) override;  // FormKeyDown

private:
    void MentesPdf();
    bool shown_ = false;
};

// What a layout's preview event does: the preview window for `report`,
// titled with the layout form's name, shown modally and freed when closed.
// An error of the report's events while producing is passed on afterwards.
void ShowReportPreview(report::Report& report, const QString& layoutName);

// Report title to the base of a PDF file name: the first "List_", then "QR",
// then "Form" removed.
QString RiportNevTisztit(const QString& title);

// The proposed PDF name: the cleaned title, "_" when not empty, and the date
// and time `at` (a day number) as yyyy-mm-dd_hh-nn-ss.
QString PdfFajlNev(const QString& reportTitle, double at);

// The company's PDF folder "<base>/PDF/<year>/<code>/", each level created on
// demand. Throws std::runtime_error with the user's message: a code that is
// not three characters or not a whole number, a level that cannot be created.
QString PdfMappa(const QString& companyCode);
