// Everything the windows reach outside themselves: the platform services, the setup file and
// the strings the windows share. The program builds one set; tests build one of fakes.
#pragma once

#include "platform/desktop/desktop_tools.h"
#include "platform/desktop/file_manager.h"
#include "platform/desktop/folder_picker.h"
#include "platform/desktop/launcher.h"
#include "platform/desktop/message_service.h"
#include "platform/desktop/registry.h"
#include "platform/desktop/save_dialog.h"
#include "platform/files/file_system.h"
#include "platform/files/volumes.h"
#include "platform/text/date_conventions.h"
#include "settings/default_path_store.h"

#include <functional>
#include <memory>

namespace kestrova {

class IndexCache;
class MountWatch;

struct Services
{
    // A fresh file-system object, as each generation run and each window takes one.
    std::function<std::unique_ptr<FileSystem>()> makeFileSystem;
    std::function<QList<Volume>()> drives;
    MessageService &messages;
    SaveDialog &saveDialog;   // where a catalogue goes
    SaveDialog &exportDialog; // where exported results go
    DocumentLauncher &launcher;
    ProgramEnd &programEnd;
    ProgramStarter &programStarter;
    Clipboard &clipboard;
    FileManager &fileManager;
    FolderPicker &folderPicker;
    Registry &registry;
    DefaultPathStore &pathStore;
    SharedPaths &paths;
    const DateConventions &dates;
    IndexCache *searchIndex = nullptr; // narrows the search's reading; none: read whole
    MountWatch *mounts = nullptr;      // says when the drives change; none: the lists stay as filled
    // Opens the catalogue browser at a catalogue (its full path), at the folder of a file of it
    // (its path as the catalogue gives it; empty: at its root). Set by the main window; without
    // it no window offers "Show in Catalogue".
    std::function<void(const QString &catalogue, const QByteArray &filePath)> browseCatalogue = {};
};

} // namespace kestrova
