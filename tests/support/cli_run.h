// Runs kestrova-cli's commands in the test's own process, with what they print kept as text.
#pragma once

#include "cli_common.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace kestrova::testing {

struct CliRun
{
    int status = -1;
    QString out;
    QString err;
};

inline CliRun runCli(const QStringList &arguments)
{
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    cli::Io io{out, err, false};
    run.status = cli::runCli(QStringList{QStringLiteral("kestrova-cli")} + arguments, io);
    out.flush();
    err.flush();
    return run;
}

} // namespace kestrova::testing
