// What the window benchmarks share: messages would block a benchmark, so they are printed,
// and a question is answered yes.
#pragma once

#include "platform/desktop/message_service.h"

#include <cstdio>

namespace kestrova::bench {

class PrintedMessages final : public MessageService
{
public:
    MessageAnswer show(const Message &message) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(message.text));
        return message.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
};

} // namespace kestrova::bench
