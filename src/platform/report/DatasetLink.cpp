#include "platform/report/DatasetLink.h"

#include <stdexcept>

#include "platform/report/Report.h"

// Stand-in until the database layer lands.
namespace report {

void DatasetFirst(db::Dataset&) { throw std::logic_error("no database layer"); }
void DatasetNext(db::Dataset&) { throw std::logic_error("no database layer"); }
bool DatasetEof(db::Dataset&) { throw std::logic_error("no database layer"); }
QString FieldText(db::Dataset&, const QString&) { throw std::logic_error("no database layer"); }

}  // namespace report
