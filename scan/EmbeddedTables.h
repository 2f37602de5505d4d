#pragma once
// The scanner's own small tables (scan/*.txt), compiled in.

#include <QString>

namespace Scan {

QString EmbeddedGlobalFunctions();  // scan/global-functions.txt
QString EmbeddedAmbiguousMembers(); // scan/ambiguous-members.txt
QString EmbeddedFrameworkClasses(); // scan/framework-classes.txt

} // namespace Scan
