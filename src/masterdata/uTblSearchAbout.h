// The about box of the table search window: a short text and an OK button.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TfrmTblSearchAbout : public QDialog {
    Q_OBJECT
public:
    TfrmTblSearchAbout(QChar language, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
};
