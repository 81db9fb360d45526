// The drive list and the folder list that the main window and the search window share.
// The drive list holds the mounted drives; the folder list shows the current folder's
// ancestors and sub-folders, and opens a folder on a double-click or Enter.
#pragma once

#include "platform/error.h"
#include "platform/files/volumes.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>

#include <functional>

namespace kestrova {

class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget *parent = nullptr);

    // Fills the list; the current drive becomes the one that holds currentFolder.
    void setDrives(const QList<Volume> &drives, const QString &currentFolder);
    // The mount path of the drive shown.
    QString drive() const;
    // Refills the list with the drives mounted now, the drive shown kept while it is mounted;
    // false when it is gone (the list then shows the drive that holds folder).
    bool refresh(const QList<Volume> &drives, const QString &folder);

signals:
    // The user picked another drive.
    void driveChanged();

private:
    QList<Volume> m_drives;
};

class FolderList;

// After a drive came or went: the drive list shows the drives there are now; where the folder
// shown went with its drive (or is gone), the folder list moves to the root of the drive shown
// now, with a change event; otherwise it shows the folder's sub-folders as they are now.
void followDrives(DriveList &drives, FolderList &folders, const QList<Volume> &mounted);

class FolderList : public QListWidget
{
    Q_OBJECT

public:
    explicit FolderList(QWidget *parent = nullptr);

    const QString &path() const { return m_path; }
    // Moves the list to folder. Raises an Error, leaving the list where it was, when folder is
    // empty, missing, not a folder, unreadable, or on a drive that is not ready.
    void setPath(const QString &folder);
    // Moves the list to folder without a change event, as a window opens; the list stays as it
    // was when the folder is gone.
    void startAt(const QString &folder);

    void keyboardSearch(const QString &search) override;
    // Lists the folder's sub-folders again, as they are now.
    void reread() { rebuild(); }

signals:
    // The path changed, by the user or by the program.
    void pathChanged();
    // The user opened a folder that cannot be shown (it denies access, or vanished); the list
    // stays where it was.
    void openFailed(const QString &folder, const kestrova::Error &error);

private:
    void openItem(QListWidgetItem *item);
    void rebuild();

    QString m_path;
    QString m_typed;            // letters typed in quick succession
    QElapsedTimer m_typedClock; // since the last letter
};

} // namespace kestrova
