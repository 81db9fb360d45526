// The setup file's first-line rule on any bytes: the stored path never holds a line end, and
// without a leading quote it is the first line as written.
#include "fuzz_targets.h"

#include "settings/default_path_store.h"

namespace kestrova::fuzz {

int setupFile(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = DefaultPathStore::storedPath(text);
    if (path.contains(u'\r') || path.contains(u'\n'))
        fail("setupFile", "the stored path holds a line end");
    qsizetype end = 0;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
        ++end;
    const QString firstLine = QString::fromUtf8(text.first(end));
    if (!firstLine.trimmed().startsWith(u'"') && path != firstLine)
        fail("setupFile", "a plain first line did not read as written");
    if (path.size() > firstLine.size())
        fail("setupFile", "the stored path is longer than the first line");
    return 0;
}

} // namespace kestrova::fuzz
