// Message boxes. Every message the program shows goes through one service, so that tests
// capture them instead of blocking on a dialog.
#pragma once

#include "platform/error.h"

#include <QCoreApplication>
#include <QString>

namespace kestrova {

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageIcon { None, Information, Exclamation, Critical };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// The title of every message box that gives none of its own.
inline const QString kApplicationTitle = QStringLiteral("Kestrova");

struct Message
{
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    QString title = kApplicationTitle;
    // A check box under the text, unchecked, when not empty; its state after the answer goes
    // to *checked.
    QString checkBox = {};
    bool *checked = nullptr;
};

class MessageService
{
public:
    virtual ~MessageService() = default;
    // Shows the message and waits for the user's answer.
    virtual MessageAnswer show(const Message &message) = 0;

    // The two ways failures are reported. Number style: the number, two blanks, the
    // description, no icon. Description style: the description alone, information icon.
    void reportNumberStyle(const Error &error) { show({error.numberStyle()}); }
    void reportDescriptionStyle(const Error &error) { inform(error.description()); }
    void inform(const QString &text) { show({text, MessageButtons::Ok, MessageIcon::Information}); }
    // A question that guards a destructive step: OK and Cancel, exclamation icon.
    bool confirm(const QString &text)
    {
        return show({text, MessageButtons::OkCancel, MessageIcon::Exclamation}) == MessageAnswer::Ok;
    }
    // The question a Save dialog asks before it replaces a file: Yes and No.
    bool confirmReplace(const QString &fileName)
    {
        return show({QCoreApplication::translate("MessageService", "%1 already exists.\nDo you want to replace it?").arg(fileName),
                     MessageButtons::YesNo, MessageIcon::Exclamation})
               == MessageAnswer::Yes;
    }
};

} // namespace kestrova
