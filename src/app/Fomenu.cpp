#include "app/Fomenu.h"

TFomenuForm::TFomenuForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName("FomenuForm");
    setWindowTitle(QStringLiteral("Tavrina 2019"));
    resize(1024, 700);
}
