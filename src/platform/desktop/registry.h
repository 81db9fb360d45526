// A read-only registry of keys and values, the way the About box finds the system information
// tool. On Linux a small stand-in answers the one key the program asks for.
#pragma once

#include <QByteArray>
#include <QString>

namespace kestrova {

class Registry
{
public:
    using Key = quint32; // 0 is no key
    static constexpr quint32 LocalMachine = 0x80000002;
    static constexpr long Success = 0;
    static constexpr long NotFound = 2;
    static constexpr long MoreData = 234;
    static constexpr quint32 TextType = 1;
    static constexpr quint32 NumberType = 4;

    virtual ~Registry() = default;
    // Each answers 0 on success or an error code.
    virtual long openKey(quint32 root, const QString &subKey, quint32 options, quint32 access, Key &key) = 0;
    // data holds size bytes on entry; on success the value's bytes and size are left in them.
    // A value larger than size answers MoreData.
    virtual long queryValue(Key key, const QString &valueName, quint32 &type, QByteArray &data,
                            quint32 &size) = 0;
    virtual long closeKey(Key key) = 0;
};

// The Linux stand-in: "SOFTWARE\Microsoft\Shared Tools\MSINFO" value "PATH" names the first
// system information program found on the PATH (kinfocenter, hardinfo, gnome-system-monitor);
// "SOFTWARE\Microsoft\Shared Tools Location" exists and holds nothing.
class DesktopRegistry final : public Registry
{
public:
    long openKey(quint32 root, const QString &subKey, quint32 options, quint32 access, Key &key) override;
    long queryValue(Key key, const QString &valueName, quint32 &type, QByteArray &data, quint32 &size) override;
    long closeKey(Key key) override;
};

} // namespace kestrova
