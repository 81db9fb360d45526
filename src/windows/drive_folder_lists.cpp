#include "drive_folder_lists.h"

#include <QApplication>
#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>
#include <QStyle>

#include <algorithm>

namespace kestrova {

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1; // the folder name without the indentation
}

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, &DriveList::driveChanged);
}

void DriveList::setDrives(const QList<Volume> &drives, const QString &currentFolder)
{
    const QSignalBlocker blocker(this);
    m_drives = drives;
    clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const Volume &volume : drives)
        addItem(icon, volume.displayText(), volume.rootPath);
    const Volume current = driveOf(currentFolder, drives);
    setCurrentIndex(std::max(0, findData(current.rootPath)));
}

QString DriveList::drive() const
{
    return currentData().toString();
}

bool DriveList::refresh(const QList<Volume> &drives, const QString &folder)
{
    const QString shown = drive();
    const bool kept = std::any_of(drives.begin(), drives.end(), [&](const Volume &volume) { return volume.rootPath == shown; });
    setDrives(drives, kept ? shown : folder);
    return kept;
}

void followDrives(DriveList &drives, FolderList &folders, const QList<Volume> &mounted)
{
    const QString folder = folders.path();
    if (drives.refresh(mounted, folder) && QFileInfo(folder).isDir()) {
        folders.reread();
        return;
    }
    try {
        folders.setPath(drives.drive());
    } catch (const Error &) {
        folders.reread(); // the drive shown is not ready either: the list shows what is there
    }
}

FolderList::FolderList(QWidget *parent) : QListWidget(parent)
{
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemActivated, this, &FolderList::openItem);
}

void FolderList::setPath(const QString &folder)
{
    if (folder.isEmpty())
        throw Error(ErrorNumber::PathNotFound, QCoreApplication::translate("DriveFolderLists", "Path not found"));
    const QFileInfo info(folder);
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    if (!info.exists() || !info.isDir()) {
        const QStorageInfo storage(folder);
        if (storage.isValid() && !storage.isReady())
            throw Error(ErrorNumber::DiskNotReady, QCoreApplication::translate("DriveFolderLists", "Disk not ready"));
        throw Error(ErrorNumber::PathNotFound, QCoreApplication::translate("DriveFolderLists", "Path not found"));
    }
    if (!info.isReadable() || !info.isExecutable())
        throw Error(ErrorNumber::PermissionDenied, QCoreApplication::translate("DriveFolderLists", "Permission denied"));
    if (clean == m_path)
        return;
    m_path = clean;
    rebuild();
    emit pathChanged();
}

void FolderList::startAt(const QString &folder)
{
    const QSignalBlocker blocker(this);
    try {
        setPath(folder);
    } catch (const Error &) {
        // A folder that vanished: nothing to show yet.
    }
}

void FolderList::openItem(QListWidgetItem *item)
{
    const QString folder = item->data(kPathRole).toString();
    try {
        setPath(folder);
    } catch (const Error &error) {
        // A folder that vanished or denies access: the list stays where it is, and says why.
        rebuild();
        emit openFailed(folder, error);
    }
}

void FolderList::rebuild()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The ancestors, from the root down to the current folder, each indented one step more.
    QStringList ancestors;
    for (QDir dir(m_path);; ) {
        ancestors.prepend(dir.absolutePath());
        if (!dir.cdUp())
            break;
    }
    int depth = 0;
    for (const QString &ancestor : ancestors) {
        const QString name = ancestor == u"/" ? ancestor : QFileInfo(ancestor).fileName();
        auto *item = new QListWidgetItem(open, QString(depth * 2, u' ') + name, this);
        item->setData(kPathRole, ancestor);
        item->setData(kNameRole, name);
        item->setData(Qt::AccessibleTextRole, name); // read out without the indentation
        ++depth;
    }
    setCurrentRow(count() - 1);
    QStringList children = QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(children.begin(), children.end(), collator);
    for (const QString &child : children) {
        auto *item = new QListWidgetItem(closed, QString(depth * 2, u' ') + child, this);
        item->setData(kPathRole, QDir(m_path).filePath(child));
        item->setData(kNameRole, child);
        item->setData(Qt::AccessibleTextRole, child);
    }
}

// Typing moves to the next folder whose name starts with what was typed: the names, not the
// indented texts the list shows. Letters typed in quick succession add up; the same letter
// typed again moves on to the next folder with that letter.
void FolderList::keyboardSearch(const QString &search)
{
    if (!m_typedClock.isValid() || m_typedClock.elapsed() > QApplication::keyboardInputInterval())
        m_typed.clear();
    m_typedClock.start();
    m_typed += search;
    const bool oneLetter = std::all_of(m_typed.begin(), m_typed.end(), [&](QChar c) { return c == m_typed.front(); });
    const QString wanted = oneLetter ? m_typed.left(1) : m_typed;
    const int rows = count();
    const int start = std::max(0, currentRow() + (oneLetter ? 1 : 0));
    for (int i = 0; i < rows; ++i) {
        QListWidgetItem *candidate = item((start + i) % rows);
        if (candidate->data(kNameRole).toString().startsWith(wanted, Qt::CaseInsensitive)) {
            setCurrentItem(candidate);
            return;
        }
    }
}

} // namespace kestrova
