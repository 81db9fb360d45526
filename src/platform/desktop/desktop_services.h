// The real desktop services behind the platform interfaces: Qt's message boxes and file
// dialogs, xdg-open, and the end of the program. Needs a QApplication.
#pragma once

#include "desktop_tools.h"
#include "folder_picker.h"
#include "launcher.h"
#include "message_service.h"
#include "save_dialog.h"

class QWidget;

namespace kestrova {

class DesktopMessageService final : public MessageService
{
public:
    MessageAnswer show(const Message &message) override;
};

class DesktopSaveDialog final : public SaveDialog
{
public:
    // The file type shown follows the name typed: a name ending in one of a type's patterns
    // selects that type.
    void showSave() override;
    QString documentsFolder() const override;

private:
    QString m_lastFolder;
};

// Opens documents with xdg-open, the desktop's own way of finding the associated
// application.
class XdgDocumentLauncher final : public DocumentLauncher
{
public:
    int open(const QString &file, const QString &workingFolder,
             std::function<void(int result)> lateFailure = {}) override;
};

class DetachedProgramStarter final : public ProgramStarter
{
public:
    void start(const QString &path) override;
};

class SystemClipboard final : public Clipboard
{
public:
    void setText(const QString &text) override;
    void setPaths(const QStringList &paths) override;
};

class DesktopFolderPicker final : public FolderPicker
{
public:
    QString chooseFolder(const QString &prompt) override;
    QString chooseFile(const QString &prompt, const QString &folder, const QString &filter) override;
};

class ImmediateProgramEnd final : public ProgramEnd
{
public:
    void endNow() override;
};

} // namespace kestrova
