// The list of what a generation run could not read: each folder or entry with the error's
// number and description, to read through after a run whose messages were silenced, and to
// copy whole.
#pragma once

#include "services.h"

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace kestrova {

class ReadFailuresDialog : public QDialog
{
    Q_OBJECT

public:
    // failures: one line each (RunProgress::failedPaths()).
    ReadFailuresDialog(Services &services, const QStringList &failures, QWidget *parent = nullptr);

    void cmdCopy_Click();

    QPlainTextEdit *txtFailures = nullptr;
    QPushButton *cmdCopy = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    Services &m_services;
    QStringList m_failures;
};

} // namespace kestrova
