// Files only the user may read or write, for what tells about the user's catalogues (the
// search indexes name a catalogue's path and hint at the names it holds). A folder is private
// when the user owns it and nobody else may write to it; its new files are readable by the user
// alone. Another user who made the folder first, or may write to it, could read or replace what
// is kept there, so such a folder is not used at all.
#pragma once

#include "unnamed_file.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

namespace kestrova {

enum class PrivateFolderState {
    Private,    // owned by the user, writable by nobody else
    Missing,    // not there yet: makePrivateFolder() makes it
    NotPrivate, // owned by another user, writable by others, or no folder
};

PrivateFolderState privateFolderState(const QString &folder);

// Makes the folder and any missing folder above it, each readable by the user alone (0700).
// Answers whether the folder is private now.
bool makePrivateFolder(const QString &folder);

// Makes the folder, not the folders above it, readable by the user alone (0700) when it is
// missing. Answers whether it is private now.
bool makePrivateFolderHere(const QString &folder);

// A file written whole or not at all, readable by the user alone: a new file without a name
// (unnamed_file.h) is filled through file(), and commit() puts it in path's place. Dropped
// without commit(), the new file goes and path is as it was.
class PrivateFileWriter
{
public:
    explicit PrivateFileWriter(const QByteArray &path);
    ~PrivateFileWriter();
    PrivateFileWriter(const PrivateFileWriter &) = delete;
    PrivateFileWriter &operator=(const PrivateFileWriter &) = delete;

    // Whether the new file could be made; file() is usable only then.
    bool isOpen() const { return m_file.isOpen(); }
    QFileDevice &file() { return m_file; }
    // Flushes the new file and puts it in path's place; false when either fails.
    bool commit();

private:
    UnnamedFile m_unnamed;
    QFile m_file;
};

// Writes the file at path whole or not at all, readable by the user alone: write() fills a
// new file beside it, which then takes the file's place. False when write() answers false or
// anything fails; the file is then as it was.
bool writePrivateFileWhole(const QByteArray &path, const std::function<bool(QFileDevice &)> &write);

// Writes bytes over the start of the file at path, when the user alone may write it.
bool overwritePrivateFileStart(const QByteArray &path, QByteArrayView bytes);

} // namespace kestrova
