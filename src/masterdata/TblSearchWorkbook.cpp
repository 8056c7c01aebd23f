#include "masterdata/TblSearchWorkbook.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/os/Clock.h"
#include "platform/os/System.h"

namespace {

constexpr int kMaxColumns = 256;

// The workbook handle, closed (and its temporary file dropped) on every path.
class WorkbookFile {
public:
    explicit WorkbookFile(std::string target) : target_(std::move(target)) {
        std::string pattern = target_ + ".XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) throw WorkbookError(target_ + ": " + std::strerror(errno));
        ::close(fd);
        temp_ = pattern;
    }
    ~WorkbookFile() {
        if (!temp_.empty()) std::remove(temp_.c_str());
    }
    const std::string& Temp() const { return temp_; }
    // Syncs the written file and renames it over the target.
    void Commit() {
        const int fd = ::open(temp_.c_str(), O_RDONLY);
        if (fd < 0 || ::fsync(fd) != 0) {
            const int e = errno;
            if (fd >= 0) ::close(fd);
            throw WorkbookError(target_ + ": " + std::strerror(e));
        }
        ::close(fd);
        ::chmod(temp_.c_str(), os::DefaultFileMode());
        if (std::rename(temp_.c_str(), target_.c_str()) != 0)
            throw WorkbookError(target_ + ": " + std::strerror(errno));
        temp_.clear();
    }

private:
    std::string target_, temp_;
};

void Check(lxw_error e) {
    if (e != LXW_NO_ERROR) throw WorkbookError(lxw_strerror(e));
}

}  // namespace

std::string ColumnLetters(int column) {
    std::string letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), char('A' + (n - 1) % 26));
    return letters;
}

void WriteWorkbook(const std::string& path, const WorkbookContent& content) {
    WorkbookFile file(path);
    lxw_workbook* book = workbook_new(file.Temp().c_str());
    if (!book) throw WorkbookError(path + ": the workbook cannot be created");
    bool closed = false;
    try {
        lxw_doc_properties props{};
        props.created = static_cast<time_t>(os::ToUnixTime(content.created));
        Check(workbook_set_properties(book, &props));
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        if (!sheet) throw WorkbookError("worksheet");
        lxw_format* caption = workbook_add_format(book);
        format_set_bold(caption);
        format_set_align(caption, LXW_ALIGN_CENTER);
        lxw_format* date = workbook_add_format(book);
        format_set_num_format(date, "yyyy.mm.dd");
        lxw_format* time = workbook_add_format(book);
        format_set_num_format(time, "hh:mm:ss");
        lxw_format* dateTime = workbook_add_format(book);
        format_set_num_format(dateTime, "yyyy.mm.dd hh:mm:ss");

        const int columns = std::min<int>(static_cast<int>(content.columns.size()), kMaxColumns);
        for (int c = 0; c < columns; ++c) {
            const WorkbookColumn& col = content.columns[c];
            Check(worksheet_set_column(sheet, c, c, col.width, nullptr));
            Check(worksheet_write_string(sheet, 0, c, col.title.c_str(), caption));
        }
        lxw_row_t row = 1;
        for (const std::vector<db::Variant>& values : content.rows) {
            for (int c = 0; c < columns && c < static_cast<int>(values.size()); ++c) {
                const db::Variant& v = values[c];
                if (v.IsNull()) continue;
                const db::FieldType type = content.columns[c].type;
                if (db::IsDateType(type)) {
                    lxw_format* f = type == db::FieldType::Date   ? date
                                    : type == db::FieldType::Time ? time
                                                                  : dateTime;
                    Check(worksheet_write_number(sheet, row, c, v.ToDouble(), f));
                } else if (type == db::FieldType::Boolean) {
                    Check(worksheet_write_boolean(sheet, row, c, v.ToBool(), nullptr));
                } else if (v.kind() == db::Variant::Kind::Int || v.kind() == db::Variant::Kind::Float) {
                    Check(worksheet_write_number(sheet, row, c, v.ToDouble(), nullptr));
                } else {
                    Check(worksheet_write_string(sheet, row, c, v.ToString().c_str(), nullptr));
                }
            }
            ++row;
        }
        ++row;
        Check(worksheet_write_string(sheet, row++, 0, content.filterCaption.c_str(), caption));
        for (const std::string& line : content.filterLines)
            Check(worksheet_write_string(sheet, row++, 0, line.c_str(), nullptr));
        ++row;
        Check(worksheet_write_string(sheet, row++, 0, content.totalsCaption.c_str(), caption));
        for (const std::string& line : content.totalLines)
            Check(worksheet_write_string(sheet, row++, 0, line.c_str(), nullptr));
        closed = true;
        Check(workbook_close(book));
    } catch (...) {
        if (!closed) workbook_close(book);
        throw;
    }
    file.Commit();
}
