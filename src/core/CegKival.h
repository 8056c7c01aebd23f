// Company selection: the dialog that picks a company from the company table,
// and the switch that points every per-company component of the data module
// at that company's tables, makes its missing optional tables from their
// templates, and tells the main window which menu items it may enable.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// Selects the company: true when it is selected, false after a failure (every
// per-company table name is then cleared and the company items disabled).
bool CegAtallas(const std::string& ccc);

// Makes sure the company's table of the base name exists: true when it exists
// or was copied from the template, false when the template is missing or the
// copy failed ("Nem hozható létre a tábla! #02").
bool TablaSablonbol(const std::string& baseName, const std::string& ccc);

class TCegKivalForm : public QDialog {
    Q_OBJECT
public:
    // Works on DM1->TableCegek, which the caller opens before and closes after.
    explicit TCegKivalForm(QWidget* parent = nullptr);
    ~TCegKivalForm() override;

    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void BitBtnClick(QToolButton* sender);
    void BitBtn5Click();
    void BitBtn6Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* DBEdit1 = nullptr;
    QLabel* DBText1 = nullptr;
    QLabel* DBText2 = nullptr;
    QToolButton* BitBtn1 = nullptr;
    QToolButton* BitBtn2 = nullptr;
    QToolButton* BitBtn3 = nullptr;
    QToolButton* BitBtn4 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QPushButton* BitBtn6 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
