// The desktop's own services, as the program sets them up, for the window benchmarks: the real
// file system, launcher, clipboard and the rest, messages printed, the setup file in a folder
// of the benchmark's own, and the search indexes where given.
#pragma once

#include "printed_messages.h"

#include "platform/desktop/desktop_services.h"
#include "platform/desktop/file_manager.h"
#include "platform/desktop/registry.h"
#include "platform/files/posix_file_system.h"
#include "windows/services.h"

#include <QTemporaryDir>

namespace kestrova::bench {

class DesktopServices
{
public:
    explicit DesktopServices(IndexCache *searchIndex = nullptr)
        : services{[] { return std::make_unique<PosixFileSystem>(); },
                   &mountedDrives,
                   m_messages,
                   m_saveDialog,
                   m_saveDialog,
                   m_launcher,
                   m_programEnd,
                   m_programStarter,
                   m_clipboard,
                   m_fileManager,
                   m_folderPicker,
                   m_registry,
                   m_store,
                   paths,
                   m_dates,
                   searchIndex}
    {
    }

private:
    PrintedMessages m_messages;
    DesktopSaveDialog m_saveDialog;
    XdgDocumentLauncher m_launcher;
    ImmediateProgramEnd m_programEnd;
    DetachedProgramStarter m_programStarter;
    SystemClipboard m_clipboard;
    DBusFileManager m_fileManager;
    DesktopFolderPicker m_folderPicker;
    DesktopRegistry m_registry;
    PosixFileSystem m_fileSystem;
    QTemporaryDir m_program;
    DefaultPathStore m_store{m_fileSystem, m_program.path(), m_program.path()};
    const DateConventions m_dates;

public:
    SharedPaths paths;
    Services services;
};

} // namespace kestrova::bench
