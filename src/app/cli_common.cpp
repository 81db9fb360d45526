#include "cli_common.h"

#include "search/index_cache.h"
#include "search/query.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QScopeGuard>
#include <QTranslator>

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

namespace {

// Qt's own words of a help text (Usage, Options, the help and version options) in English, as
// the commands' descriptions are: a help text is in one language, never in two.
class QtHelpInEnglish final : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        return qstrcmp(context, "QCommandLineParser") == 0 ? QString::fromUtf8(sourceText) : QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

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
    const qsizetype given = parser.positionalArguments().size();
    if (positionalCount >= 0 ? given != positionalCount : given < -positionalCount) {
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
    return sizeFromText(text);
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
    QtHelpInEnglish english;
    QCoreApplication::installTranslator(&english);
    const auto removed = qScopeGuard([&] { QCoreApplication::removeTranslator(&english); });
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes catalogues of folder trees and searches folders of catalogues.\n\n"
        "Commands:\n"
        "  generate ROOT CATALOGUE   write the catalogue of the tree at ROOT\n"
        "  search FOLDER CRITERIA    search the catalogues in FOLDER\n"
        "  compare OLD NEW           what changed between two catalogues of a drive\n"
        "  index FOLDER              build the search indexes of the catalogues in FOLDER\n"
        "  index --prune             remove the search indexes of catalogues that are gone\n"
        "  drives FOLDER             the drives the catalogues in FOLDER describe\n"
        "  copies FOLDER             files with no second copy, or stored more than once\n"
        "  find FOLDER QUERY...      the query language over the catalogues in FOLDER\n"
        "  ls CATALOGUE [FOLDER]     a folder's entries as the catalogue holds them\n"
        "  du CATALOGUE [FOLDER]     the total size under each folder of a catalogue\n\n"
        "Run 'kestrova-cli COMMAND --help' for a command's options."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("generate, search, find, compare, index, drives, copies, ls or du"));
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
    if (command == u"find")
        return runFind(rest, io);
    if (command == u"compare")
        return runCompare(rest, io);
    if (command == u"index")
        return runIndex(rest, io);
    if (command == u"drives")
        return runDrives(rest, io);
    if (command == u"copies")
        return runCopies(rest, io);
    if (command == u"ls")
        return runLs(rest, io);
    if (command == u"du")
        return runDu(rest, io);
    io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli: unknown command '%1'").arg(command) << Qt::endl;
    return Exit::Failed;
}

} // namespace kestrova::cli
