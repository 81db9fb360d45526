// What the commands of kestrova-cli share: their streams and exit statuses.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace kestrova {
class IndexCache;
}

namespace kestrova::cli {

struct Io
{
    QTextStream &out;
    QTextStream &err;
    bool errIsTerminal = false; // progress is drawn only on a terminal
};

namespace Exit {
inline constexpr int Ok = 0;
inline constexpr int Partial = 1; // generate: complete, some folders failed; search: no row;
                                  // compare: differences
inline constexpr int Failed = 2;  // the run failed, or the command line was wrong
} // namespace Exit

QString versionText();

// The parser's help, its usage line naming the program and command as name gives them.
QString helpText(const QCommandLineParser &parser, const QString &name);

// Parses a command's arguments after its options and positional arguments were declared:
// answers --help and reports a wrong command line. Gives the exit status when the command
// ends here, or nothing when it should go on with exactly positionalCount arguments (a
// negative count: at least its magnitude).
std::optional<int> parseCommandLine(QCommandLineParser &parser, const QString &command,
                                    const QStringList &arguments, qsizetype positionalCount,
                                    Io &io);

// The value of a --jobs option (fallback when it is not given); nothing, after saying why,
// when it is not a number from 1 to 256.
std::optional<int> jobsValue(const QCommandLineParser &parser, const QCommandLineOption &jobs, const QString &command,
                             int fallback, Io &io);
// A size as typed: bytes, or a number with K, M, G or T (powers of 1024, a fraction allowed:
// 1.5G); nothing when it is none.
std::optional<qint64> sizeValue(const QString &text);

// Writes bytes to standard output as they are, so that paths keep their bytes; false when they
// could not be written (the failure is reported when the program ends).
bool writeRaw(Io &io, const QByteArray &bytes);

// The machine's cores, at least one.
int coreCount();

// Says once, on standard error, that the cache folder is not the user's alone and so holds no
// index; answers whether it said so.
bool reportRefusedCache(const IndexCache &cache, Io &io);

// Each command takes its arguments after the command word.
int runGenerate(const QStringList &arguments, Io &io);
int runSearch(const QStringList &arguments, Io &io);
int runFind(const QStringList &arguments, Io &io);
int runCompare(const QStringList &arguments, Io &io);
int runIndex(const QStringList &arguments, Io &io);
int runDrives(const QStringList &arguments, Io &io);
int runCopies(const QStringList &arguments, Io &io);
int runLs(const QStringList &arguments, Io &io);
int runDu(const QStringList &arguments, Io &io);

// Runs the whole program: the command word, then the command.
int runCli(const QStringList &arguments, Io &io);

} // namespace kestrova::cli
