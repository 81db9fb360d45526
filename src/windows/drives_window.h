// The drives window (Tools -> Drives...): one row per catalogue of a folder with what the facts
// beside it say of its drive (label, UUID, file system, capacity, free space, files, their
// total size, when it was catalogued) and whether that drive is connected now, sortable by any
// column; at first a drive's catalogues follow each other, newest first, with how many older
// ones there are. Open Folder opens a connected drive where it is mounted.
#pragma once

#include "services.h"

#include "catalogue/drives.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kestrova {

class DrivesWindow : public QDialog
{
    Q_OBJECT

public:
    explicit DrivesWindow(Services &services, QWidget *parent = nullptr);

    // Lists the drives of the folder in the box (the folder of catalogues when it opens).
    void Form_Load();
    void cmdRefresh_Click();
    void cmdFolder_Click();
    void cmdOpen_Click();

    QLineEdit *txtFolder = nullptr;
    QPushButton *cmdFolder = nullptr;
    QPushButton *cmdRefresh = nullptr;
    QTableWidget *LV1 = nullptr;
    // What the list cannot show: a .kestrova folder whose facts are left aside. Hidden when empty.
    QLabel *lblNotes = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdClose = nullptr;

    const std::vector<DriveRow> &rows() const { return m_rows; }
    // A double-click or Enter on a drive: its catalogue in the browser (Services::browseCatalogue),
    // else its folder opened as Open Folder does.
    void LV1_Activated();

private:
    void fill();
    void updateOpen();

    Services &m_services;
    std::vector<DriveRow> m_rows;
};

} // namespace kestrova
