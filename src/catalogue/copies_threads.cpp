// The copies report's threads: a reading runs over the catalogues, the largest first, several at
// a time, while the calling thread tells the sink of the progress and asks whether to go on.
#include "copies_report.h"

#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <thread>

namespace kestrova {

bool CopiesReport::readAll(int reading, const std::vector<quint32> &which, const Work &work)
{
    // The largest first, so that no thread is left with a large catalogue at the end.
    std::vector<quint32> order = which;
    std::vector<CopiesSource> &sources = m_result.d->sources;
    std::stable_sort(order.begin(), order.end(), [&](quint32 a, quint32 b) { return sources[a].bytes > sources[b].bytes; });

    std::atomic<size_t> next{0};
    std::atomic<int> done{0};
    std::atomic<quint64> entries{0};
    std::atomic<bool> stop{false};
    std::mutex lock;
    std::condition_variable finished;
    int running = std::clamp(m_options.threads > 0 ? m_options.threads : QThread::idealThreadCount(), 1,
                             std::max(1, int(order.size())));
    std::vector<std::thread> threads;
    for (int t = running; t > 0; --t) {
        threads.emplace_back([&] {
            for (size_t i; !stop && (i = next++) < order.size();) {
                CopiesSource &source = sources[order[i]];
                if (source.failed)
                    continue;
                try {
                    work(source, entries, stop);
                } catch (const copies::ScratchFailure &failure) {
                    const std::lock_guard held(m_lock);
                    m_scratchFailure = failure.error;
                    stop = true;
                } catch (const Error &error) {
                    const std::lock_guard held(m_lock);
                    source.failed = true;
                    m_failures.push_back({source.path, error});
                } catch (const std::bad_alloc &) {
                    const std::lock_guard held(m_lock);
                    source.failed = true;
                    m_failures.push_back({source.path, outOfMemoryError()});
                }
                ++done;
            }
            const std::lock_guard held(lock);
            --running;
            finished.notify_all();
        });
    }
    CopiesProgress progress{reading, 0, int(order.size()), 0};
    for (std::unique_lock held(lock); running > 0;) {
        finished.wait_for(held, std::chrono::milliseconds(16));
        held.unlock();
        progress.cataloguesDone = done;
        progress.entriesRead = entries;
        if (!stop && !m_sink.keepGoing(progress))
            stop = true;
        held.lock();
    }
    for (std::thread &thread : threads)
        thread.join();
    for (const Failure &failure : m_failures)
        m_sink.catalogueFailed(failure.path, failure.error);
    m_failures.clear();
    m_entries = m_entries + (reading == 1 ? entries.load() : 0);
    if (m_scratchFailure)
        throw *m_scratchFailure;
    return !stop;
}


} // namespace kestrova
