// kestrova-cli: generates and searches catalogues from scripts and headless machines.
#include "cli_common.h"

#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrova-cli"));
    QCoreApplication::setApplicationVersion(kestrova::cli::versionText());

    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
        return kestrova::cli::Exit::Failed;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    kestrova::cli::Io io{outStream, errStream, isatty(STDERR_FILENO) == 1};
    return kestrova::cli::runCli(app.arguments(), io);
}
