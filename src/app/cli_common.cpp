#include "cli_common.h"

#include "search/index_cache.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <thread>

namespace kestrova::cli {

QString versionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(KESTROVA_VERSION_MAJOR)
        .arg(KESTROVA_VERSION_MINOR)
        .arg(KESTROVA_VERSION_PATCH);
}

QString helpText(const QCommandLineParser &parser, const QString &name)
{
    // Qt names the program by the path it was started as, and no command: the usage line
    // names both.
    QString text = parser.helpText();
    const qsizetype end = text.indexOf(u'\n');
    const QString usage = text.left(end);
    const qsizetype options = usage.indexOf(QStringLiteral(" [options]"));
    if (usage.startsWith(QStringLiteral("Usage: ")) && options > 0)
        text.replace(0, options, QStringLiteral("Usage: ") + name);
    return text;
}

std::optional<int> parseCommandLine(QCommandLineParser &parser, const QString &command,
                                    const QStringList &arguments, qsizetype positionalCount,
                                    Io &io)
{
    const QString name = QStringLiteral("kestrova-cli ") + command;
    const QCommandLineOption help = parser.addHelpOption();
    if (!parser.parse(QStringList{name} + arguments)) {
        io.err << name << QStringLiteral(": ") << parser.errorText() << Qt::endl;
        return Exit::Failed;
    }
    if (parser.isSet(help)) {
        io.out << helpText(parser, name);
        return Exit::Ok;
    }
    if (parser.positionalArguments().size() != positionalCount) {
        io.err << name << QCoreApplication::translate("kestrova-cli", ": wrong number of arguments\n") << helpText(parser, name);
        return Exit::Failed;
    }
    return std::nullopt;
}

std::optional<int> jobsValue(const QCommandLineParser &parser, const QCommandLineOption &jobs, const QString &command,
                             int fallback, Io &io)
{
    if (!parser.isSet(jobs))
        return fallback;
    bool ok = false;
    const int value = parser.value(jobs).toInt(&ok);
    if (!ok || value < 1 || value > 256) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli %1: --jobs takes a number from 1 to 256").arg(command) << Qt::endl;
        return std::nullopt;
    }
    return value;
}

std::optional<qint64> sizeValue(const QString &text)
{
    QString number = text.trimmed().toUpper();
    if (number.endsWith(u"IB"))
        number.chop(2);
    else if (number.endsWith(u'B') && number.size() > 1 && !number.at(number.size() - 2).isDigit())
        number.chop(1);
    double unit = 1;
    for (const auto &[suffix, scale] : {std::pair{u'K', 1024.0}, std::pair{u'M', 1024.0 * 1024},
                                        std::pair{u'G', 1024.0 * 1024 * 1024}, std::pair{u'T', 1024.0 * 1024 * 1024 * 1024}}) {
        if (number.endsWith(suffix)) {
            number.chop(1);
            unit = scale;
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok) * unit;
    // Whole bytes only: "nan", "19.5" and "0.1K" are no sizes (and a NaN has no qint64).
    if (!ok || !(value >= 0 && value <= 9.0e18) || value != std::floor(value))
        return std::nullopt;
    return qint64(value);
}

int coreCount()
{
    return int(std::max(1u, std::thread::hardware_concurrency()));
}

bool reportRefusedCache(const IndexCache &cache, Io &io)
{
    if (!cache.folderRefused())
        return false;
    io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli: %1 belongs to another user or others may write to it: no search "
                             "index is kept there, and catalogues are read whole")
                  .arg(cache.folder())
           << Qt::endl;
    return true;
}

bool writeRaw(Io &io, const QByteArray &bytes)
{
    io.out.flush();
    if (QIODevice *device = io.out.device())
        return device->write(bytes) == bytes.size();
    io.out << QString::fromUtf8(bytes);
    return true;
}

int runCli(const QStringList &arguments, Io &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes catalogues of folder trees and searches folders of catalogues.\n\n"
        "Commands:\n"
        "  generate ROOT CATALOGUE   write the catalogue of the tree at ROOT\n"
        "  search FOLDER CRITERIA    search the catalogues in FOLDER\n"
        "  compare OLD NEW           what changed between two catalogues of a drive\n"
        "  index FOLDER              build the search indexes of the catalogues in FOLDER\n"
        "  drives FOLDER             the drives the catalogues in FOLDER describe\n"
        "  copies FOLDER             files with no second copy, or stored more than once\n\n"
        "Run 'kestrova-cli COMMAND --help' for a command's options."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("generate, search, compare, index, drives or copies"));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(arguments)) {
        io.err << parser.errorText() << Qt::endl;
        return Exit::Failed;
    }
    if (parser.isSet(version)) {
        io.out << QStringLiteral("kestrova-cli ") << versionText() << Qt::endl;
        return Exit::Ok;
    }
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(help) || positional.isEmpty()) {
        (parser.isSet(help) ? io.out : io.err) << helpText(parser, QStringLiteral("kestrova-cli"));
        return parser.isSet(help) ? Exit::Ok : Exit::Failed;
    }
    const QString command = positional.first();
    const QStringList rest = positional.mid(1);
    if (command == u"generate")
        return runGenerate(rest, io);
    if (command == u"search")
        return runSearch(rest, io);
    if (command == u"compare")
        return runCompare(rest, io);
    if (command == u"index")
        return runIndex(rest, io);
    if (command == u"drives")
        return runDrives(rest, io);
    if (command == u"copies")
        return runCopies(rest, io);
    io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli: unknown command '%1'").arg(command) << Qt::endl;
    return Exit::Failed;
}

} // namespace kestrova::cli
