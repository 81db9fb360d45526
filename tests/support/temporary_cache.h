// A cache folder inside a test's own temporary folder, so that no test writes to the user's.
#pragma once

#include "platform/cache_location.h"

namespace kestrova::testing {

class TemporaryCache final : public CacheLocation
{
public:
    explicit TemporaryCache(QString folder) : m_folder(std::move(folder)) {}
    QString folder() const override { return m_folder; }

private:
    QString m_folder;
};

} // namespace kestrova::testing
