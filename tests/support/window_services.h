// A complete set of services for window tests: fakes for the desktop, the real file system
// unless a test swaps in a fake, and a setup file in a folder of the test's own.
#pragma once

#include "platform/files/posix_file_system.h"
#include "platform/text/translations.h"
#include "support/fake_desktop.h"
#include "support/fake_mount_watch.h"
#include "windows/services.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace kestrova::testing {

struct WindowServices
{
    WindowServices()
        : store(fileSystem, programFolder.path(), programFolder.filePath(QStringLiteral("config"))),
          services{[this] { return makeFileSystem ? makeFileSystem() : std::make_unique<PosixFileSystem>(); },
                   [this] { return drives; },
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
                   store,
                   paths,
                   dates}
    {
        services.mounts = &mounts;
        // The windows as an English desktop shows them, plural forms and all, whatever the
        // locale the tests run in.
        static const QString language = installTranslations(*QCoreApplication::instance(), QLocale(QLocale::English));
    }

    QTemporaryDir programFolder;
    PosixFileSystem fileSystem;
    FakeMessages messages;
    FakeSaveDialog saveDialog;
    FakeSaveDialog exportDialog;
    FakeLauncher launcher;
    FakeProgramEnd programEnd;
    FakeProgramStarter programStarter;
    FakeClipboard clipboard;
    FakeFileManager fileManager;
    FakeFolderPicker folderPicker;
    FakeRegistry registry;
    FakeMountWatch mounts;
    DefaultPathStore store;
    SharedPaths paths;
    const DateConventions dates{QLocale(QStringLiteral("en_US"))};
    QList<Volume> drives{Volume{QStringLiteral("/"), QString(), QStringLiteral("/dev/sda1"),
                                QStringLiteral("ext4"), true}};
    std::function<std::unique_ptr<FileSystem>()> makeFileSystem;
    Services services;
};

} // namespace kestrova::testing
