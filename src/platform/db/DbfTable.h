// A read-only dataset over a dBASE III/IV file (.dbf), for the take-over
// import. Texts, memo texts among them (read from the .dbt file beside it),
// are converted from the file's code page; deleted records are skipped. A
// damaged or truncated file fails with an error naming it; the reader never
// reads past the file's end.
#pragma once

#include <string>

#include "platform/db/ListDataset.h"

namespace db {

enum class DbfCodePage {
    Auto,    // from the file's language byte; CP852 when it names none
    Cp852,   // DOS Central European
    Cp1250,  // Windows Central European
    Utf8,    // bytes kept as they are
};

class DbfTable : public ListDataset {
public:
    DbfTable() { ReadOnly = true; }
    std::string FileName;
    DbfCodePage CodePage = DbfCodePage::Auto;

protected:
    void InternalOpen() override;
    bool InternalCanModify() const override { return false; }
};

}  // namespace db
