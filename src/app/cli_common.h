// What the commands of kestrova-cli share: their streams and exit statuses.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace kestrova::cli {

struct Io
{
    QTextStream &out;
    QTextStream &err;
    bool errIsTerminal = false; // progress is drawn only on a terminal
};

namespace Exit {
inline constexpr int Ok = 0;
inline constexpr int Partial = 1; // generate: complete, some folders failed; search: no row
inline constexpr int Failed = 2;  // the run failed, or the command line was wrong
} // namespace Exit

QString versionText();

// Each command takes its arguments after the command word.
int runGenerate(const QStringList &arguments, Io &io);
int runSearch(const QStringList &arguments, Io &io);

// Runs the whole program: the command word, then the command.
int runCli(const QStringList &arguments, Io &io);

} // namespace kestrova::cli
