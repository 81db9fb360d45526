// The default path: the folder the user keeps catalogues in, remembered in the setup file
// setup.txt, and the application-wide strings that carry paths between the windows.
#pragma once

#include "platform/error.h"
#include "platform/files/file_system.h"

#include <QString>

namespace kestrova {

// The strings every window shares while the program runs; empty at start-up, never stored.
struct SharedPaths
{
    QString DefaultPath;  // as last read from or written to the setup file
    QString CurrentPath;  // the folder whose catalogues the next search reads
    QString SelectedPath; // the File Path of the hit last double-clicked
    QString ExportFolder; // where results were last exported; empty until the first export
};

class DefaultPathStore
{
public:
    // programFolder: the folder that holds the executable. configFolder: the user's
    // configuration folder for the program. ownFolder: whether the program keeps its setup
    // file beside itself when the user may write there (a program run from its build tree
    // does; an installed one, wherever it was installed, never does).
    DefaultPathStore(FileSystem &fileSystem, QString programFolder, QString configFolder, bool ownFolder = true);
    // The running program's folders: its own when it runs from the build tree it was built in.
    explicit DefaultPathStore(FileSystem &fileSystem);

    // Where the setup file lies: in the program's folder when it keeps its own and the user may
    // write there, otherwise in the user's configuration folder. Reading, writing and deleting
    // all use it.
    QString setupFilePath() const;

    // Whether the program in programFolder runs from the build tree at buildFolder.
    static bool runsFromBuildTree(const QString &programFolder, const QString &buildFolder);

    bool exists() const;
    // The stored path: the first line as written, or, when it begins with a double quote, the
    // text up to the next one. An empty file raises the end-of-file error (62); an empty
    // first line reads as empty text. Only a regular file is read, never waiting on it, and
    // only up to its first line end (at most 64 KiB); anything else raises an Error.
    QString read() const;
    // The stored path that a setup file beginning with setupText holds (the rule of read()).
    static QString storedPath(QByteArrayView setupText);
    // Replaces the file with one line holding path. Atomic: when the write fails the previous
    // file stays as it was. Raises an Error on failure. A success also removes temporaries
    // that earlier writes, killed part-way, left beside the file.
    void write(const QString &path) const;
    // Deletes the file when it exists; raises an Error when it cannot, also when the file
    // itself is read-only (it is not forced).
    void remove() const;

private:
    FileSystem &m_fileSystem;
    QString m_programFolder;
    QString m_configFolder;
    bool m_ownFolder;
};

} // namespace kestrova
