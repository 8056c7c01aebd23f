#include "controls/DBText.h"

TDBText::TDBText(QWidget* parent) : QLabel(parent) {
    link_.OnDataChange = [this] { DataChange(); };
}

void TDBText::DataChange() {
    const db::Field* f = link_.Field();
    const db::Dataset* ds = f ? f->DataSet() : nullptr;
    setText(ds && !ds->IsEmpty() ? QString::fromStdString(f->AsString()) : QString());
}
