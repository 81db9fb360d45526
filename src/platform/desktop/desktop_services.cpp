#include "desktop_services.h"

#include "platform/files/file_names.h"
#include "platform/files/text_file.h"

#include <QCoreApplication>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QMessageBox>
#include <QProcess>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
    switch (message.buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    }
    if (!message.checkBox.isEmpty())
        box.setCheckBox(new QCheckBox(message.checkBox, &box));
    const int answer = box.exec();
    if (message.checked && box.checkBox())
        *message.checked = box.checkBox()->isChecked();
    switch (answer) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    }
}

void DesktopSaveDialog::showSave()
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = filter.split(QStringLiteral(";;"));
    dialog.setNameFilters(filters);
    if (!selectedFilter.isEmpty())
        dialog.selectNameFilter(selectedFilter);
    const QString folder = !initialDir.isEmpty() ? initialDir : m_lastFolder;
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    // Qt's own dialog: the type shown follows the name typed into its name box.
    if (auto *nameBox = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit")); nameBox && filters.size() > 1) {
        QObject::connect(nameBox, &QLineEdit::textEdited, &dialog, [&dialog, filters](const QString &typed) {
            if (const QString type = filterMatching(filters, typed); !type.isEmpty() && type != dialog.selectedNameFilter())
                dialog.selectNameFilter(type);
        });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        if (cancelError)
            throw cancelledError();
        fileName.clear();
        return;
    }
    fileName = dialog.selectedFiles().constFirst();
    selectedFilter = dialog.selectedNameFilter();
    m_lastFolder = QFileInfo(fileName).absolutePath();
}

QString DesktopSaveDialog::documentsFolder() const
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString filterMatching(const QStringList &filters, const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    for (const QString &type : filters) {
        // "CSV (*.csv)": the patterns between the parentheses.
        const qsizetype open = type.lastIndexOf(u'(');
        const QStringList patterns = type.mid(open + 1).chopped(1).split(u' ', Qt::SkipEmptyParts);
        for (const QString &pattern : patterns)
            if (pattern != u"*"
                && QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                                      QRegularExpression::CaseInsensitiveOption)
                       .match(name)
                       .hasMatch())
                return type;
    }
    return {};
}

namespace {

bool isUtf8(const QByteArray &bytes)
{
    return decodeFileName(bytes).toUtf8() == bytes;
}

// Runs program (a path's bytes) in workingFolder, detached: the program outlives Kestrova and
// is never waited for. Raises an Error when it cannot be started.
void startDetached(const QByteArray &program, const QByteArray &workingFolder)
{
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        throw errorFromErrno(errno, ErrnoSubject::File);
    const pid_t child = fork();
    if (child == 0) {
        // The middle process ends at once, so that the program is nobody's child to wait for.
        if (fork() == 0) {
            setsid();
            if (!workingFolder.isEmpty() && chdir(workingFolder.constData()) != 0) {
                // Runs where it is then; the folder is only a preference.
            }
            char *const argv[] = {const_cast<char *>(program.constData()), nullptr};
            execv(program.constData(), argv);
            const int err = errno;
            (void)!::write(report[1], &err, sizeof err);
            _exit(127);
        }
        _exit(0);
    }
    ::close(report[1]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    int err = 0;
    const ssize_t got = ::read(report[0], &err, sizeof err);
    ::close(report[0]);
    if (child < 0)
        throw errorFromErrno(errno, ErrnoSubject::File);
    if (got == sizeof err)
        throw errorFromErrno(err, ErrnoSubject::File);
}

} // namespace

int XdgDocumentLauncher::open(const QString &file, const QString &workingFolder,
                              std::function<void(int result)> lateFailure)
{
    const QByteArray path = encodeFileName(QDir::cleanPath(QDir::current().absoluteFilePath(file)));
    const QByteArray folder = path.left(std::max<qsizetype>(1, path.lastIndexOf('/')));
    struct stat info;
    if (stat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return LaunchResult::PathNotFound;
    if (stat(path.constData(), &info) != 0)
        return LaunchResult::FileNotFound;
    if (access(path.constData(), R_OK) != 0)
        return LaunchResult::AccessDenied;
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty())
        throw Error(ErrorNumber::FileNotFound,
                    QCoreApplication::translate("Error", "The desktop launcher xdg-open is not installed"));
    // xdg-open hands the file to the associated application and tells with its status
    // whether one was found; where it runs a viewer itself it runs until the viewer ends.
    // Either way the window does not wait: a failure is reported when it comes.
    auto *process = new QProcess(qApp);
    QObject::connect(process, &QProcess::finished, process,
                     [process, lateFailure](int exitCode, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if ((status != QProcess::NormalExit || exitCode != 0) && lateFailure)
                             lateFailure(LaunchResult::NoAssociation);
                     });
    const QByteArray workingBytes = encodeFileName(workingFolder);
    if (!workingFolder.isEmpty() && stat(workingBytes.constData(), &info) == 0 && S_ISDIR(info.st_mode))
        process->setWorkingDirectory(decodeFileName(workingBytes));
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    // A name that is not UTF-8 cannot travel as a plain argument; as a file URL it can.
    process->start(xdgOpen, {isUtf8(path) ? QString::fromUtf8(path) : QString::fromLatin1(fileUrl(decodeFileName(path)))});
    if (!process->waitForStarted()) {
        process->deleteLater();
        throw Error(ErrorNumber::FileNotFound, process->errorString());
    }
    return LaunchResult::Success;
}

void DetachedProgramStarter::start(const QString &path)
{
    const QByteArray program = encodeFileName(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
    struct stat info;
    if (stat(program.constData(), &info) != 0)
        throw Error(ErrorNumber::FileNotFound, QCoreApplication::translate("Error", "File not found"));
    if (!S_ISREG(info.st_mode) || access(program.constData(), X_OK) != 0)
        throw Error(ErrorNumber::InvalidArgument, QCoreApplication::translate("Error", "Invalid procedure call or argument"));
    try {
        startDetached(program, program.left(std::max<qsizetype>(1, program.lastIndexOf('/'))));
    } catch (const Error &) {
        throw Error(ErrorNumber::FileNotFound, QCoreApplication::translate("Error", "File not found"));
    }
}

void SystemClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

void SystemClipboard::setPaths(const QStringList &paths)
{
    auto *data = new QMimeData;
    QStringList shown;
    QByteArray urls;
    for (const QString &path : paths) {
        shown << displayFileName(path);
        urls += fileUrl(QDir::cleanPath(QDir::current().absoluteFilePath(path))) + "\r\n";
    }
    data->setText(shown.join(u'\n'));
    data->setData(QStringLiteral("text/uri-list"), urls);
    QGuiApplication::clipboard()->setMimeData(data);
}

QString DesktopFolderPicker::chooseFolder(const QString &prompt)
{
    const QUrl chosen = QFileDialog::getExistingDirectoryUrl(QApplication::activeWindow(), prompt);
    return chosen.isLocalFile() ? chosen.toLocalFile() : QString();
}

QString DesktopFolderPicker::chooseFile(const QString &prompt, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), prompt, folder, filter);
}

void ImmediateProgramEnd::endNow()
{
    TextFileWriter::flushAllOpen();
    std::_Exit(EXIT_SUCCESS);
}

} // namespace kestrova
