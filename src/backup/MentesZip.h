// The backup form: saves the year's data folder into one zip archive and
// restores one company's tables, every company's tables or the whole folder
// from such an archive. The archive work itself is in DataFolderBackup.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "backup/zip/Zipper.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QWidget;

// The name check of a chosen backup file (no folder): "(#03)" box for a wrong
// length; false for any other difference from alias + "_yy-mm-dd_hh-nn-ss.zip".
bool FajlnevEllenoriz(const std::string& fileName);

class TMentesZipForm : public QDialog {
    Q_OBJECT
public:
    explicit TMentesZipForm(QWidget* parent = nullptr);
    ~TMentesZipForm() override;

    void BitBtnClick(QPushButton* sender);
    void BitBtn5Click();
    void MaskEdit1Exit();
    void MaskEdit1KeyDown(int key);
    void MaskEdit1Click();
    void Frissit();
    void MentesZipbe(const std::string& fileName);
    void Visszatoltes(const std::string& fileName, bool full);
    void Zipper1GetNextDisk(int nextDisk, std::string& fileName);

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;  // the company register's damage, when it cannot be opened
    QLineEdit* MaskEdit1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    TZipper Zipper1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormClose();
    void SetControlsEnabled(bool enabled);
    // The restore's question, open dialog and name check; the chosen path or "".
    std::string ChooseArchive(const QString& question);

    bool closed_ = false;
};
