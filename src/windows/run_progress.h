// The main window's side of a generation run: the Current File label and the progress line,
// the yield to the window's events at every folder start, and the failure messages that name
// what failed, with their check box to silence the rest of the run.
#pragma once

#include "catalogue/catalogue_generator.h"
#include "platform/desktop/message_service.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QStringList>

#include <functional>

class QLabel;

namespace kestrova {

class RunProgress final : public GenerationSink
{
public:
    // scanFinished: called once the walk is over, before the closing lines are written.
    RunProgress(QLabel &currentFile, QLabel &progress, MessageService &messages, std::function<void()> scanFinished);

    // The writing starts: the time taken counts from here, not from the Save dialog.
    void start() { m_clock.start(); }

    void folderStarting() override;
    void currentFile(QByteArrayView text) override;
    void scanFinished() override { m_scanFinished(); }
    void failure(const Error &error, const QByteArray &path) override;

    // Shows the latest file line and how far the run has come; nothing before start().
    void showLatest();
    // The line that stays after the run: its totals, its time and what could not be read.
    void showTotals(const GenerationTotals &totals);

    // What could not be read, one line each: the path, then the error's number and
    // description. At most kListedFailures lines; a last line tells how many more there were.
    QStringList failedPaths() const;
    static constexpr qsizetype kListedFailures = 100000;

private:
    QLabel &m_currentFile;
    QLabel &m_progress;
    MessageService &m_messages;
    std::function<void()> m_scanFinished;
    QByteArray m_latest;
    bool m_fresh = false; // a line arrived since the label last showed one
    bool m_quiet = false; // the user asked for no more failure messages in this run
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceShown;
    QStringList m_failed;
    quint64 m_folders = 0; // folder starts: the root and the sub-folders entered
    quint64 m_files = 0;
    quint64 m_failures = 0;
};

} // namespace kestrova
