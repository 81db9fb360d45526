// A file written whole or not at all: it has no name while it is written (unnamed_file.h), and
// takes the place of the file only when commit() succeeds, so that a run that ends part-way or
// a full disk never leaves half a file where a whole one was, nor anything beside it.
#pragma once

#include "unnamed_file.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace kestrova {

class WholeFile
{
public:
    // path carries bytes that are not UTF-8 as file_names.h escapes them; its folder must be
    // there. mode: the permissions of the new file.
    explicit WholeFile(const QString &path, mode_t mode = 0666);
    // Without commit(), nothing of the file is left.
    ~WholeFile();
    WholeFile(const WholeFile &) = delete;
    WholeFile &operator=(const WholeFile &) = delete;

    // Appends bytes; false once a write has failed.
    bool write(QByteArrayView bytes);
    // Writes bytes over those at offset (a header filled in at the end).
    bool writeAt(qint64 offset, QByteArrayView bytes);
    qint64 size() const { return m_size; }
    // The file takes its place; false when anything failed, and then nothing changed.
    bool commit();

private:
    UnnamedFile m_unnamed;
    QFile m_file;
    qint64 m_size = 0;
    bool m_failed = false;
};

// Writes bytes over the start of the regular file at path (never through a link); false when it
// cannot.
bool overwriteFileStart(const QString &path, QByteArrayView bytes);

// Removes the file at path; where it cannot be removed but can be written, its first bytes are
// overwritten with zeros, so that no reader takes it for what it was. False when the file is
// still there as it was.
bool discardFile(const QString &path, qint64 headerBytes);

} // namespace kestrova
