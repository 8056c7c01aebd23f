// The pension insurance authority's import document of the record set: the
// company's head from its record and the processing year, then one part per
// employee from the employee's records, CP1250 with CR LF, written whole or
// not at all through the form-import XML writer.
#pragma once

#include <functional>
#include <string>

class TMemoryData;
namespace db {
class Dataset;
}

// The authority's import-schema namespace, the root's xmlns and the first
// half of its schema location.
inline constexpr char kNyenyiNamespace[] = "http://www.onyf.hu/ENyenyiImportSchema";

// The file's name for a company: "NY" + code + ".xml".
std::string NyenyiFajlNev(const std::string& cegKod);

// Writes the document of `rekordok` (in its present order, the user's changes
// included) to `path`. `ceg` is the company's record; employees are looked up
// in DM1's employee table; `tbKifHely` is the flag of the build. Rows without
// an employee number (records 01 and 02, or added by hand) are left out.
// `lepes` runs after each employee. Throws on a write error (also a
// character CP1250 lacks); the target is then left as it was.
void NyenyiXmlIr(const std::string& path, TMemoryData& rekordok, bool tbKifHely, db::Dataset& ceg,
                 const std::function<void()>& lepes = {});
