// The help window of the table search window: a fixed-size dialog with the
// list's menu, keys and mouse use described in a read-only memo.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TfrmTblSearchHelp : public QDialog {
    Q_OBJECT
public:
    TfrmTblSearchHelp(QChar language, QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;
};
