#pragma once
// Central failure report: builds the report text and opens a non-modal report window.

#include <QString>

#include <functional>

class RuntimeException;

namespace ErrorHandling {

// Returns whether the failure was dealt with; true on every path.
bool HandleException(const RuntimeException &e, const QString &s);

// The report text that HandleException shows (throws when the class cannot be named).
QString ReportText(const RuntimeException &e, const QString &s);

// How a report is shown. The widget layer installs the report window; without one the
// text goes to the log. The opener may throw, which HandleException turns into its
// "HandleException Error" message box.
using ReportOpener = std::function<void(const QString &reportText)>;
ReportOpener setReportOpener(ReportOpener opener);

// How many HandleException calls are running (1 while the first report window is built).
int nestingDepth();

} // namespace ErrorHandling
