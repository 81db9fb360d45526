// The Run/Copy path window: shows the path of the hit last double-clicked, and runs it (as a
// program, or else with its associated application) or copies it to the clipboard.
#pragma once

#include "services.h"

#include <QDialog>

#include <functional>

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
    // Where the file at path is when it is not there (hit_actions.h), said after a failed Run
    // and after Copy while the box holds that path; empty when it is there.
    void setWhereabouts(const QString &path, std::function<QString()> text);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void OpenAndReport(const QString &path);
    int StartDoc(const QString &docName);
    // The whereabouts of the file in the box on a line of their own; empty when not known.
    QString whereaboutsAfter() const;

    Services &m_services;
    QString m_launchFolder;
    QString m_whereaboutsPath;
    std::function<QString()> m_whereabouts;
};

// Where a launched file starts: the mount point of the file system holding path, or "/" when
// no such drive is mounted.
QString driveRoot(const QString &path);

} // namespace kestrova
