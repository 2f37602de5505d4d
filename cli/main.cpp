// vantrel-cli: the catalogue and the project scanner on the command line.
#include "cli/Commands.h"
#include "toolkit/RuntimeException.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    try {
        QStringList args = QCoreApplication::arguments();
        args.removeFirst();
        return Cli::Run(args, stdout, stderr);
    } catch (const RuntimeException &e) {
        std::fprintf(stderr, "vantrel-cli: error: %s\n", e.what());
        return Cli::Error;
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "vantrel-cli: error: out of memory\n");
        return Cli::Error;
    }
}
