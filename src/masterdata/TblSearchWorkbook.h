// The spreadsheet the table search window exports: a header row, the list's
// rows with their types kept, then the filter and totals lines, written as an
// Office Open XML workbook. The file is whole or absent: it is written beside
// the target and renamed over it only when complete.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/db/Field.h"

struct WorkbookColumn {
    std::string title;
    db::FieldType type = db::FieldType::String;
    double width = 8.43;  // characters
};

struct WorkbookContent {
    std::vector<WorkbookColumn> columns;         // at most 256
    std::vector<std::vector<db::Variant>> rows;  // one value per column
    std::string filterCaption, totalsCaption;
    std::vector<std::string> filterLines, totalLines;
    double created = 0;  // day number stamped into the document's properties
};

class WorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Spreadsheet column letters of a 0-based column: A ... Z, AA ... IV.
std::string ColumnLetters(int column);

// Writes the workbook to `path`; throws WorkbookError, leaving a file of
// that name as it was.
void WriteWorkbook(const std::string& path, const WorkbookContent& content);
