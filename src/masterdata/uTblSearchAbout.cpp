#include "masterdata/uTblSearchAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "masterdata/uTblSearchLanguage.h"

TfrmTblSearchAbout::TfrmTblSearchAbout(QChar language, QWidget* parent) : QDialog(parent) {
    setObjectName("frmTblSearchAbout");
    setWindowTitle(TblSearchCaption("About", language));
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setText(TblSearchCaption("Title", language) + QStringLiteral(" v.: 3.39\n\nTavrina\n") +
                    TblSearchCaption("Rights", language));
    layout->addWidget(Label1);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint());
}
