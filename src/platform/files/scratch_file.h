// A file of scratch bytes that nobody else sees: made in the temporary folder, unlinked at once
// (the system takes it back when it is closed, also when the program ends abruptly), written at
// its end and read back anywhere. For what would take too much memory to hold.
#pragma once

#include "platform/error.h"

#include <QByteArrayView>
#include <QtGlobal>

namespace kestrova {

class ScratchFile
{
public:
    // Raises an Error when the temporary folder takes no file.
    ScratchFile();
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;
    ~ScratchFile();

    // Appends bytes; raises an Error when the file cannot take them (a full disk).
    void append(QByteArrayView bytes);
    // Up to size bytes at offset; fewer at the end. Raises an Error on failure.
    qsizetype readAt(qint64 offset, char *data, qsizetype size) const;
    qint64 size() const { return m_size; }

private:
    int m_fd = -1;
    qint64 m_size = 0;
};

} // namespace kestrova
