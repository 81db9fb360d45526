#include "run_copy_window.h"

#include "layout.h"
#include "picture_button.h"

#include <QEvent>
#include <QPointer>
#include <QStorageInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace kestrova {

QString runFailureText(int result)
{
    switch (result) {
    case 2: return QStringLiteral("File not found ...");
    case 3: return QStringLiteral("Path not found ...");
    case 5: return QStringLiteral("Access denied ...");
    case 8: return QStringLiteral("Out of memory");
    case 11: return QStringLiteral("Invalid EXE file or error in EXE image ...");
    case 26: return QStringLiteral("A sharing violation occurred ...");
    case 27: return QStringLiteral("Incomplete or invalid file association");
    case 28: return QStringLiteral("DDE Time out ...");
    case 29: return QStringLiteral("DDE transaction failed ...");
    case 30: return QStringLiteral("DDE busy");
    case 31: return QStringLiteral("No association for file extension ...");
    case 32: return QStringLiteral("DLL not found ...");
    default: return QStringLiteral("Unknown error");
    }
}

QString driveRoot(const QString &path)
{
    // The root of the path's drive: the mount point of the file system that holds it, or "/"
    // when the path's drive is not mounted (a catalogued disk that is not plugged in).
    QString folder = path;
    while (!folder.isEmpty()) {
        const QStorageInfo volume(folder);
        if (volume.isValid())
            return volume.rootPath();
        const qsizetype slash = folder.lastIndexOf(u'/');
        folder = slash > 0 ? folder.left(slash) : QString();
    }
    return QStringLiteral("/");
}

RunCopyWindow::RunCopyWindow(Services &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_services(services)
{
    setWindowTitle(QStringLiteral("Run/Copy path"));
    setFixedSize(twips(10620), twips(645));
    txtpath = new QLineEdit(this);
    place(txtpath, 120, 120, 8415, 375);
    auto button = [&](QStyle::StandardPixmap picture, const QString &caption, int left) {
        auto *result = new PictureButton(style()->standardIcon(picture), caption, this);
        result->setFont(boldFont(7));
        // No button answers Enter: Enter in the path box must not run the file.
        result->setAutoDefault(false);
        place(result, left, 0, 615, 615);
        return result;
    };
    cmdRun = button(QStyle::SP_MediaPlay, QStringLiteral("Run"), 8760);
    cmdCopy = button(QStyle::SP_DialogSaveButton, QStringLiteral("Copy"), 9360);
    cmdClose = button(QStyle::SP_DialogCloseButton, QStringLiteral("Close"), 9960);
    connect(cmdRun, &QPushButton::clicked, this, &RunCopyWindow::cmdRun_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &RunCopyWindow::cmdCopy_Click);
    connect(cmdClose, &QPushButton::clicked, this, &RunCopyWindow::cmdClose_Click);
}

void RunCopyWindow::Form_Load()
{
    txtpath->setText(m_services.paths.SelectedPath);
}

// Loading, showing, resizing, minimizing and restoring all put the chosen path back.
void RunCopyWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Load();
    // The path box is first in the tab order: it has the focus whenever the window opens.
    txtpath->setFocus(Qt::OtherFocusReason);
}

void RunCopyWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Load();
}

void RunCopyWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Load();
}

void RunCopyWindow::cmdRun_Click()
{
    try {
        m_services.programStarter.start(txtpath->text());
    } catch (const Error &) {
        OpenAndReport(txtpath->text());
    }
}

void RunCopyWindow::OpenAndReport(const QString &path)
{
    try {
        m_launchFolder = driveRoot(path);
        const int result = StartDoc(path);
        if (result > 32)
            return;
        m_services.messages.inform(runFailureText(result) + u'.');
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
    }
}

int RunCopyWindow::StartDoc(const QString &docName)
{
    try {
        QPointer<RunCopyWindow> window(this);
        return m_services.launcher.open(docName, m_launchFolder, [window, this](int late) {
            if (window)
                m_services.messages.inform(runFailureText(late) + u'.');
        });
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
        return 0;
    }
}

void RunCopyWindow::cmdCopy_Click()
{
    m_services.clipboard.setPaths({txtpath->text()});
}

void RunCopyWindow::cmdClose_Click()
{
    close();
}

} // namespace kestrova
