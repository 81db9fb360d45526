// The copies report at work: the catalogues of the folder, read twice by several threads (see
// copies.h), shared by the readings (copies.cpp) and the threads that run them (copies_threads.cpp).
#pragma once

#include "copies.h"
#include "copies_rows.h"
#include "copy_counts.h"

#include <QByteArray>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace kestrova {

class CatalogueFacts;
struct CatalogueOfDrive;

using copies::CopiesSource;

class CopiesReport
{
public:
    CopiesReport(const CopiesOptions &options, CopiesSink &sink) : m_options(options), m_sink(sink)
    {
        m_under = options.under;
        while (m_under.size() > 1 && m_under.endsWith('/'))
            m_under.chop(1);
    }

    CopiesResult run(FileSystem &fileSystem, const QString &folder);

private:
    struct Failure
    {
        QString path;
        Error error;
    };
    using Work = std::function<void(CopiesSource &, std::atomic<quint64> &entries, const std::atomic<bool> &stop)>;

    void findSources(FileSystem &fileSystem, const QString &folder);
    // Groups the sources by drive: which drive each is, and which of its folders are history.
    void groupSources(const std::vector<CatalogueOfDrive> &described);
    // Runs work on every source of which, several at a time; false when stopped.
    bool readAll(int reading, const std::vector<quint32> &which, const Work &work);
    void count(CopiesSource &source, std::atomic<quint64> &entries, const std::atomic<bool> &stop);
    void list(CopiesSource &source, std::atomic<quint64> &entries, const std::atomic<bool> &stop);
    static std::unique_ptr<CatalogueFacts> factsOf(const CopiesSource &source);
    bool isUnder(QByteArrayView folder) const;
    static bool inHistory(const CopiesSource &source, QByteArrayView folder);
    // Names the facts of the catalogue at path as left aside, once.
    void factsDamaged(const QString &path);

    const CopiesOptions &m_options;
    CopiesSink &m_sink;
    QByteArray m_under;
    CopiesResult m_result;
    CopyCounts m_bySize;  // files of known sizes, by name and size
    CopyCounts m_byType;  // files of unknown sizes and their copies, by name and type
    bool m_anyByType = false; // once the catalogues without facts are counted
    // Counting files of unknown size by name and type only: those of catalogues without facts,
    // and those of catalogues with damaged facts.
    bool m_byTypeOnly = false;
    std::mutex m_lock; // over the failures, which the threads add to
    std::vector<Failure> m_failures;
    std::optional<Error> m_scratchFailure; // the rows could not be written: the report ends
    std::atomic<quint64> m_entries{0};
};

} // namespace kestrova
