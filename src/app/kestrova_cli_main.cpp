// kestrova-cli: generates and searches catalogues from scripts and headless machines.
#include "cli_common.h"

#include "platform/files/file_names.h"
#include "platform/files/folder_listing.h"
#include "platform/files/standard_output.h"
#include "platform/text/translations.h"

#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

int main(int argc, char *argv[])
{
    kestrova::raiseOpenFileLimit();
    QCoreApplication app(argc, argv);
    kestrova::installTranslations(app);
    QCoreApplication::setApplicationName(QStringLiteral("kestrova-cli"));
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationVersion(kestrova::cli::versionText());

    kestrova::StandardOutput out;
    QFile err;
    if (!err.open(stderr, QIODevice::WriteOnly))
        return kestrova::cli::Exit::Failed;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    kestrova::cli::Io io{outStream, errStream, isatty(STDERR_FILENO) == 1};
    // Arguments are file-system bytes, not text: a name that is not UTF-8 must reach the file
    // system unchanged, which QCoreApplication::arguments() does not promise.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(kestrova::decodeFileName(argv[i]));
    const int status = kestrova::cli::runCli(arguments, io);
    outStream.flush();
    // A reader that went away ends a filter quietly; any other failed write is a failure.
    if (out.failure() != 0 && !out.readerWentAway()) {
        errStream << QCoreApplication::translate("kestrova-cli", "kestrova-cli: cannot write the output: ") << out.errorString() << Qt::endl;
        return kestrova::cli::Exit::Failed;
    }
    return status;
}
