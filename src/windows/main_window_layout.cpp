// The main window's controls and menus, as the window is designed: where each one stands, its
// caption, its name for a screen reader, and what it calls.
#include "main_window.h"

#include "application_identity.h"
#include "decoration.h"
#include "drawn_icons.h"
#include "drive_folder_lists.h"
#include "layout.h"
#include "path_label.h"
#include "picture_button.h"

#include "platform/files/file_names.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QStyle>

namespace kestrova {

void MainWindow::buildControls()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);
    client->setFixedSize(twips(kClientWidth), twips(kClientHeight));

    auto *frame1 = new QGroupBox(tr("Select Drive/Folder "), client);
    frame1->setFont(boldFont(9.75));
    frame1->setAccessibleName(frame1->title().trimmed());
    place(frame1, 120, 240, 6375, 3855);
    // The labels name the lists for a screen reader.
    QLabel *driveLabel = boldLabel(tr("Select Drive"), frame1, 240, 480, 1575, 255);
    Drive1 = new DriveList(frame1);
    place(Drive1, 2280, 480, 3735, 315);
    driveLabel->setBuddy(Drive1);
    QLabel *folderLabel = boldLabel(tr("Select Folder"), frame1, 240, 1080, 1575, 255);
    Dir1 = new FolderList(frame1);
    place(Dir1, 2280, 1080, 3735, 2565);
    folderLabel->setBuddy(Dir1);
    Dir1->setAccessibleName(folderLabel->text()); // a list takes no name from its label
    boldLabel(tr("Please select the Drive or Folder you want to generate its Catalogue."),
          frame1, 240, 1440, 1815, 1095);
    // Below the label's text, which takes four lines in the desktop's wider fonts; decoration
    // only.
    new Decoration(frame1, applicationIcon().pixmap(QSize(32, 32), devicePixelRatioF()), twipsRect(1200, 2640, 480, 480));
    for (QWidget *child : frame1->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (child != Drive1 && child != Dir1)
            child->setFont(boldFont(8.25));

    auto *frame2 = new QGroupBox(tr("Process Details"), client);
    frame2->setFont(boldFont(9.75));
    place(frame2, 120, 4320, 8535, 2175);
    boldLabel(tr("Current Folder"), frame2, 360, 360, 1575, 255);
    lblFolder = new PathLabel(frame2);
    lblFolder->setFont(boldFont(8.25));
    lblFolder->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(lblFolder, 2160, 360, 5895, 375);
    boldLabel(tr("Current File"), frame2, 360, 960, 1575, 255);
    lblFile = boldLabel(QString(), frame2, 2160, 960, 5895, 975);
    lblFile->setTextFormat(Qt::PlainText);
    // The value labels say what their value is to a screen reader, also while empty.
    lblFolder->setAccessibleName(tr("Current Folder"));
    lblFile->setAccessibleName(tr("Current File"));
    // Beside the Current File label's three lines: how far a run has come, and its totals.
    lblProgress = new QLabel(frame2);
    lblProgress->setTextFormat(Qt::PlainText);
    lblProgress->setFont(boldFont(8.25));
    place(lblProgress, 360, 1935, 6375, 225);
    lblProgress->setAccessibleName(tr("Progress of the run"));
    cmdDetails = new QPushButton(tr("&Details..."), frame2);
    cmdDetails->setFont(boldFont(8.25));
    cmdDetails->setToolTip(tr("What the last run could not read"));
    place(cmdDetails, 6840, 1860, 1560, 300);
    cmdDetails->hide();
    connect(cmdDetails, &QPushButton::clicked, this, &MainWindow::cmdDetails_Click);

    auto button = [&](const QIcon &picture, const QString &caption, int top) {
        auto *result = new PictureButton(picture, caption, client);
        result->setFont(boldFont(8.25));
        // 750 rather than 700 twips high: two lines of caption below the picture need it with
        // the desktop's fonts.
        place(result, 6960, top, 1455, 750);
        result->setAccessibleName(QString(caption).remove(u'&').trimmed());
        return result;
    };
    cmdGenerate = button(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("&Generate Catalogue"), 360);
    cmdView = button(style()->standardIcon(QStyle::SP_FileDialogContentsView), tr("&View Catalogue"), 1140);
    cmdFind = button(style()->standardIcon(QStyle::SP_FileDialogDetailedView), tr("&Find Files "), 1920);
    cmdSetDefaultPath = button(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("&Set Default Path"), 2700);
    cmdExit = button(closeIcon(), tr("E&xit"), 3480);
    cmdGenerate->setEnabled(false);
    cmdView->setEnabled(false);

    rule(client, QFrame::HLine, QRect(0, twips(120) - 1, twips(8760), 2));
    rule(client, QFrame::VLine, QRect(twips(6720) - 1, twips(240), 2, twips(4200 - 240)));

    connect(cmdGenerate, &QPushButton::clicked, this, &MainWindow::cmdGenerate_Click);
    connect(cmdView, &QPushButton::clicked, this, &MainWindow::cmdView_Click);
    connect(cmdFind, &QPushButton::clicked, this, &MainWindow::cmdFind_Click);
    connect(cmdSetDefaultPath, &QPushButton::clicked, this, &MainWindow::cmdSetDefaultPath_Click);
    connect(cmdExit, &QPushButton::clicked, this, &MainWindow::cmdExit_Click);
    connect(Drive1, &DriveList::driveChanged, this, &MainWindow::Drive1_Change);
    connect(Dir1, &FolderList::pathChanged, this, &MainWindow::Dir1_Change);
    connect(Dir1, &FolderList::openFailed, this, [this](const QString &folder, const Error &error) {
        m_services.messages.reportNumberStyle(
            Error(error.number(), QStringLiteral("%1: %2").arg(error.description(), displayFileName(folder))));
    });

    setTabOrder(Drive1, Dir1);
}

void MainWindow::buildMenus()
{
    // The menu items call the button procedures directly, so they act while a button is
    // disabled.
    QMenu *file = menuBar()->addMenu(tr("File"));
    mGenerate = file->addAction(tr("Generate Catalogue"), this, &MainWindow::cmdGenerate_Click);
    mFind = file->addAction(tr("Find Files"), this, &MainWindow::cmdFind_Click);
    mExit = file->addAction(tr("Exit"), this, &MainWindow::cmdExit_Click);
    QMenu *tools = menuBar()->addMenu(tr("Tools"));
    mPath = tools->addAction(tr("Set Default Path"), this, &MainWindow::cmdSetDefaultPath_Click);
    mCompare = tools->addAction(tr("Compare Catalogues..."), this, &MainWindow::mCompare_Click);
    mDrives = tools->addAction(tr("Drives..."), this, &MainWindow::mDrives_Click);
    mCopies = tools->addAction(tr("Copies..."), this, &MainWindow::mCopies_Click);
    mQuickFind = tools->addAction(tr("Quick Find..."), this, &MainWindow::mQuickFind_Click);
    mQuickFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    mBrowse = tools->addAction(tr("Browse Catalogue..."), this, &MainWindow::mBrowse_Click);
    QMenu *help = menuBar()->addMenu(tr("Help"));
    mAbout = help->addAction(tr("About"), this, &MainWindow::mAbout_Click);
    // F10 opens the first menu, as on other desktops; the arrow keys go on from there.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
}

} // namespace kestrova
