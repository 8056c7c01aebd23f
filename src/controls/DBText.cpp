#include "controls/DBText.h"

TDBText::TDBText(QWidget* parent) : QLabel(parent) {
    link_.OnDataChange = [this] { DataChange(); };
}

void TDBText::DataChange() {
    const db::Field* f = link_.Field();
    const db::Dataset* ds = f ? f->DataSet() : nullptr;
    // A new record of an empty table has its fields to show, browsing one has none.
    const bool record = ds && (!ds->IsEmpty() || ds->State() != db::DatasetState::Browse);
    setText(record ? QString::fromStdString(f->AsString()) : QString());
}
