#include "read_failures_dialog.h"

#include "layout.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrova {

ReadFailuresDialog::ReadFailuresDialog(Services &services, const QStringList &failures, QWidget *parent)
    : QDialog(parent), m_services(services), m_failures(failures)
{
    setWindowTitle(tr("Could Not Be Read"));
    auto *layout = new QVBoxLayout(this);
    auto *caption = new QLabel(tr("What the last run could not read; the rest of its catalogue is complete:"), this);
    caption->setWordWrap(true);
    layout->addWidget(caption);
    txtFailures = new QPlainTextEdit(this);
    txtFailures->setReadOnly(true);
    txtFailures->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtFailures->setPlainText(failures.join(u'\n'));
    txtFailures->setAccessibleName(tr("What could not be read"));
    caption->setBuddy(txtFailures);
    layout->addWidget(txtFailures);
    auto *buttons = new QDialogButtonBox(this);
    cmdCopy = buttons->addButton(tr("&Copy"), QDialogButtonBox::ActionRole);
    cmdClose = buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);
    connect(cmdCopy, &QPushButton::clicked, this, &ReadFailuresDialog::cmdCopy_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(fitScreen(this, QSize(twips(9000), twips(5000))));
}

void ReadFailuresDialog::cmdCopy_Click()
{
    m_services.clipboard.setText(m_failures.join(u'\n'));
}

} // namespace kestrova
