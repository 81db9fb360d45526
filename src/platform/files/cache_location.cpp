#include "cache_location.h"

#include <QStandardPaths>

namespace kestrova {

QString UserCacheLocation::folder() const
{
    // The generic location, so that the organisation and program names set for the windows do
    // not give the command line another folder.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/kestrova");
}

} // namespace kestrova
