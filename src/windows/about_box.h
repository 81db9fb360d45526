// The About box: title, version, credit, and the button that starts the system information
// tool.
#pragma once

#include "services.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrova {

class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(Services &services, QWidget *parent = nullptr);

    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();

    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *Text1 = nullptr; // the home page
    QLineEdit *Text2 = nullptr; // the contact address
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;

private:
    void Form_Load();

    Services &m_services;
};

// Reads one registry value as text into KeyVal; true when it was read. A value whose size is
// 0 raises an Error (the key is closed first).
bool GetKeyValue(Registry &registry, quint32 KeyRoot, const QString &KeyName,
                 const QString &SubKeyRef, QString &KeyVal);

} // namespace kestrova
