// A mount watch the test triggers: change() is a drive mounted or unmounted.
#pragma once

#include "platform/files/mount_watch.h"

namespace kestrova::testing {

class FakeMountWatch final : public MountWatch
{
public:
    void change() { emit mountsChanged(); }
};

} // namespace kestrova::testing
