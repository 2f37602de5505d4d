#include "search/SearchFilter.h"

namespace Search {

FilterStep DecideFilterStep(QStringView text, QStringView applied, std::optional<QStringView> entries)
{
    if (entries)
        return entries->isEmpty() ? FilterStep::Keep : FilterStep::Refill;
    if (text.compare(applied, Qt::CaseInsensitive) == 0)
        return FilterStep::Stop;
    switch (CharacterCount(text)) {
    case 0:
        return FilterStep::ClearAndStop;
    case 1:
        return FilterStep::ClearAndLookUp;
    default:
        return FilterStep::LookUp;
    }
}

qsizetype CharacterCount(QStringView text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            ++n;
    }
    return n;
}

int CaretAfterCleaning(QStringView typed, QStringView cleaned, int caret)
{
    // `cleaned` is `typed` with some characters taken out, so matching them in order finds the
    // kept ones.
    int kept = 0;
    for (qsizetype i = 0, j = 0; i < caret && i < typed.size(); ++i) {
        if (j < cleaned.size() && typed.at(i) == cleaned.at(j)) {
            ++j;
            ++kept;
        }
    }
    return kept;
}

} // namespace Search
