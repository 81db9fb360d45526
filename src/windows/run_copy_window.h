// The Run/Copy path window: shows the path of the hit last double-clicked, and runs it (as a
// program, or else with its associated application) or copies it to the clipboard.
#pragma once

#include "services.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kestrova {

class RunCopyWindow : public QDialog
{
    Q_OBJECT

public:
    explicit RunCopyWindow(Services &services, QWidget *parent = nullptr);

    void Form_Load();
    void cmdRun_Click();
    void cmdCopy_Click();
    void cmdClose_Click();

    QLineEdit *txtpath = nullptr;
    QPushButton *cmdRun = nullptr;
    QPushButton *cmdCopy = nullptr;
    QPushButton *cmdClose = nullptr;
    const QString &launchFolder() const { return m_launchFolder; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void OpenAndReport(const QString &path);
    int StartDoc(const QString &docName);

    Services &m_services;
    QString m_launchFolder;
};

// Where a launched file starts: the mount point of the file system holding path, or "/" when
// no such drive is mounted.
QString driveRoot(const QString &path);

} // namespace kestrova
