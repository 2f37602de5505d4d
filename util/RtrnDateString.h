#pragma once

#include <QString>

namespace RtrnDateString {

// The current local date and time as a compact stamp in the form the style selects
// (1 to 14; any other value gives style 4, "230411_234236"). Style 7 appends two letters
// that step Aa, Ab ... Zz and then start again, kept for the life of the process.
QString rsAlphaDateTime(qint64 style);

} // namespace RtrnDateString
