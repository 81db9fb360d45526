// A file written whole or not at all: it is written beside its place under another name, and
// takes the place of the file only when commit() succeeds, so that a run that ends part-way or
// a full disk never leaves half a file where a whole one was.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace kestrova {

class WholeFile
{
public:
    // Makes the folder the file goes in when it is missing (not the folders above it). path
    // carries bytes that are not UTF-8 as file_names.h escapes them.
    explicit WholeFile(const QString &path);
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
    QByteArray m_path;
    QByteArray m_temporary;
    QFile m_file;
    qint64 m_size = 0;
    bool m_failed = false;
    bool m_committed = false;
};

// Writes bytes over the start of the regular file at path (never through a link); false when it
// cannot.
bool overwriteFileStart(const QString &path, QByteArrayView bytes);

} // namespace kestrova
