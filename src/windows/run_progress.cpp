#include "run_progress.h"

#include "platform/event_loop.h"
#include "platform/file_names.h"

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
    if (m_quiet)
        return;
    showLatest();
    const QString what = path.isEmpty() ? QString() : QStringLiteral(": ") + displayFileName(decodeFileName(path));
    m_messages.show({error.numberStyle() + what, MessageButtons::Ok, MessageIcon::None, kApplicationTitle,
                     QStringLiteral("Do not show these messages again during this run"), &m_quiet});
}

void RunProgress::showLatest()
{
    if (m_fresh) {
        m_currentFile.setText(QString::fromUtf8(m_latest));
        m_fresh = false;
    }
    m_progress.setText(QStringLiteral("%1 folders, %2 files, %3")
                           .arg(QLocale().toString(m_folders), QLocale().toString(m_files),
                                elapsedText(m_clock.elapsed())));
}

void RunProgress::showTotals(const GenerationTotals &totals)
{
    QString text = QStringLiteral("Done: %1 folders, %2 files in %3")
                       .arg(QLocale().toString(totals.folders), QLocale().toString(totals.files),
                            elapsedText(m_clock.elapsed()));
    if (m_failures > 0)
        text += QStringLiteral("; %1 could not be read").arg(QLocale().toString(m_failures));
    m_progress.setText(text);
}

} // namespace kestrova
