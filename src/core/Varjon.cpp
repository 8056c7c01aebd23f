#include "core/Varjon.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

TVarjonForm* VarjonForm = nullptr;

TVarjonForm::TVarjonForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ProgressBar1(new QProgressBar(this)),
      Label1(new QLabel("Kérem várjon türelemmel, a számítógép dolgozik!", this)),
      Label2(new QLabel("Feldolgozott lapok száma :", this)),
      Label3(new QLabel(this)),
      BitBtn1(new QPushButton("Megszakít", this)),
      Timer1(new QTimer(this)) {
    setObjectName("VarjonForm");
    setWindowTitle("Üzenet");
    setFixedSize(361, 116);
    ProgressBar1->setObjectName("ProgressBar1");
    Label1->setObjectName("Label1");
    Label2->setObjectName("Label2");
    Label3->setObjectName("Label3");
    BitBtn1->setObjectName("BitBtn1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(25);
    ProgressBar1->setTextVisible(false);
    QFont bold = font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2->setFont(bold);
    BitBtn1->setEnabled(false);
    BitBtn1->setAutoDefault(false);
    Timer1->setInterval(1000);

    auto* grid = new QGridLayout(this);
    grid->addWidget(ProgressBar1, 0, 0, 1, 3);
    grid->addWidget(Label1, 1, 0, 1, 3);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(Label3, 2, 1);
    grid->addWidget(BitBtn1, 2, 2);

    connect(Timer1, &QTimer::timeout, this, &TVarjonForm::Timer1Timer);
    connect(BitBtn1, &QPushButton::clicked, this, &TVarjonForm::BitBtn1Click);
}

void TVarjonForm::Timer1Timer() {
    int next = ProgressBar1->value() + 25;
    ProgressBar1->setValue(next > 100 ? 0 : next);
}

void TVarjonForm::Finish() { done(QDialog::Accepted); }

void TVarjonForm::showEvent(QShowEvent* event) {
    Timer1->start();
    QDialog::showEvent(event);
}

void TVarjonForm::hideEvent(QHideEvent* event) {
    Timer1->stop();
    QDialog::hideEvent(event);
}
