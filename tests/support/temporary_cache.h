// A cache folder inside a test's own temporary folder, so that no test writes to the user's.
#pragma once

#include "platform/files/cache_location.h"

#include <QFile>
#include <QTemporaryDir>

namespace kestrova::testing {

class TemporaryCache final : public CacheLocation
{
public:
    explicit TemporaryCache(QString folder) : m_folder(std::move(folder)) {}
    QString folder() const override { return m_folder; }

private:
    QString m_folder;
};

// Points $XDG_CACHE_HOME at a temporary folder for as long as it lives, so that the programs a
// test runs or starts keep their search indexes there, not in the user's cache.
class TemporaryCacheHome
{
public:
    TemporaryCacheHome() { qputenv("XDG_CACHE_HOME", QFile::encodeName(m_folder.path())); }
    ~TemporaryCacheHome() { qunsetenv("XDG_CACHE_HOME"); }
    bool isValid() const { return m_folder.isValid(); }
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};

} // namespace kestrova::testing
