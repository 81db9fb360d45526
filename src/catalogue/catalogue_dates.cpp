#include "catalogue_dates.h"

#include "catalogue_format.h"

#include <QSet>

#include <optional>

namespace kestrova {
namespace {

// Enough different created texts to tell day and month apart in nearly every catalogue.
constexpr qsizetype kMostSamples = 200;

struct Samples
{
    QByteArray header;             // the header's date; empty without a header
    std::vector<QByteArray> created; // distinct created texts of file lines
};

Samples samplesOf(QByteArrayView head)
{
    Samples samples;
    QSet<QByteArray> seen;
    qsizetype start = 0;
    bool first = true;
    // Whole lines only: the last one may be cut where head ends.
    for (qsizetype i = 0; i < head.size() && qsizetype(samples.created.size()) < kMostSamples; ++i) {
        if (head[i] != '\r' && head[i] != '\n')
            continue;
        const QByteArrayView line = head.sliced(start, i - start);
        start = i + 1;
        if (std::exchange(first, false) && line.startsWith(catalogue::kHeaderPrefix)) {
            samples.header = line.sliced(qstrlen(catalogue::kHeaderPrefix)).toByteArray();
            continue;
        }
        // A file line has a name, a type and a created text; other lines have no two ";".
        if (line.count(catalogue::kFieldSeparator) < 2)
            continue;
        const QByteArrayView created = catalogue::entryFields(line).created;
        if (!created.isEmpty() && !seen.contains(created.toByteArray())) {
            seen.insert(created.toByteArray());
            samples.created.push_back(created.toByteArray());
        }
    }
    return samples;
}

} // namespace

CatalogueDates::CatalogueDates(const DateConventions &own) : m_own(own)
{
}

CatalogueDates::~CatalogueDates() = default;

const DateConventions *CatalogueDates::of(const DateWriting &recorded, QByteArrayView head)
{
    if (recorded.isEmpty())
        return recognised(head);
    if (recorded == m_own.writing())
        return &m_own;
    for (const std::unique_ptr<const DateConventions> &known : m_recorded)
        if (known->writing() == recorded)
            return known.get();
    m_recorded.push_back(std::make_unique<const DateConventions>(recorded));
    return m_recorded.back().get();
}

const DateConventions *CatalogueDates::recognised(QByteArrayView head) const
{
    const Samples samples = samplesOf(head);
    if (samples.created.empty())
        return &m_own; // no date to read
    std::vector<const DateConventions *> candidates{&m_own};
    for (const std::unique_ptr<const DateConventions> &each : DateConventions::everyLocale())
        candidates.push_back(each.get());
    // The header's date narrows them first, where any of them reads it.
    if (!samples.header.isEmpty()) {
        std::vector<const DateConventions *> reading;
        for (const DateConventions *each : candidates)
            if (each->parse(QByteArrayView(samples.header)))
                reading.push_back(each);
        if (!reading.empty())
            candidates = std::move(reading);
    }
    // Those that read the most created texts (a line that only looks like a file line may be
    // read by none) ...
    std::vector<const DateConventions *> best;
    qsizetype most = 0;
    for (const DateConventions *each : candidates) {
        qsizetype read = 0;
        for (const QByteArray &text : samples.created)
            read += each->parse(QByteArrayView(text)).has_value();
        if (read > most)
            best.clear();
        if (read >= most && read > 0) {
            most = read;
            best.push_back(each);
        }
    }
    if (best.empty())
        return nullptr;
    // ... must read every text as the same date, unless the reader's own are among them.
    if (best.front() == &m_own)
        return &m_own;
    std::vector<QByteArray> texts = samples.created;
    texts.push_back(samples.header);
    for (const QByteArray &text : texts) {
        const std::optional<LocalDateTime> date = best.front()->parse(QByteArrayView(text));
        for (const DateConventions *other : best)
            if (other->parse(QByteArrayView(text)) != date)
                return nullptr;
    }
    return best.front();
}

} // namespace kestrova
