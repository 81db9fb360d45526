// A search view that records what the search did to the window, for the search tests.
#pragma once

#include "search/result_order.h"
#include "search/search_view.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace kestrova::testing {

class RecordingSearchView final : public SearchView
{
public:
    QString criteriaText() override { return criteria; }
    bool caseSensitive() override { return caseSensitiveOn; }
    bool dateFilterOn() override { return dateFilter; }
    void appendRow(const RowTexts &row) override { table.append(row); }
    void clearRows() override { table.clear(); }
    void setSorted(bool on) override
    {
        sorted = on;
        if (on)
            table.sortBy(sortColumn);
    }
    void setCountText(const QString &text) override { countText = text; }
    void setIndicatorCaption(const QString &caption) override { captions << caption; }
    IndicatorColour indicatorColour() override { return colour; }
    void setIndicatorColour(IndicatorColour value) override
    {
        colour = value;
        ++colourChanges;
    }
    void yield() override
    {
        ++yields;
        if (onYield)
            onYield();
    }
    void inform(const QString &text) override { messages << text; }

    struct Row
    {
        QString filePath;
        QString fileType;
        QString created;
        QString catalogueFile;
    };
    std::vector<Row> rows() const
    {
        std::vector<Row> result;
        for (qsizetype i = 0; i < table.size(); ++i)
            result.push_back({table.string(i, 0), table.string(i, 1), table.string(i, 2), table.string(i, 3)});
        return result;
    }
    QStringList paths() const
    {
        QStringList result;
        for (qsizetype i = 0; i < table.size(); ++i)
            result << table.string(i, 0);
        return result;
    }

    QString criteria;
    bool caseSensitiveOn = false;
    bool dateFilter = false;
    int sortColumn = 0;
    ResultTable table;
    bool sorted = false;
    QString countText;
    QStringList captions;
    IndicatorColour colour = IndicatorColour::Red;
    int colourChanges = 0;
    int yields = 0;
    QStringList messages;
    std::function<void()> onYield;
};

} // namespace kestrova::testing
