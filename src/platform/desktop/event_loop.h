// Letting the event loop run during the long operations, which run on the one UI thread.
#pragma once

namespace kestrova {

// Handles every pending event once and returns.
void yieldToEventLoop();

} // namespace kestrova
