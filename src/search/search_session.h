// The state a search keeps between its steps, owned by the search window. CurrentFolder
// carries over from one catalogue to the next and from one search to the next.
#pragma once

#include "platform/text/date_conventions.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace kestrova {

struct SearchSession
{
    QByteArray CurrentFolder;   // the folder of the latest folder heading read
    quint64 headingsTaken = 0;  // how often CurrentFolder was set from a heading
    QString CatalogueName;      // the name of the catalogue file being read
    qint64 MatchCount = 0;      // accepted lines of this search
    bool StopRequested = false;
    QString FilterDateText;     // the date of the "Date > than" filter, as text
    bool running = false;       // a search is in progress (it yields, so clicks can arrive)

    // The filter date read from FilterDateText, kept while the text stays the same.
    std::optional<QString> parsedFilterText;
    std::optional<LocalDateTime> parsedFilter;
    // The created text last tested against the filter, and the answer.
    QByteArray lastCreated;
    bool lastCreatedAccepted = false;
};

} // namespace kestrova
