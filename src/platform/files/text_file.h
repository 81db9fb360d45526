// Text files written line by line, each line ending in carriage return and line feed.
// Lines go out through a buffer; the file is flushed and closed on every way out, so a file
// that an error or the end of the program interrupts keeps every line written before.
#pragma once

#include "platform/error.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

namespace kestrova {

class UnnamedFile;

class TextFileWriter
{
public:
    // Replace: where a file is at path, the lines go to a new file without a name, which takes
    // its place (and its permissions) at commit(), so that a writing that ends before leaves the
    // file as it was; where none is, as Truncate.
    enum class Mode { Truncate, Append, Replace };

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
    // Closes the file; a new file then takes the place of the one replaced. Raises an Error
    // when either fails.
    void commit();
    bool isOpen() const { return m_fd >= 0; }
    // Whether the lines go to a new file that replaces one already there.
    bool replaces() const { return m_replacement != nullptr; }

    // Flushes and closes every writer still open, for a program that ends at once.
    static void flushAllOpen() noexcept;

private:
    int m_fd = -1;
    std::unique_ptr<UnnamedFile> m_replacement;
    QByteArray m_buffer;
    qsizetype m_used = 0;
    TextFileWriter *m_nextOpen = nullptr;
    TextFileWriter *m_previousOpen = nullptr;
};

// What tells one state of a file from another: a file whose size, modification time, status
// change time, inode or device differ is not the file that was seen before. The status change
// time cannot be set back (touch -r restores only the modification time); neither tells two
// writes apart within the granularity of the file system's clock.
struct FileIdentity
{
    qint64 size = -1;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    quint64 inode = 0;
    quint64 device = 0;
    bool operator==(const FileIdentity &) const = default;
};

// A file read as raw bytes in large blocks, closed when the reader goes. Only regular files
// on real file systems give bytes: a pipe, a device or a file of /proc in a folder of
// catalogues reads as empty, so that a search never waits on it. A file is read up to the
// size it had when it was opened, so that one that keeps growing still ends.
class FileReader
{
public:
    // Opens the file; raises an Error when it cannot.
    explicit FileReader(const QByteArray &path);
    FileReader(const FileReader &) = delete;
    FileReader &operator=(const FileReader &) = delete;
    ~FileReader();

    // Reads up to size bytes into data; 0 at the end of the file. Raises an Error on failure.
    qsizetype read(char *data, qsizetype size);
    // Goes on reading at offset (at most the size at opening).
    void seek(qint64 offset);
    // Up to size bytes at offset, without moving where read() goes on; fewer at the end.
    qsizetype readAt(qint64 offset, char *data, qsizetype size) const;

    // Whether the file gives bytes (a regular file on a real file system).
    bool isRegular() const { return m_regular; }
    // The file as it was when opened, and as it is now.
    const FileIdentity &identityAtOpening() const { return m_identity; }
    FileIdentity identityNow() const;
    // Whether the file belongs to the user running the program and nobody else may write it:
    // only then is what it says taken on trust (a search index in a shared cache folder).
    bool isPrivate() const;

private:
    int m_fd = -1;
    bool m_regular = false;
    qint64 m_next = 0; // where read() goes on: each read names its place, so a seek costs no call
    qint64 m_left = 0; // bytes still to give
    FileIdentity m_identity;
};

} // namespace kestrova
