// Kestrova: the desktop cataloguer. Builds the real services and opens the main window.
#include "platform/desktop/desktop_services.h"
#include "platform/desktop/file_manager.h"
#include "platform/desktop/registry.h"
#include "platform/files/cache_location.h"
#include "platform/files/folder_listing.h"
#include "platform/files/mount_watch.h"
#include "platform/files/parallel_walk.h"
#include "platform/files/posix_file_system.h"
#include "platform/text/translations.h"
#include "search/index_cache.h"
#include "windows/application_identity.h"
#include "windows/document_launch.h"
#include "windows/main_window.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstring>
#include <optional>

namespace {

// --help and --version answer on standard output and end the program, as desktop programs do:
// before any window, so that they need no display.
std::optional<int> answerInformationOptions(int argc, char *argv[])
{
    bool asked = false;
    for (int i = 1; i < argc; ++i)
        for (const char *option : {"--help", "-h", "-?", "--help-all", "--version", "-v"})
            asked = asked || std::strcmp(argv[i], option) == 0;
    if (!asked)
        return std::nullopt;
    QCoreApplication core(argc, argv);
    kestrova::installTranslations(core);
    QCoreApplication::setApplicationName(QStringLiteral("kestrova"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(KESTROVA_VERSION_MAJOR)
                                                .arg(KESTROVA_VERSION_MINOR)
                                                .arg(KESTROVA_VERSION_PATCH));
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "kestrova", "Catalogues drives and folders, and searches the catalogues. kestrova-cli does the same "
                    "from scripts."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion(); // exits
    parser.showHelp(0);       // exits
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = answerInformationOptions(argc, argv))
        return *status;
    kestrova::raiseOpenFileLimit();
    QApplication app(argc, argv);
    kestrova::installTranslations(app);
    kestrova::setApplicationIdentity();

    kestrova::DesktopMessageService messages;
    kestrova::DesktopSaveDialog saveDialog;
    kestrova::DesktopSaveDialog exportDialog;
    kestrova::XdgDocumentLauncher launcher;
    kestrova::ImmediateProgramEnd programEnd;
    kestrova::DetachedProgramStarter programStarter;
    kestrova::SystemClipboard clipboard;
    kestrova::DBusFileManager fileManager;
    kestrova::DesktopFolderPicker folderPicker;
    kestrova::DesktopRegistry registry;
    kestrova::PosixFileSystem fileSystem;
    kestrova::DefaultPathStore pathStore(fileSystem);
    kestrova::SharedPaths paths;
    const kestrova::DateConventions dates;
    // Indexes are built on a thread of their own after a search read a catalogue whole.
    const kestrova::UserCacheLocation cacheLocation;
    kestrova::IndexCache searchIndex(cacheLocation, kestrova::IndexCache::Builds::Background);
    // The drive lists follow the drives that are plugged in and out.
    kestrova::ProcMountWatch mounts;
    kestrova::Services services{
        // Generation lists folders ahead of the writing on worker threads.
        [] { return std::make_unique<kestrova::ParallelFileSystem>(kestrova::ParallelFileSystem::defaultWorkers()); },
        &kestrova::mountedDrives,
        messages,
        saveDialog,
        exportDialog,
        launcher,
        programEnd,
        programStarter,
        clipboard,
        fileManager,
        folderPicker,
        registry,
        pathStore,
        paths,
        dates,
        &searchIndex,
        &mounts,
    };

    kestrova::MainWindow window(services);
    window.Form_Load();
    window.centreOnScreen();
    window.show();
    return app.exec();
}
