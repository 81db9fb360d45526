#include "registry.h"

#include <QStandardPaths>

#include <cstring>

namespace kestrova {
namespace {

constexpr Registry::Key kInfoKey = 1;
constexpr Registry::Key kLocationKey = 2;

} // namespace

long DesktopRegistry::openKey(quint32 root, const QString &subKey, quint32, quint32, Key &key)
{
    key = 0;
    if (root != LocalMachine)
        return NotFound;
    if (subKey.compare(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), Qt::CaseInsensitive) == 0)
        key = kInfoKey;
    else if (subKey.compare(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), Qt::CaseInsensitive) == 0)
        key = kLocationKey;
    return key ? Success : NotFound;
}

long DesktopRegistry::queryValue(Key key, const QString &valueName, quint32 &type, QByteArray &data,
                                 quint32 &size)
{
    if (key != kInfoKey || valueName.compare(QStringLiteral("PATH"), Qt::CaseInsensitive) != 0)
        return NotFound;
    QString program;
    for (const char *name : {"kinfocenter", "hardinfo", "gnome-system-monitor"}) {
        program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty())
            break;
    }
    if (program.isEmpty())
        return NotFound;
    const QByteArray value = program.toLocal8Bit() + '\0';
    if (quint32(value.size()) > size || data.size() < value.size())
        return MoreData;
    std::memcpy(data.data(), value.constData(), size_t(value.size()));
    size = quint32(value.size());
    type = TextType;
    return Success;
}

long DesktopRegistry::closeKey(Key)
{
    return Success;
}

} // namespace kestrova
