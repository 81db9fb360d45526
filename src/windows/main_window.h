// The main window: pick a drive and folder, generate its catalogue, view the latest catalogue,
// and open the search window, the Set Default Path dialog and the About box.
#pragma once

#include "path_label.h"
#include "services.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kestrova {

class DriveList;
class FolderList;
class PictureButton;
class BrowserWindow;
class CompareWindow;
class CopiesWindow;
class DrivesWindow;
class DefaultPathDialog;
class QuickFindWindow;
class SearchWindow;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(Services &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    void Form_Load();
    // Places the window in the middle of the screen, as it opens.
    void centreOnScreen();
    void SetButtonStatus(bool enabled);

    void cmdGenerate_Click();
    void cmdView_Click();
    void cmdFind_Click();
    void cmdSetDefaultPath_Click();
    void cmdExit_Click();
    void Drive1_Change();
    void Dir1_Change();

    // The controls, for the windows' tests and the screenshots.
    DriveList *Drive1 = nullptr;
    FolderList *Dir1 = nullptr;
    PathLabel *lblFolder = nullptr;
    QLabel *lblFile = nullptr;
    QLabel *lblProgress = nullptr; // folders and files so far, time taken, what failed
    QPushButton *cmdDetails = nullptr; // after a run that could not read everything: the list
    PictureButton *cmdGenerate = nullptr;
    PictureButton *cmdView = nullptr;
    PictureButton *cmdFind = nullptr;
    PictureButton *cmdSetDefaultPath = nullptr;
    PictureButton *cmdExit = nullptr;
    QAction *mGenerate = nullptr;
    QAction *mFind = nullptr;
    QAction *mExit = nullptr;
    QAction *mPath = nullptr;
    QAction *mAbout = nullptr;
    QAction *mCompare = nullptr;
    QAction *mDrives = nullptr;
    QAction *mCopies = nullptr;
    QAction *mQuickFind = nullptr;
    QAction *mBrowse = nullptr;

    const QString &catalogueFile() const { return m_catalogueFile; }
    // The search window's shared instance, null until Find Files first opens it and after its
    // Close button discarded it.
    SearchWindow *searchWindow() const { return m_searchWindow.get(); }
    // The Set Default Path dialog, created at its first opening and kept.
    DefaultPathDialog *pathDialog() const { return m_pathDialog.get(); }
    void mAbout_Click();
    // Tools -> Compare Catalogues...: the comparison window, created at its first opening.
    void mCompare_Click();
    CompareWindow *compareWindow() const { return m_compareWindow.get(); }
    // Tools -> Drives...: the drives window, created at its first opening.
    void mDrives_Click();
    DrivesWindow *drivesWindow() const { return m_drivesWindow.get(); }
    // Tools -> Copies...: the copies window, created at its first opening.
    void mCopies_Click();
    CopiesWindow *copiesWindow() const { return m_copiesWindow.get(); }
    // Tools -> Quick Find... (Ctrl+K): the Quick Find window, created at its first opening.
    void mQuickFind_Click();
    QuickFindWindow *quickFindWindow() const { return m_quickFindWindow.get(); }
    // Tools -> Browse Catalogue...: a catalogue chosen, then the browser, created at its first
    // opening.
    void mBrowse_Click();
    // The browser at a catalogue, at the folder of filePath with that file selected (at its
    // root when filePath is empty); what Services::browseCatalogue does.
    void browseCatalogue(const QString &catalogue, const QByteArray &filePath);
    BrowserWindow *browserWindow() const { return m_browserWindow.get(); }
    const QString &currentDrive() const { return m_currentDrive; }
    // What the last run could not read, one line each.
    const QStringList &lastFailures() const { return m_lastFailures; }
    void cmdDetails_Click();
    bool isGenerating() const { return m_generating; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The window's client area, below the menu bar, in twips.
    static constexpr int kClientWidth = 8775;
    static constexpr int kClientHeight = 6615;

    void buildControls(); // in main_window_layout.cpp, with buildMenus
    void buildMenus();
    void CheckForSetupFile();
    void OpenDefaultPath();

    Services &m_services;
    QString m_currentDrive;
    QString m_catalogueFile;
    QStringList m_lastFailures;
    bool m_generating = false;
    std::unique_ptr<SearchWindow> m_searchWindow;
    std::unique_ptr<DefaultPathDialog> m_pathDialog;
    std::unique_ptr<CompareWindow> m_compareWindow;
    std::unique_ptr<DrivesWindow> m_drivesWindow;
    std::unique_ptr<CopiesWindow> m_copiesWindow;
    std::unique_ptr<QuickFindWindow> m_quickFindWindow;
    std::unique_ptr<BrowserWindow> m_browserWindow;
};


} // namespace kestrova
