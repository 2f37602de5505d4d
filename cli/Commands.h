#pragma once
// The commands of vantrel-cli: argument parsing, lookup and scan. Output goes to the streams
// given, so main() stays a few lines.

#include <QStringList>

#include <cstdio>

namespace Cli {

// Exit codes, as grep and linters use them.
enum Exit {
    Ok = 0,
    NotFound = 1,
    Findings = 1,
    Error = 2
};

// args without the program name.
int Run(const QStringList &args, FILE *out, FILE *err);

} // namespace Cli
