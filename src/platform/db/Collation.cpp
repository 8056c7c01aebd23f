#include "platform/db/Collation.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>

#include "platform/os/Text.h"

namespace db {
namespace {

icu::Collator* Collator(bool caseInsensitive) {
    static thread_local std::unique_ptr<icu::Collator> sensitive, insensitive;
    auto& c = caseInsensitive ? insensitive : sensitive;
    if (!c) {
        UErrorCode status = U_ZERO_ERROR;
        c.reset(icu::Collator::createInstance(icu::Locale("hu", "HU"), status));
        if (U_FAILURE(status) || !c) {
            status = U_ZERO_ERROR;
            c.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
        }
        c->setStrength(caseInsensitive ? icu::Collator::SECONDARY : icu::Collator::TERTIARY);
    }
    return c.get();
}

}  // namespace

int CollateHu(std::string_view a, std::string_view b, bool caseInsensitive) {
    // Equal bytes are equal in any order; sorting a list by several columns
    // meets them often (one employee's rows), and the collator is slow.
    if (a == b) return 0;
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r =
        Collator(caseInsensitive)
            ->compareUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
                          icu::StringPiece(b.data(), static_cast<int32_t>(b.size())), status);
    if (U_FAILURE(status)) return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
    // Texts the collation holds equal still differ as bytes: keep a total order.
    if (r == UCOL_EQUAL && !caseInsensitive) return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

std::string FoldCase(std::string_view s) {
    // Table, file and field names are ASCII: they fold without ICU.
    if (os::IsAscii(s)) return os::LowerAscii(std::string(s));
    icu::UnicodeString u =
        icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), static_cast<int32_t>(s.size())));
    u.foldCase();
    std::string out;
    u.toUTF8String(out);
    return out;
}

}  // namespace db
