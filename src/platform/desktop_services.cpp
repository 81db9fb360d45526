#include "desktop_services.h"

#include "text_file.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

#include <cstdlib>

namespace kestrova {

MessageAnswer DesktopMessageService::show(const Message &message)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(message.title);
    box.setText(message.text);
    switch (message.icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    box.setStandardButtons(message.buttons == MessageButtons::OkCancel
                               ? QMessageBox::Ok | QMessageBox::Cancel
                               : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void DesktopSaveDialog::showSave()
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    const QString folder = !initialDir.isEmpty() ? initialDir : m_lastFolder;
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        if (cancelError)
            throw cancelledError();
        fileName.clear();
        return;
    }
    fileName = dialog.selectedFiles().constFirst();
    m_lastFolder = QFileInfo(fileName).absolutePath();
}

int XdgDocumentLauncher::open(const QString &file, const QString &workingFolder)
{
    const QFileInfo info(file);
    if (!info.dir().exists())
        return LaunchResult::PathNotFound;
    if (!info.exists())
        return LaunchResult::FileNotFound;
    if (!info.isReadable())
        return LaunchResult::AccessDenied;
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty())
        throw Error(ErrorNumber::FileNotFound,
                    QStringLiteral("The desktop launcher xdg-open is not installed"));
    // xdg-open hands the file to the associated application and returns at once on a desktop,
    // telling with its status whether an application was found; where it runs a program in
    // the foreground, a launch still running after a moment has succeeded.
    auto *process = new QProcess(qApp);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->setWorkingDirectory(QFileInfo(workingFolder).isDir() ? workingFolder : QString());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(xdgOpen, {info.absoluteFilePath()});
    if (!process->waitForStarted()) {
        process->deleteLater();
        throw Error(ErrorNumber::FileNotFound, process->errorString());
    }
    if (!process->waitForFinished(3000))
        return LaunchResult::Success;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0
               ? LaunchResult::Success
               : LaunchResult::NoAssociation;
}

void DetachedProgramStarter::start(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw Error(ErrorNumber::FileNotFound, QStringLiteral("File not found"));
    if (!info.isFile() || !info.isExecutable())
        throw Error(ErrorNumber::InvalidArgument, QStringLiteral("Invalid procedure call or argument"));
    if (!QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath()))
        throw Error(ErrorNumber::FileNotFound, QStringLiteral("File not found"));
}

void SystemClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString DesktopFolderPicker::chooseFolder(const QString &prompt)
{
    const QUrl chosen = QFileDialog::getExistingDirectoryUrl(QApplication::activeWindow(), prompt);
    return chosen.isLocalFile() ? chosen.toLocalFile() : QString();
}

void ImmediateProgramEnd::endNow()
{
    TextFileWriter::flushAllOpen();
    std::_Exit(EXIT_SUCCESS);
}

} // namespace kestrova
