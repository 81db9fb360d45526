#include "about_box.h"

#include "application_identity.h"
#include "decoration.h"
#include "layout.h"
#include "picture_button.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpacerItem>

namespace kestrova {
namespace {

constexpr int kVersionMajor = KESTROVA_VERSION_MAJOR;
constexpr int kVersionMinor = KESTROVA_VERSION_MINOR;
constexpr int kVersionRevision = KESTROVA_VERSION_PATCH;
constexpr quint32 kKeyAccess = 0x2003F;
constexpr int kValueBufferBytes = 1024;

QFrame *rule(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

bool GetKeyValue(Registry &registry, quint32 KeyRoot, const QString &KeyName,
                 const QString &SubKeyRef, QString &KeyVal)
{
    Registry::Key key = 0;
    const auto closeKey = qScopeGuard([&] { registry.closeKey(key); });
    if (registry.openKey(KeyRoot, KeyName, 0, kKeyAccess, key) != Registry::Success) {
        KeyVal.clear();
        return false;
    }
    QByteArray buffer(kValueBufferBytes, '\0');
    quint32 size = kValueBufferBytes;
    quint32 type = 0;
    if (registry.queryValue(key, SubKeyRef, type, buffer, size) != Registry::Success) {
        KeyVal.clear();
        return false;
    }
    if (size == 0)
        throw invalidArgumentError();
    // A text stored with its closing NUL reads the same as one stored without it.
    const QByteArray kept = buffer.at(size - 1) == '\0' ? buffer.left(size - 1) : buffer.left(size);
    if (type == Registry::TextType) {
        KeyVal = QString::fromLocal8Bit(kept);
    } else if (type == Registry::NumberType) {
        for (qsizetype i = kept.size() - 1; i >= 0; --i)
            KeyVal += QString::number(uchar(kept.at(i)), 16).toUpper();
        bool ok = false;
        const qulonglong value = KeyVal.toULongLong(&ok, 16);
        KeyVal = ok ? QString::number(value) : QString();
    }
    return true;
}

AboutBox::AboutBox(Services &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_services(services)
{
    auto *grid = new QGridLayout(this);
    // The picture only decorates: a screen reader passes over it.
    auto *picIcon = new QSpacerItem(0, 0);
    new Decoration(this, applicationIcon().pixmap(QSize(48, 48), devicePixelRatioF()), picIcon);
    lblTitle = new QLabel(this);
    lblTitle->setFont(boldFont(14));
    lblVersion = new QLabel(this);
    auto *label1 = new QLabel(tr("Created By:"), this);
    label1->setFont(boldFont(8.25));
    Label4 = new QLabel(QStringLiteral("The Kestrova developers"), this);
    auto *label2 = new QLabel(tr("Email:"), this);
    Text2 = new QLineEdit(this);
    auto *label3 = new QLabel(tr("URL"), this);
    Text1 = new QLineEdit(this);
    for (QLineEdit *box : {Text1, Text2})
        box->setReadOnly(true);
    // The project's homepage, and the contact address the build was given (none by default).
    Text1->setText(QStringLiteral(KESTROVA_HOMEPAGE));
    Text2->setText(QStringLiteral(KESTROVA_CONTACT_EMAIL));
    label2->setBuddy(Text2);
    label3->setBuddy(Text1);
    cmdOK = new QPushButton(tr("OK"), this);
    cmdSysInfo = new QPushButton(tr("&System Info..."), this);
    cmdOK->setDefault(true);
    // The grid would squeeze the buttons below their captions in the window's fixed width.
    for (QPushButton *button : {cmdOK, cmdSysInfo})
        button->setMinimumWidth(button->sizeHint().width());

    grid->addItem(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(label1, 0, 2, 1, 2);
    grid->addWidget(Label4, 1, 2, 1, 2);
    grid->addWidget(rule(this), 2, 0, 1, 4);
    grid->addWidget(label2, 3, 0);
    grid->addWidget(Text2, 3, 1, 1, 2);
    grid->addWidget(label3, 4, 0);
    grid->addWidget(Text1, 4, 1, 1, 2);
    grid->addWidget(rule(this), 5, 0, 1, 4);
    grid->addWidget(cmdOK, 3, 3);
    grid->addWidget(cmdSysInfo, 4, 3);
    grid->setColumnStretch(1, 1);
    setFixedSize(twips(6000), sizeHint().height());

    // The buttons first, the boxes to copy from after them.
    setTabOrder(cmdOK, cmdSysInfo);
    setTabOrder(cmdSysInfo, Text2);
    setTabOrder(Text2, Text1);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);
    Form_Load();
}

void AboutBox::Form_Load()
{
    setWindowTitle(tr("About %1").arg(kApplicationTitle));
    lblVersion->setText(tr("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
    lblTitle->setText(kApplicationTitle);
}

void AboutBox::cmdOK_Click()
{
    accept();
}

void AboutBox::cmdSysInfo_Click()
{
    StartSysInfo();
}

void AboutBox::StartSysInfo()
{
    try {
        QString path;
        if (!GetKeyValue(m_services.registry, Registry::LocalMachine,
                         QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), QStringLiteral("PATH"), path)) {
            QString folder;
            if (!GetKeyValue(m_services.registry, Registry::LocalMachine,
                             QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), QStringLiteral("MSINFO"),
                             folder))
                throw Error(ErrorNumber::FileNotFound, tr("File not found"));
            path = folder + QStringLiteral("\\MSINFO32.EXE");
            std::unique_ptr<FileSystem> fileSystem = m_services.makeFileSystem();
            if (!fileSystem->FileExists(path))
                throw Error(ErrorNumber::FileNotFound, tr("File not found"));
        }
        m_services.programStarter.start(path);
    } catch (const Error &) {
        m_services.messages.show({tr("System Information Is Unavailable At This Time")});
    }
}

} // namespace kestrova
