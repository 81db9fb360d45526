#include "default_path_dialog.h"

#include "application_identity.h"
#include "decoration.h"
#include "layout.h"
#include "picture_button.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace kestrova {

DefaultPathDialog::DefaultPathDialog(Services &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_services(services)
{
    setWindowTitle(tr("Set Default Path"));
    auto *layout = new QVBoxLayout(this);
    auto *tips = new QHBoxLayout;
    // The picture only decorates: a screen reader passes over it.
    auto *image2 = new QSpacerItem(0, 0);
    new Decoration(this, applicationIcon().pixmap(QSize(32, 32), devicePixelRatioF()), image2);
    auto *label2 = new QLabel(
        tr("Tips: This screen is to set the default path. This path will be effective both "
                       "while generating the Catalogue file and when trying to find files in the report."),
        this);
    label2->setWordWrap(true);
    tips->addItem(image2);
    tips->addWidget(label2, 1);
    layout->addLayout(tips);
    auto *frame1 = new QFrame(this);
    frame1->setFrameShape(QFrame::HLine);
    frame1->setFrameShadow(QFrame::Sunken);
    layout->addWidget(frame1);
    auto *label1 = new QLabel(tr("Current Default Path"), this);
    label1->setFont(boldFont(8.25));
    layout->addWidget(label1);
    txtpath = new QLineEdit(this);
    label1->setBuddy(txtpath);
    layout->addWidget(txtpath);
    auto *buttons = new QHBoxLayout;
    auto button = [&](const QString &caption) {
        auto *result = new QPushButton(caption, this);
        result->setFont(boldFont(8.25));
        result->setAutoDefault(false);
        buttons->addWidget(result, 1);
        return result;
    };
    cmdbrowse = button(tr("&Browse"));
    cmdSet = button(tr("&Set"));
    cmdClear = button(tr("&Remove"));
    cmdClose = button(tr("&Close"));
    layout->addLayout(buttons);
    setTabOrder(txtpath, cmdbrowse);
    setTabOrder(cmdbrowse, cmdSet);
    setTabOrder(cmdSet, cmdClear);
    setTabOrder(cmdClear, cmdClose);
    setFixedSize(twips(6800), sizeHint().height());

    connect(cmdbrowse, &QPushButton::clicked, this, &DefaultPathDialog::cmdbrowse_Click);
    connect(cmdSet, &QPushButton::clicked, this, &DefaultPathDialog::cmdSet_Click);
    connect(cmdClear, &QPushButton::clicked, this, &DefaultPathDialog::cmdClear_Click);
    connect(cmdClose, &QPushButton::clicked, this, &DefaultPathDialog::cmdClose_Click);
    Form_Load();
}

void DefaultPathDialog::Form_Load()
{
    try {
        CheckForSetupFile();
        if (!m_services.paths.DefaultPath.isEmpty())
            txtpath->setText(m_services.paths.DefaultPath);
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
    }
}

void DefaultPathDialog::CheckForSetupFile()
{
    try {
        if (m_services.pathStore.exists())
            OpenDefaultPath();
    } catch (const Error &error) {
        m_services.messages.reportNumberStyle(error);
    }
}

void DefaultPathDialog::OpenDefaultPath()
{
    try {
        m_services.paths.DefaultPath = m_services.pathStore.read();
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
    }
}

void DefaultPathDialog::cmdbrowse_Click()
{
    try {
        const QString chosen = BrowseForFolder(this, tr("Please select the path."));
        if (!chosen.isEmpty())
            txtpath->setText(chosen);
    } catch (const Error &error) {
        m_services.messages.reportNumberStyle(error);
    }
}

QString DefaultPathDialog::BrowseForFolder(QWidget *, const QString &sPrompt)
{
    try {
        return m_services.folderPicker.chooseFolder(sPrompt);
    } catch (const Error &error) {
        m_services.messages.reportNumberStyle(error);
        return QString();
    }
}

void DefaultPathDialog::cmdSet_Click()
{
    try {
        if (!m_services.messages.confirm(tr("This will over-write your default path?")))
            return;
        m_services.paths.DefaultPath = txtpath->text();
        m_services.pathStore.write(m_services.paths.DefaultPath);
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
    }
}

void DefaultPathDialog::cmdClear_Click()
{
    // A setup file that cannot be deleted is reported, and the box and both strings keep their
    // values.
    try {
        if (!m_services.messages.confirm(tr("Your default path will  be cleared permenantly?")))
            return;
        if (!m_services.pathStore.exists()) {
            m_services.messages.show({tr("File doesn't exist!")});
            return;
        }
        m_services.pathStore.remove();
        txtpath->clear();
        m_services.paths.DefaultPath.clear();
        m_services.paths.CurrentPath.clear();
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
    }
}

void DefaultPathDialog::cmdClose_Click()
{
    hide();
}

void DefaultPathDialog::closeEvent(QCloseEvent *event)
{
    // The title bar's close hides the dialog as Close does; it is kept for the next opening.
    event->ignore();
    hide();
}

} // namespace kestrova
