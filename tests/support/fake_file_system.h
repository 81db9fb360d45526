// An in-memory file system for tests: folders and files in the order they are added, with
// failures planted where a test wants them.
#pragma once

#include "platform/files/file_system.h"

#include <QHash>
#include <QSet>

#include <algorithm>

#include <optional>

namespace kestrova::testing {

class FakeFileSystem final : public FileSystem
{
public:
    struct File
    {
        QByteArray name;
        QString type;
        QDateTime created;
        std::optional<Error> failure; // raised when its attributes are read
    };

    void addFolder(const QByteArray &path)
    {
        if (m_folders.contains(path))
            return;
        m_folders.insert(path, {});
        const qsizetype slash = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
        if (slash > 0) {
            const QByteArray parent = path.left(slash);
            addFolder(parent);
            m_folders[parent].subFolders.push_back(path);
        }
    }
    void addFile(const QByteArray &folder, const QByteArray &name, const QString &type,
                 const QDateTime &created)
    {
        addFolder(folder);
        m_folders[folder].files.push_back({name, type, created, std::nullopt});
    }
    void failFolder(const QByteArray &path, const Error &error) { m_folderFailures.insert(path, error); }
    void failFile(const QByteArray &folder, const QByteArray &name, const Error &error)
    {
        for (File &file : m_folders[folder].files)
            if (file.name == name)
                file.failure = error;
    }

    std::unique_ptr<Folder> GetFolder(const QByteArray &path) override
    {
        ++m_opened;
        if (path.isEmpty())
            throw invalidArgumentError();
        if (const auto failure = m_folderFailures.constFind(path); failure != m_folderFailures.cend())
            throw *failure;
        const auto found = m_folders.constFind(path);
        if (found == m_folders.cend())
            throw Error(ErrorNumber::PathNotFound, QStringLiteral("Path not found"));
        return std::make_unique<FakeFolder>(*this, path, *found);
    }
    bool FileExists(const QString &path) override { return m_existing.contains(path); }
    void DeleteFile(const QString &path) override
    {
        if (deleteFailure)
            throw *deleteFailure;
        if (!m_existing.remove(path))
            throw Error(ErrorNumber::FileNotFound, QStringLiteral("File not found"));
    }
    void addExistingFile(const QString &path) { m_existing.insert(path); }

    int foldersOpened() const { return m_opened; }
    std::optional<Error> deleteFailure;

private:
    struct Listing
    {
        std::vector<File> files;
        std::vector<QByteArray> subFolders;
    };

    class FakeFolder final : public Folder
    {
    public:
        FakeFolder(FakeFileSystem &fileSystem, QByteArray path, const Listing &listing)
            : m_fileSystem(fileSystem), m_path(std::move(path)), m_listing(listing)
        {
            for (const File &file : listing.files)
                m_names.push_back(file.name);
        }
        QByteArray Path() const override { return m_path; }
        std::unique_ptr<Folder> OpenSubFolder(const QByteArray &path) override
        {
            return m_fileSystem.GetFolder(path);
        }
        const std::vector<QByteArray> &Files() const override { return m_names; }
        std::vector<QByteArray> SubFolders() const override { return m_listing.subFolders; }
        QString Type(const QByteArray &name) override { return file(name).type; }
        LocalDateTime DateCreated(const QByteArray &name) override
        {
            const QDateTime &created = file(name).created;
            return {created.date(), created.time()};
        }

    private:
        const File &file(const QByteArray &name) const
        {
            for (const File &f : m_listing.files) {
                if (f.name != name)
                    continue;
                if (f.failure)
                    throw *f.failure;
                return f;
            }
            throw Error(ErrorNumber::FileNotFound, QStringLiteral("File not found"));
        }
        FakeFileSystem &m_fileSystem;
        QByteArray m_path;
        const Listing &m_listing;
        std::vector<QByteArray> m_names;
    };

    QHash<QByteArray, Listing> m_folders;
    QHash<QByteArray, Error> m_folderFailures;
    QSet<QString> m_existing;
    int m_opened = 0;
};

} // namespace kestrova::testing
