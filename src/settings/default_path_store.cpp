#include "default_path_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace kestrova {
namespace {

const QString kSetupFileName = QStringLiteral("setup.txt");

Error fileError(const QFileDevice &file)
{
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return Error(ErrorNumber::PermissionDenied, QStringLiteral("Permission denied"));
    case QFileDevice::ResourceError:
        return Error(ErrorNumber::DiskFull, file.errorString());
    default:
        return Error(ErrorNumber::PathFileAccess, file.errorString());
    }
}

} // namespace

DefaultPathStore::DefaultPathStore(FileSystem &fileSystem, QString programFolder, QString configFolder)
    : m_fileSystem(fileSystem), m_programFolder(std::move(programFolder)),
      m_configFolder(std::move(configFolder))
{
}

DefaultPathStore::DefaultPathStore(FileSystem &fileSystem)
    : DefaultPathStore(fileSystem, QCoreApplication::applicationDirPath(),
                       QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
{
}

QString DefaultPathStore::setupFilePath() const
{
    const QFileInfo programFolder(m_programFolder);
    const QString folder = programFolder.isDir() && programFolder.isWritable() ? m_programFolder
                                                                               : m_configFolder;
    return QDir(folder).filePath(kSetupFileName);
}

bool DefaultPathStore::exists() const
{
    return m_fileSystem.FileExists(setupFilePath());
}

QString DefaultPathStore::read() const
{
    QFile file(setupFilePath());
    if (!file.open(QIODevice::ReadOnly))
        throw fileError(file);
    const QByteArray content = file.readAll();
    if (content.isEmpty())
        throw Error(ErrorNumber::InputPastEnd, QStringLiteral("Input past end of file"));
    qsizetype end = 0;
    while (end < content.size() && content[end] != '\r' && content[end] != '\n')
        ++end;
    const QString line = QString::fromUtf8(content.left(end));
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
}

void DefaultPathStore::remove() const
{
    const QString path = setupFilePath();
    if (m_fileSystem.FileExists(path))
        m_fileSystem.DeleteFile(path);
}

} // namespace kestrova
