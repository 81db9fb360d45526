#include "default_path_store.h"

#include "platform/files/file_names.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrova {
namespace {

const QString kSetupFileName = QStringLiteral("setup.txt");
constexpr qsizetype kMaxLine = 64 * 1024;

Error fileError(const QFileDevice &file)
{
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return Error(ErrorNumber::PermissionDenied, QCoreApplication::translate("Error", "Permission denied"));
    case QFileDevice::ResourceError:
        return Error(ErrorNumber::DiskFull, file.errorString());
    default:
        return Error(ErrorNumber::PathFileAccess, file.errorString());
    }
}

// The beginning of the setup file, up to and with its first line end. Only a regular file is
// read, and only as far as its first line end (at most kMaxLine bytes): a pipe, a device or a huge file
// in its place neither blocks the program nor fills its memory.
QByteArray readFirstBytes(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw errorFromErrno(errno, ErrnoSubject::File);
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat info;
    if (fstat(fd, &info) != 0)
        throw errorFromErrno(errno, ErrnoSubject::File);
    if (!S_ISREG(info.st_mode))
        throw Error(ErrorNumber::PathFileAccess, QCoreApplication::translate("Error", "Not a regular file"));
    QByteArray content(kMaxLine, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < kMaxLine) {
        const ssize_t n = ::read(fd, content.data() + got, size_t(kMaxLine - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw errorFromErrno(errno, ErrnoSubject::File);
        if (n == 0)
            break;
        const char *from = content.constData() + got;
        got += n;
        if (std::find_if(from, content.constData() + got, [](char c) { return c == '\r' || c == '\n'; })
            != content.constData() + got)
            break;
    }
    if (got == 0)
        throw Error(ErrorNumber::InputPastEnd, QCoreApplication::translate("Error", "Input past end of file"));
    content.truncate(got);
    return content;
}

// Removes what writes of the setup file that were killed part-way left beside it: QSaveFile's
// temporaries "setup.txt.XXXXXX" (six letters or digits). One touched in the last minute may
// be another instance's write under way, and is left alone.
void removeLeftoverTemporaries(const QString &setupFile)
{
    const QFileInfo target(setupFile);
    const QRegularExpression leftover(
        QRegularExpression::anchoredPattern(QRegularExpression::escape(target.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDateTime recent = QDateTime::currentDateTime().addSecs(-60);
    const QFileInfoList entries = target.absoluteDir().entryInfoList({target.fileName() + QStringLiteral(".*")},
                                                                      QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries)
        if (leftover.match(entry.fileName()).hasMatch() && !entry.isSymLink() && entry.lastModified() < recent)
            QFile::remove(entry.absoluteFilePath());
}

} // namespace

DefaultPathStore::DefaultPathStore(FileSystem &fileSystem, QString programFolder, QString configFolder, bool ownFolder)
    : m_fileSystem(fileSystem), m_programFolder(std::move(programFolder)),
      m_configFolder(std::move(configFolder)), m_ownFolder(ownFolder)
{
}

DefaultPathStore::DefaultPathStore(FileSystem &fileSystem)
    : DefaultPathStore(fileSystem, QCoreApplication::applicationDirPath(),
                       // ~/.config/kestrova whatever the organisation name is.
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                           + QStringLiteral("/kestrova"),
                       runsFromBuildTree(QCoreApplication::applicationDirPath(), QStringLiteral(KESTROVA_BUILD_DIR)))
{
}

bool DefaultPathStore::runsFromBuildTree(const QString &programFolder, const QString &buildFolder)
{
    const QString program = QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath());
    const QString build = QDir::cleanPath(QFileInfo(buildFolder).absoluteFilePath());
    return !buildFolder.isEmpty() && (program == build || program.startsWith(build + u'/'));
}

QString DefaultPathStore::setupFilePath() const
{
    // An installed program never writes into a folder of programs, whatever the prefix, also
    // when it runs as root (who may write there).
    const QFileInfo programFolder(m_programFolder);
    const QString folder =
        m_ownFolder && programFolder.isDir() && programFolder.isWritable() ? m_programFolder : m_configFolder;
    return QDir(folder).filePath(kSetupFileName);
}

bool DefaultPathStore::exists() const
{
    return m_fileSystem.FileExists(setupFilePath());
}

QString DefaultPathStore::read() const
{
    return storedPath(readFirstBytes(encodeFileName(setupFilePath())));
}

QString DefaultPathStore::storedPath(QByteArrayView setupText)
{
    qsizetype end = 0;
    while (end < setupText.size() && setupText[end] != '\r' && setupText[end] != '\n')
        ++end;
    const QString line = QString::fromUtf8(setupText.first(end));
    const qsizetype start = line.indexOf(QRegularExpression(QStringLiteral("[^ \\t]")));
    if (start >= 0 && line.at(start) == u'"') {
        const qsizetype close = line.indexOf(u'"', start + 1);
        return line.mid(start + 1, close < 0 ? -1 : close - start - 1);
    }
    return line;
}

void DefaultPathStore::write(const QString &path) const
{
    const QString target = setupFilePath();
    QDir().mkpath(QFileInfo(target).absolutePath());
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        throw fileError(file);
    file.write(path.toUtf8() + "\r\n");
    if (!file.commit())
        throw fileError(file);
    removeLeftoverTemporaries(target);
}

void DefaultPathStore::remove() const
{
    const QString path = setupFilePath();
    if (m_fileSystem.FileExists(path))
        m_fileSystem.DeleteFile(path);
}

} // namespace kestrova
