// The one place the report engine talks to a dataset: walking it and reading
// a field's text.
#pragma once

#include <QString>

namespace db {
class Dataset;
}

namespace report {

void DatasetFirst(db::Dataset& dataset);
void DatasetNext(db::Dataset& dataset);
bool DatasetEof(db::Dataset& dataset);

}  // namespace report
