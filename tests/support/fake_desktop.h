// Fakes of the desktop services: they record what the windows asked for and answer as the
// test says, so no dialog ever blocks a test.
#pragma once

#include "platform/desktop_tools.h"
#include "platform/launcher.h"
#include "platform/message_service.h"
#include "platform/save_dialog.h"

#include <QList>
#include <QStringList>

#include <functional>
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
        fileName = nextChoice;
    }
    QString nextChoice;
    bool cancel = false;
    int shownCount = 0;
    QString seenInitialDir;
    QString seenFileName;
};

class FakeLauncher final : public DocumentLauncher
{
public:
    int open(const QString &file, const QString &workingFolder) override
    {
        calls.append({file, workingFolder});
        if (failure)
            throw *failure;
        return result;
    }
    struct Call
    {
        QString file;
        QString workingFolder;
    };
    QList<Call> calls;
    int result = LaunchResult::Success;
    std::optional<Error> failure;
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
    void setText(const QString &value) override { text = value; }
    QString text;
};

class FakeProgramEnd final : public ProgramEnd
{
public:
    void endNow() override { ++ended; }
    int ended = 0;
};

} // namespace kestrova::testing
