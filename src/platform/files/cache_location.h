// Where the program keeps what it can always make again, such as the search's indexes of
// catalogue files. Deleting that folder is always safe.
#pragma once

#include <QString>

namespace kestrova {

class CacheLocation
{
public:
    virtual ~CacheLocation() = default;
    // The folder, which may not exist yet; empty when there is none.
    virtual QString folder() const = 0;
};

// The user's cache folder, shared by both programs: $XDG_CACHE_HOME/kestrova, by default
// ~/.cache/kestrova.
class UserCacheLocation final : public CacheLocation
{
public:
    QString folder() const override;
};

} // namespace kestrova
