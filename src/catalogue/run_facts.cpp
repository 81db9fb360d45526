// The facts of a run as text: the lines "key=value" the facts file keeps of the run, and what is
// known of a run as it starts.
#include "run_facts.h"

#include <algorithm>

namespace kestrova {
namespace {

QByteArray escaped(const QString &value)
{
    QByteArray out = value.toUtf8();
    out.replace('\\', "\\\\").replace('\n', "\\n").replace('\r', "\\r");
    return out;
}

QString unescaped(QByteArrayView value)
{
    QByteArray out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            out.append(next == 'n' ? '\n' : next == 'r' ? '\r' : next);
        } else {
            out.append(value[i]);
        }
    }
    return QString::fromUtf8(out);
}

QByteArray number(qint64 value)
{
    return value < 0 ? QByteArray() : QByteArray::number(value);
}

qint64 numberOf(const QString &text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok && value >= 0 ? value : -1;
}

} // namespace

QByteArray RunFacts::text() const
{
    QByteArray out;
    const auto line = [&](const char *key, const QByteArray &value) {
        if (!value.isEmpty())
            out += QByteArray(key) + '=' + value + '\n';
    };
    line("label", escaped(label));
    line("uuid", escaped(uuid));
    line("filesystem", escaped(fileSystem));
    line("capacity", number(capacity));
    line("free", number(free));
    line("device", escaped(device));
    line("mount_point", escaped(mountPoint));
    line("mount_root", escaped(mountRoot));
    line("root", escaped(root));
    line("started", started.isValid() ? started.toUTC().toString(Qt::ISODateWithMs).toUtf8() : QByteArray());
    line("ended", ended.isValid() ? ended.toUTC().toString(Qt::ISODateWithMs).toUtf8() : QByteArray());
    line("program_version", escaped(programVersion));
    line("entries", QByteArray::number(entries));
    line("total_bytes", number(totalBytes));
    line("date_locale", escaped(dates.locale));
    line("date_pattern", escaped(dates.datePattern));
    line("time_pattern", escaped(dates.timePattern));
    line("am_text", escaped(dates.am));
    line("pm_text", escaped(dates.pm));
    return out;
}

RunFacts RunFacts::fromText(QByteArrayView text)
{
    RunFacts run;
    for (const QByteArrayView line : QByteArray(text.toByteArray()).split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QByteArrayView key = line.first(equals);
        const QString value = unescaped(line.sliced(equals + 1));
        if (key == "label")
            run.label = value;
        else if (key == "uuid")
            run.uuid = value;
        else if (key == "filesystem")
            run.fileSystem = value;
        else if (key == "capacity")
            run.capacity = numberOf(value);
        else if (key == "free")
            run.free = numberOf(value);
        else if (key == "device")
            run.device = value;
        else if (key == "mount_point")
            run.mountPoint = value;
        else if (key == "mount_root")
            run.mountRoot = value;
        else if (key == "root")
            run.root = value;
        else if (key == "started")
            run.started = QDateTime::fromString(value, Qt::ISODateWithMs);
        else if (key == "ended")
            run.ended = QDateTime::fromString(value, Qt::ISODateWithMs);
        else if (key == "program_version")
            run.programVersion = value;
        else if (key == "entries")
            run.entries = quint64(std::max<qint64>(0, numberOf(value)));
        else if (key == "total_bytes")
            run.totalBytes = numberOf(value);
        else if (key == "date_locale")
            run.dates.locale = value;
        else if (key == "date_pattern")
            run.dates.datePattern = value;
        else if (key == "time_pattern")
            run.dates.timePattern = value;
        else if (key == "am_text")
            run.dates.am = value;
        else if (key == "pm_text")
            run.dates.pm = value;
    }
    return run;
}

RunFacts startingRun(const QString &root, const Volume &volume)
{
    RunFacts run;
    run.label = volume.label;
    run.uuid = volume.uuid;
    run.fileSystem = volume.fileSystem;
    run.capacity = volume.capacity;
    run.free = volume.free;
    run.device = volume.device;
    run.mountPoint = volume.rootPath;
    run.mountRoot = volume.mountRoot;
    run.root = root;
    run.started = QDateTime::currentDateTimeUtc();
    run.programVersion =
        QStringLiteral("%1.%2.%3").arg(KESTROVA_VERSION_MAJOR).arg(KESTROVA_VERSION_MINOR).arg(KESTROVA_VERSION_PATCH);
    return run;
}

} // namespace kestrova
