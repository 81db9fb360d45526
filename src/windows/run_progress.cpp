#include "run_progress.h"

#include "counts.h"

#include "catalogue/catalogue_format.h"
#include "platform/desktop/event_loop.h"
#include "platform/files/file_names.h"

#include <QLabel>
#include <QLocale>

namespace kestrova {
namespace {

// The labels are set anew at most this often: nobody reads faster, and repainting them for
// every folder of a large tree would cost more than writing its catalogue.
constexpr qint64 kLabelIntervalMs = 40;

QString elapsedText(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

RunProgress::RunProgress(QLabel &currentFile, QLabel &progress, MessageService &messages,
                         std::function<void()> scanFinished)
    : m_currentFile(currentFile), m_progress(progress), m_messages(messages), m_scanFinished(std::move(scanFinished))
{
}

// Events are handled at every folder start, and only there.
void RunProgress::folderStarting()
{
    ++m_folders;
    if (!m_sinceShown.isValid() || m_sinceShown.elapsed() >= kLabelIntervalMs) {
        showLatest();
        m_sinceShown.start();
    }
    yieldToEventLoop();
}

void RunProgress::currentFile(QByteArrayView text)
{
    m_latest.resize(0); // keeps its capacity: no allocation per file
    m_latest.append(text);
    m_fresh = true;
    ++m_files;
}

void RunProgress::failure(const Error &error, const QByteArray &path)
{
    ++m_failures;
    const QString what = path.isEmpty() ? QString() : QStringLiteral(": ") + displayFileName(decodeFileName(path));
    if (m_failed.size() < kListedFailures)
        m_failed << displayFileName(decodeFileName(path)) + QStringLiteral(": ") + error.numberStyle();
    if (m_quiet)
        return;
    showLatest();
    m_messages.show({error.numberStyle() + what, MessageButtons::Ok, MessageIcon::None, kApplicationTitle,
                     QCoreApplication::translate("RunProgress", "Do not show these messages again during this run"), &m_quiet});
}

void RunProgress::showLatest()
{
    if (!m_clock.isValid())
        return;
    if (m_fresh) {
        // The run's last word is the program's text, not a file's: it is shown translated.
        m_currentFile.setText(m_latest == catalogue::kFinished ? QCoreApplication::translate("RunProgress", "Finished ...")
                                                               : QString::fromUtf8(m_latest));
        m_fresh = false;
    }
    // Folders as the catalogue's total counts them: those below the root.
    const quint64 folders = m_folders > 0 ? m_folders - 1 : 0;
    m_progress.setText(QCoreApplication::translate("RunProgress", "%1, %2, %3")
                           .arg(countOf(folders, QT_TRANSLATE_N_NOOP("Counts", "%1 folder(s)")),
                                countOf(m_files, QT_TRANSLATE_N_NOOP("Counts", "%1 file(s)")),
                                elapsedText(m_clock.elapsed())));
}

void RunProgress::showTotals(const GenerationTotals &totals)
{
    if (totals.catalogueKept) {
        m_progress.setText(QCoreApplication::translate("RunProgress", "The folder could not be opened; the catalogue there was left as it was"));
        return;
    }
    QString text = QCoreApplication::translate("RunProgress", "Done: %1, %2 in %3")
                       .arg(countOf(totals.folders, QT_TRANSLATE_N_NOOP("Counts", "%1 folder(s)")),
                            countOf(totals.files, QT_TRANSLATE_N_NOOP("Counts", "%1 file(s)")),
                            elapsedText(m_clock.elapsed()));
    if (m_failures > 0)
        text += QCoreApplication::translate("RunProgress", "; %1 could not be read").arg(QLocale().toString(m_failures));
    if (!totals.factsWritten)
        text += QCoreApplication::translate("RunProgress", "; no facts written beside it");
    m_progress.setText(text);
}

QStringList RunProgress::failedPaths() const
{
    QStringList lines = m_failed;
    if (m_failures > quint64(m_failed.size()))
        lines << QCoreApplication::translate("RunProgress", "... and %1 more").arg(QLocale().toString(m_failures - quint64(m_failed.size())));
    return lines;
}

} // namespace kestrova
