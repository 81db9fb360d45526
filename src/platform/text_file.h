// Text files written line by line, each line ending in carriage return and line feed.
// Lines go out through a buffer; the file is flushed and closed on every way out, so a file
// that an error or the end of the program interrupts keeps every line written before.
#pragma once

#include "error.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kestrova {

class TextFileWriter
{
public:
    enum class Mode { Truncate, Append };

    // Opens (creating when missing) the file; raises an Error when it cannot.
    TextFileWriter(const QString &path, Mode mode);
    TextFileWriter(const TextFileWriter &) = delete;
    TextFileWriter &operator=(const TextFileWriter &) = delete;
    // Flushes and closes; a failure there is lost, so call close() to see it.
    ~TextFileWriter();

    // Appends text and the line end. Raises an Error when the file cannot take it.
    void writeLine(QByteArrayView text);
    void flush();
    void close();
    bool isOpen() const { return m_fd >= 0; }

    // Flushes and closes every writer still open, for a program that ends at once.
    static void flushAllOpen() noexcept;

private:
    int m_fd = -1;
    QByteArray m_buffer;
    qsizetype m_used = 0;
    TextFileWriter *m_nextOpen = nullptr;
    TextFileWriter *m_previousOpen = nullptr;
};

} // namespace kestrova
