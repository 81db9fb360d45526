// Kestrova: the desktop cataloguer. Builds the real services and opens the main window.
#include "platform/desktop/desktop_services.h"
#include "platform/desktop/file_manager.h"
#include "platform/desktop/registry.h"
#include "platform/files/cache_location.h"
#include "platform/files/folder_listing.h"
#include "platform/files/parallel_walk.h"
#include "platform/files/posix_file_system.h"
#include "platform/text/translations.h"
#include "search/index_cache.h"
#include "windows/application_identity.h"
#include "windows/document_launch.h"
#include "windows/main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
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
    };

    kestrova::MainWindow window(services);
    window.Form_Load();
    window.centreOnScreen();
    window.show();
    return app.exec();
}
