// The typed search text: cleaning and the filter's decisions on any UTF-8.

#include "search/Search.h"
#include "search/SearchFilter.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

bool holdsRemovedCharacter(const QString &text)
{
    for (QChar c : text) {
        if (Search::kSearchCharacters.contains(c) || Search::kControlCharacters.contains(c))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString typed = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString cleaned = Search::CleanSearchText(typed);

    // A one-byte text comes back as it is; anything longer loses every removed character.
    if (typed.toUtf8().size() >= 2)
        FUZZ_CHECK(!holdsRemovedCharacter(cleaned));
    else
        FUZZ_CHECK(cleaned == typed);
    if (cleaned.toUtf8().size() >= 2)
        FUZZ_CHECK(Search::CleanSearchText(cleaned) == cleaned);

    using Search::FilterStep;
    const FilterStep same = Search::DecideFilterStep(cleaned, cleaned);
    FUZZ_CHECK(same == FilterStep::Stop);
    const FilterStep empty = Search::DecideFilterStep(QStringView(), cleaned);
    FUZZ_CHECK(empty == FilterStep::Stop || empty == FilterStep::ClearAndStop);
    if (!cleaned.isEmpty())
        FUZZ_CHECK(empty == FilterStep::ClearAndStop);

    // Before the lookup the answer never is one of the after-lookup steps.
    const FilterStep before = Search::DecideFilterStep(cleaned, QStringLiteral("\u00a7applied"));
    FUZZ_CHECK(before != FilterStep::Keep && before != FilterStep::Refill);

    // After the lookup only the entry list counts, whatever the texts.
    const QStringView halves[] = {QStringView(cleaned).first(cleaned.size() / 2), QStringView(cleaned)};
    for (QStringView entries : halves) {
        const FilterStep after = Search::DecideFilterStep(cleaned, typed, entries);
        FUZZ_CHECK(after == (entries.isEmpty() ? FilterStep::Keep : FilterStep::Refill));
    }
    return 0;
}
