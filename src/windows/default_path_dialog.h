// The Set Default Path dialog: browse for, set and remove the folder of catalogues kept in
// the setup file.
#pragma once

#include "services.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kestrova {

class DefaultPathDialog : public QDialog
{
    Q_OBJECT

public:
    // Runs the load steps: the dialog is created once and then only shown and hidden.
    explicit DefaultPathDialog(Services &services, QWidget *parent = nullptr);

    void cmdbrowse_Click();
    void cmdSet_Click();
    void cmdClear_Click();
    void cmdClose_Click();
    // The folder the user picks, or empty text.
    QString BrowseForFolder(QWidget *hwndOwner, const QString &sPrompt);

    QLineEdit *txtpath = nullptr;
    QPushButton *cmdbrowse = nullptr;
    QPushButton *cmdSet = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdClose = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void CheckForSetupFile();
    void OpenDefaultPath();

    Services &m_services;
};

} // namespace kestrova
