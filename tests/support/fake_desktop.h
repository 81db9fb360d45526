// Fakes of the desktop services: they record what the windows asked for and answer as the
// test says, so no dialog ever blocks a test.
#pragma once

#include "platform/desktop/desktop_tools.h"
#include "platform/desktop/file_manager.h"
#include "platform/desktop/folder_picker.h"
#include "platform/desktop/launcher.h"
#include "platform/desktop/message_service.h"
#include "platform/desktop/registry.h"
#include "platform/desktop/save_dialog.h"
#include "platform/files/file_names.h"

#include <QList>
#include <QMap>
#include <QStringList>

#include <cstring>
#include <functional>
#include <utility>
#include <optional>

namespace kestrova::testing {

class FakeMessages final : public MessageService
{
public:
    MessageAnswer show(const Message &message) override
    {
        shown.append(message);
        if (onShow)
            onShow(message);
        return answers.isEmpty() ? MessageAnswer::Ok : answers.takeFirst();
    }
    QStringList texts() const
    {
        QStringList result;
        for (const Message &message : shown)
            result << message.text;
        return result;
    }
    QList<Message> shown;
    QList<MessageAnswer> answers;          // given in turn; OK when none is left
    std::function<void(const Message &)> onShow;
};

class FakeSaveDialog final : public SaveDialog
{
public:
    void showSave() override
    {
        ++shownCount;
        seenInitialDir = initialDir;
        seenFileName = fileName;
        if (cancel) {
            if (cancelError)
                throw cancelledError();
            fileName.clear();
            return;
        }
        seenFilter = selectedFilter;
        fileName = nextChoice;
        selectedFilter = nextFilter.isEmpty() ? filter.section(QStringLiteral(";;"), 0, 0) : nextFilter;
    }
    QString documentsFolder() const override { return documents; }
    QString documents = QStringLiteral("/home/user/Documents");
    QString seenFilter; // the type shown first
    QString nextChoice;
    QString nextFilter; // the filter the user picks; the first when empty
    bool cancel = false;
    int shownCount = 0;
    QString seenInitialDir;
    QString seenFileName;
};

class FakeLauncher final : public DocumentLauncher
{
public:
    int open(const QString &file, const QString &workingFolder,
             std::function<void(int result)> lateFailure = {}) override
    {
        calls.append({file, workingFolder});
        if (failure)
            throw *failure;
        if (lateResult && lateFailure)
            pendingLateFailures.append([lateFailure, late = *lateResult] { lateFailure(late); });
        return result;
    }
    // Reports the late failures the launches so far asked for, as the desktop's launcher does
    // when it has finished.
    void finishLaunches()
    {
        const auto pending = std::exchange(pendingLateFailures, {});
        for (const auto &report : pending)
            report();
    }
    struct Call
    {
        QString file;
        QString workingFolder;
    };
    QList<Call> calls;
    int result = LaunchResult::Success;
    std::optional<int> lateResult; // what the launcher reports later, if it fails then
    std::optional<Error> failure;
    QList<std::function<void()>> pendingLateFailures;
};

class FakeProgramStarter final : public ProgramStarter
{
public:
    void start(const QString &path) override
    {
        started << path;
        if (!startable.contains(path))
            throw Error(ErrorNumber::InvalidArgument, QStringLiteral("Invalid procedure call or argument"));
    }
    QStringList started;
    QStringList startable;
};

class FakeClipboard final : public Clipboard
{
public:
    void setText(const QString &value) override
    {
        text = value;
        uriList.clear();
    }
    void setPaths(const QStringList &paths) override
    {
        QStringList shown;
        uriList.clear();
        for (const QString &path : paths) {
            shown << displayFileName(path);
            uriList += fileUrl(path) + "\r\n";
        }
        text = shown.join(u'\n');
    }
    QString text;
    QByteArray uriList;
};

class FakeFileManager final : public FileManager
{
public:
    bool showItem(const QString &path) override
    {
        shown << path;
        return available;
    }
    bool available = true; // whether a file manager answers
    QStringList shown;
};

class FakeFolderPicker final : public FolderPicker
{
public:
    QString chooseFolder(const QString &prompt) override
    {
        prompts << prompt;
        return choice;
    }
    QString chooseFile(const QString &prompt, const QString &folder, const QString &filter) override
    {
        prompts << prompt;
        fileFolders << folder;
        fileFilters << filter;
        return fileChoices.isEmpty() ? QString() : fileChoices.takeFirst();
    }
    QString choice;
    QStringList prompts;
    QStringList fileChoices; // given in turn; a cancel when none is left
    QStringList fileFolders;
    QStringList fileFilters;
};

// Keys by name, each with values of a type and raw bytes; records opens and closes.
class FakeRegistry final : public Registry
{
public:
    struct Value
    {
        quint32 type;
        QByteArray data;
    };
    long openKey(quint32 root, const QString &subKey, quint32, quint32 access, Key &key) override
    {
        lastAccess = access;
        key = 0;
        if (root != LocalMachine || !keys.contains(subKey))
            return NotFound;
        key = Key(keys.keys().indexOf(subKey) + 1);
        ++openCount;
        return Success;
    }
    long queryValue(Key key, const QString &valueName, quint32 &type, QByteArray &data, quint32 &size) override
    {
        const QMap<QString, Value> &values = keys[keys.keys().at(int(key) - 1)];
        if (!values.contains(valueName))
            return NotFound;
        const Value &value = values[valueName];
        if (quint32(value.data.size()) > size)
            return MoreData;
        std::memcpy(data.data(), value.data.constData(), size_t(value.data.size()));
        size = quint32(value.data.size());
        type = value.type;
        return Success;
    }
    long closeKey(Key key) override
    {
        if (key != 0)
            ++closeCount;
        return Success;
    }
    QMap<QString, QMap<QString, Value>> keys;
    int openCount = 0;
    int closeCount = 0;
    quint32 lastAccess = 0;
};

class FakeProgramEnd final : public ProgramEnd
{
public:
    void endNow() override { ++ended; }
    int ended = 0;
};

} // namespace kestrova::testing
