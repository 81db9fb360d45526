#include "run_copy_window.h"

#include "document_launch.h"
#include "drawn_icons.h"
#include "layout.h"
#include "picture_button.h"

#include <algorithm>
#include <array>

#include <QEvent>
#include <QPointer>
#include <QStorageInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace kestrova {

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
    setWindowTitle(tr("Run/Copy path"));
    setFixedSize(twips(10620), twips(645));
    txtpath = new QLineEdit(this);
    txtpath->setAccessibleName(tr("Path"));
    place(txtpath, 120, 120, 8415, 375);
    auto button = [&](const QIcon &picture, const QString &caption, int left) {
        auto *result = new PictureButton(picture, caption, this);
        result->setFont(boldFont(7));
        // No button answers Enter: Enter in the path box must not run the file.
        result->setAutoDefault(false);
        place(result, left, 0, 615, 615);
        return result;
    };
    const std::array buttons = {button(style()->standardIcon(QStyle::SP_MediaPlay), tr("Run"), 8760),
                                button(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("Copy"), 9360),
                                button(closeIcon(), tr("Close"), 9960)};
    cmdRun = buttons[0];
    cmdCopy = buttons[1];
    cmdClose = buttons[2];
    // A caption longer than its button (in some languages) widens the three buttons alike; the
    // path box gives up the room.
    int extra = 0;
    for (PictureButton *each : buttons)
        extra = std::max(extra, each->fontMetrics().horizontalAdvance(QString(each->text()).remove(u'&'))
                                    - each->captionRect().width());
    if (extra > 0) {
        txtpath->resize(txtpath->width() - 3 * extra, txtpath->height());
        int shift = 3 * extra;
        for (PictureButton *each : buttons) {
            each->setGeometry(each->x() - shift, each->y(), each->width() + extra, each->height());
            shift -= extra;
        }
    }
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
        m_services.messages.inform(runFailureText(result) + u'.' + whereaboutsAfter());
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
                m_services.messages.inform(runFailureText(late) + u'.' + whereaboutsAfter());
        });
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
        return 0;
    }
}

void RunCopyWindow::cmdCopy_Click()
{
    m_services.clipboard.setPaths({txtpath->text()});
    if (const QString where = whereaboutsAfter(); !where.isEmpty())
        m_services.messages.inform(where.mid(1));
}

void RunCopyWindow::setWhereabouts(const QString &path, std::function<QString()> text)
{
    m_whereaboutsPath = path;
    m_whereabouts = std::move(text);
}

QString RunCopyWindow::whereaboutsAfter() const
{
    if (!m_whereabouts || txtpath->text() != m_whereaboutsPath)
        return {};
    const QString text = m_whereabouts();
    return text.isEmpty() ? text : u'\n' + text;
}

void RunCopyWindow::cmdClose_Click()
{
    close();
}

} // namespace kestrova
