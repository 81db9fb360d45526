#include "copies_report.h"

#include "catalogue_facts.h"
#include "catalogue_format.h"
#include "catalogue_reader.h"
#include "copies_rows.h"
#include "copy_counts.h"
#include "drive_groups.h"

#include "platform/files/file_names.h"
#include "platform/files/file_system.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <functional>
#include <limits>
#include <mutex>

namespace kestrova {
namespace {

constexpr int kMostCatalogues = 65535; // the counts name a catalogue in 16 bits

} // namespace

using copies::kByType;

void CopiesReport::findSources(FileSystem &fileSystem, const QString &folder)
{
    const std::unique_ptr<Folder> listing = fileSystem.GetFolder(encodeFileName(folder));
    std::vector<CopiesSource> &sources = m_result.d->sources;
    std::vector<CatalogueOfDrive> described;
    for (const QByteArray &name : listing->Files()) {
        CopiesSource source;
        source.name = decodeFileName(name);
        source.path = decodeFileName(joinPath(listing->Path(), name));
        try {
            const FileReader file(encodeFileName(source.path));
            if (!file.isRegular())
                continue;
            // What is no catalogue is named once, here, and left out of both readings.
            constexpr qsizetype kPrefix = sizeof catalogue::kHeaderPrefix - 1;
            char first[kPrefix];
            if (file.readAt(0, first, kPrefix) != kPrefix || QByteArrayView(first, kPrefix) != catalogue::kHeaderPrefix)
                throw Error(ErrorNumber::PathFileAccess, QCoreApplication::translate("Error", "Not a catalogue: its first line is no catalogue header"));
            source.bytes = file.identityAtOpening().size;
            CatalogueFacts::Absence absence = CatalogueFacts::Absence::None;
            const std::unique_ptr<CatalogueFacts> facts = CatalogueFacts::open(source.path, file, &absence);
            source.hasFacts = facts != nullptr;
            if (absence == CatalogueFacts::Absence::Unreadable)
                factsDamaged(source.path);
            if (absence == CatalogueFacts::Absence::Refused && !m_result.refusedFacts.contains(factsFolderFor(source.path)))
                m_result.refusedFacts << factsFolderFor(source.path);
            QByteArray head(1 << 16, Qt::Uninitialized);
            head.resize(file.readAt(0, head.data(), head.size()));
            CatalogueOfDrive drive{{}, {}, catalogue::firstHeadingIn(head), file.identityAtOpening().modifiedNs / 1000000};
            if (facts) {
                drive.uuid = facts->run().uuid;
                drive.mountPoint = encodeFileName(facts->run().mountPoint);
                if (facts->run().started.isValid())
                    drive.whenMs = facts->run().started.toMSecsSinceEpoch();
            }
            described.push_back(std::move(drive));
        } catch (const Error &error) {
            m_sink.catalogueFailed(source.path, error);
            continue;
        }
        if (sources.size() == size_t(kMostCatalogues))
            throw Error(ErrorNumber::InvalidArgument,
                        QCoreApplication::translate("Error", "More than %1 catalogues in one folder").arg(kMostCatalogues));
        sources.push_back(std::move(source));
    }
    groupSources(described);
}

void CopiesReport::groupSources(const std::vector<CatalogueOfDrive> &described)
{
    std::vector<CopiesSource> &sources = m_result.d->sources;
    const DriveGroups groups = groupByDrive(described);
    m_result.drives = groups.drives;
    for (size_t i = 0; i < sources.size(); ++i) {
        sources[i].drive = groups.driveOf[i];
        sources[i].history = groups.history[i];
        sources[i].allHistory = groups.allHistory(quint32(i), described[i].root);
        if (sources[i].allHistory)
            m_result.history << sources[i].name;
    }
}

void CopiesReport::factsDamaged(const QString &path)
{
    const std::lock_guard held(m_lock);
    const QString facts = factsPathFor(path);
    if (!m_result.damagedFacts.contains(facts))
        m_result.damagedFacts << facts;
}

// The first reading: every file counted under its name and size, or, of unknown size, its name
// and type. The catalogues without facts are read first, so that a file of known size finds
// the files of its name and type that have no size.
void CopiesReport::count(CopiesSource &source, std::atomic<quint64> &entries, const std::atomic<bool> &stop)
{
    CatalogueReader reader(source.path);
    const std::unique_ptr<CatalogueFacts> facts = factsOf(source);
    // Files count once per drive: a file on a drive catalogued twice is not two copies.
    const quint32 drive = source.drive;
    CopyCounts::Batch bySize(m_bySize);
    quint64 read = 0;
    quint64 heading = 0;
    bool history = false;
    while (const std::optional<CatalogueEntryView> entry = reader.nextEntry()) {
        if ((++read & 0xFFF) == 0) {
            entries += 0x1000;
            if (stop)
                return;
        }
        if (entry->heading != heading) {
            heading = entry->heading;
            history = inHistory(source, entry->folder);
        }
        if (history)
            continue;
        const std::optional<EntryFacts> known = facts ? facts->atLine(entry->lineOffset) : std::nullopt;
        const qint64 size = known ? known->size : -1;
        if (!facts || (!known && m_byTypeOnly)) {
            if (m_options.minimumSize < 0)
                m_byType.add(copyKeyOf(entry->name, entry->type), drive);
        } else if (m_byTypeOnly) {
            continue;
        } else if (!known) {
            // A block that does not check: counted by name and type once the report knows it.
            source.damaged = true;
        } else if (size >= m_options.minimumSize) {
            if (!m_anyByType || !m_byType.addIfCounted(copyKeyOf(entry->name, entry->type), drive))
                bySize.add(copyKeyOf(entry->name, size), drive);
        }
    }
    entries += read & 0xFFF;
}

std::unique_ptr<CatalogueFacts> CopiesReport::factsOf(const CopiesSource &source)
{
    return source.hasFacts ? CatalogueFacts::open(source.path, FileReader(encodeFileName(source.path))) : nullptr;
}

bool CopiesReport::inHistory(const CopiesSource &source, QByteArrayView folder)
{
    return std::any_of(source.history.begin(), source.history.end(),
                       [&](const QByteArray &covered) { return isAtOrBelow(folder, covered); });
}

bool CopiesReport::isUnder(QByteArrayView folder) const
{
    if (m_under.isEmpty() || m_under == "/")
        return true;
    return folder.startsWith(m_under) && (folder.size() == m_under.size() || folder[m_under.size()] == '/');
}

// The second reading: the files the counts pick, as records for the sorted runs.
// Entries wait in batches while their counts' cells are fetched, so that the fetches overlap.
void CopiesReport::list(CopiesSource &source, std::atomic<quint64> &entries, const std::atomic<bool> &stop)
{
    CatalogueReader reader(source.path);
    const std::unique_ptr<CatalogueFacts> facts = factsOf(source);
    const quint32 index = quint32(&source - m_result.d->sources.data());
    struct Waiting
    {
        qint64 size;
        qint64 modifiedNs;
        qsizetype name, nameLength, type, typeLength; // in the batch's bytes
        CopyKey byType;
        CopyKey bySize;
    };
    constexpr size_t kBatch = 128;
    std::vector<Waiting> waiting;
    waiting.reserve(kBatch);
    QByteArray bytes;           // the waiting entries' names and types
    QByteArray folder;          // the folder of the heading last seen
    quint64 folderHeading = 0;
    bool history = false;       // the heading's folder is history
    QByteArray records;         // the rows listed and not yet handed to the runs
    quint64 rows = 0;
    const auto handOver = [&] {
        m_result.d->runs.add(records, rows);
        records.resize(0);
        rows = 0;
    };

    // Entries of one batch lie in one folder: a heading settles the batch before it.
    const auto settle = [&] {
        for (const Waiting &w : waiting) {
            bool byType = false;
            std::optional<CopyCounts::Count> group;
            if (m_anyByType && (group = m_byType.find(w.byType)))
                byType = true;
            else if (w.size >= 0)
                group = m_bySize.find(w.bySize);
            if (!group)
                continue;
            if (m_options.mode == CopiesOptions::Mode::Single ? group->onSeveralDrives : group->copies < 2)
                continue;
            copies::appendRow(records, {w.size, w.modifiedNs, group->copies | (byType ? kByType : 0), index, 0, 0, 0},
                              QByteArrayView(bytes.constData() + w.name, w.nameLength),
                              QByteArrayView(bytes.constData() + w.type, w.typeLength), folder);
            ++rows;
        }
        waiting.clear();
        bytes.resize(0);
        if (records.size() >= copies::RowRuns::kRunBytes / 16)
            handOver();
    };

    quint64 read = 0;
    while (const std::optional<CatalogueEntryView> entry = reader.nextEntry()) {
        if ((++read & 0xFFF) == 0) {
            entries += 0x1000;
            if (stop)
                return;
        }
        if (entry->heading != folderHeading) {
            settle();
            folder = entry->folder.toByteArray();
            folderHeading = entry->heading;
            history = inHistory(source, folder);
        }
        if (history)
            continue;
        const std::optional<EntryFacts> known = facts ? facts->atLine(entry->lineOffset) : std::nullopt;
        const qint64 size = known ? known->size : -1;
        if ((m_options.minimumSize >= 0 && size < m_options.minimumSize) || !isUnder(entry->folder))
            continue;
        Waiting w{size, known ? known->modifiedNs : 0, bytes.size(), entry->name.size(),
                  bytes.size() + entry->name.size(), entry->type.size(), {}, {}};
        bytes += entry->name;
        bytes += entry->type;
        if (m_anyByType) {
            w.byType = copyKeyOf(entry->name, entry->type);
            m_byType.prefetch(w.byType);
        }
        if (size >= 0) {
            w.bySize = copyKeyOf(entry->name, size);
            m_bySize.prefetch(w.bySize);
        }
        waiting.push_back(w);
        if (waiting.size() == kBatch)
            settle();
    }
    settle();
    entries += read & 0xFFF;
    handOver();
}

CopiesResult CopiesReport::run(FileSystem &fileSystem, const QString &folder)
{
    findSources(fileSystem, folder);
    std::vector<CopiesSource> &sources = m_result.d->sources;
    std::vector<quint32> withoutFacts, withFacts, all;
    for (quint32 i = 0; i < sources.size(); ++i) {
        m_result.catalogues << sources[i].name;
        if (sources[i].allHistory)
            continue;
        if (!sources[i].hasFacts)
            m_result.withoutFacts << sources[i].name;
        (sources[i].hasFacts ? withFacts : withoutFacts).push_back(i);
        all.push_back(i);
    }
    const Work counting = [this](CopiesSource &source, std::atomic<quint64> &entries, const std::atomic<bool> &stop) {
        count(source, entries, stop);
    };
    const Work listing = [this](CopiesSource &source, std::atomic<quint64> &entries, const std::atomic<bool> &stop) {
        list(source, entries, stop);
    };
    m_byTypeOnly = true;
    m_result.stopped = !readAll(1, withoutFacts, counting);
    m_byTypeOnly = false;
    m_anyByType = !m_byType.isEmpty();
    m_result.stopped = m_result.stopped || !readAll(1, withFacts, counting);
    std::vector<quint32> damaged;
    for (const quint32 i : withFacts)
        if (sources[i].damaged && !sources[i].failed) {
            damaged.push_back(i);
            factsDamaged(sources[i].path);
        }
    if (!m_result.stopped && !damaged.empty() && m_options.minimumSize < 0) {
        // Files of unknown size were met after files of known size were counted: counted again,
        // those by name and type first, as for catalogues without facts.
        m_bySize.clear();
        m_byType.clear();
        const quint64 read = m_entries; // the same files again
        damaged.insert(damaged.begin(), withoutFacts.begin(), withoutFacts.end());
        m_byTypeOnly = true;
        m_result.stopped = !readAll(1, damaged, counting);
        m_byTypeOnly = false;
        m_anyByType = !m_byType.isEmpty();
        m_result.stopped = m_result.stopped || !readAll(1, withFacts, counting);
        m_entries = read;
    }
    m_result.stopped = m_result.stopped || !readAll(2, all, listing);
    m_result.entries = m_entries;
    m_result.distinct = m_bySize.distinct() + m_byType.distinct();
    m_bySize.clear();
    m_byType.clear();
    m_result.d->runs.finish();
    return std::move(m_result);
}

qint64 spareBytes(qint64 size, quint32 copies)
{
    qint64 spare = 0;
    if (size <= 0 || copies < 2)
        return 0;
    return __builtin_mul_overflow(size, qint64(copies - 1), &spare) ? std::numeric_limits<qint64>::max() : spare;
}

qint64 addSizes(qint64 a, qint64 b)
{
    qint64 sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? std::numeric_limits<qint64>::max() : sum;
}

CopiesResult copiesReport(FileSystem &fileSystem, const QString &folder, const CopiesOptions &options, CopiesSink &sink)
{
    return CopiesReport(options, sink).run(fileSystem, folder);
}

} // namespace kestrova
