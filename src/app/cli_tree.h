// What kestrova-cli ls and du share: the catalogue read as a tree, and the folder asked for.
#pragma once

#include "cli_common.h"

#include "catalogue/catalogue_tree.h"
#include "platform/files/file_names.h"
#include "platform/files/cache_location.h"
#include "search/index_cache.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <memory>

namespace kestrova::cli {

// The tree of the catalogue at cataloguePath and its folder at folderPath (the tree's top when
// empty; CatalogueTree::kBeforeAnyFolderName for the entries before any heading), with the
// folder's own files when withFiles; nothing, after saying why on standard error, when either is
// not there. The tree comes from the folder table in the cache when one fits the catalogue;
// otherwise the catalogue is read whole and its table kept for the next time.
inline std::unique_ptr<CatalogueTree> openTree(const QString &command, const QString &cataloguePath,
                                               const QString &folderPath, quint32 &folder, bool withFiles, Io &io)
{
    std::unique_ptr<CatalogueTree> tree;
    try {
        const QString absolute = QDir::current().absoluteFilePath(cataloguePath);
        const UserCacheLocation location;
        const IndexCache cache(location, IndexCache::Builds::Inline);
        {
            const FileReader file(encodeFileName(absolute));
            tree = cache.openFolderTable(encodeFileName(absolute), file);
        }
        if (!tree) {
            tree = std::make_unique<CatalogueTree>(absolute);
            cache.keepFolderTable(*tree); // without it, the next reading is whole too
        }
        folder = folderPath.isEmpty() ? tree->top() : tree->folderNamed(encodeFileName(folderPath));
        if (folder != CatalogueTree::kNone && withFiles)
            tree->readFiles(folder);
    } catch (const Error &error) {
        io.err << QStringLiteral("kestrova-cli %1: %2: %3").arg(command, cataloguePath, error.numberStyle()) << Qt::endl;
        return nullptr;
    }
    if (folder == CatalogueTree::kNone) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli %1: %2 holds no folder %3")
                      .arg(command, cataloguePath, folderPath)
               << Qt::endl;
        return nullptr;
    }
    return tree;
}

// The number of positional arguments on the command line, for a command that takes one or two:
// parser holds the command's options (--help is added later, by parseCommandLine()).
inline qsizetype positionalCount(QCommandLineParser &parser, const QString &command, const QStringList &arguments)
{
    parser.parse(QStringList{QStringLiteral("kestrova-cli ") + command} + arguments);
    return parser.positionalArguments().size();
}

} // namespace kestrova::cli
