// What a search needs of the window that shows it, and the rows it hands over. The search
// window implements this, kestrova-cli implements it, and the tests record through it.
#pragma once

#include "platform/error.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <limits>
#include <optional>

namespace kestrova {

// One hit: the four columns of the result list as the catalogue holds them, in UTF-8. The
// texts are valid during the call that hands them over only.
struct RowTexts
{
    QByteArrayView filePath;
    QByteArrayView fileType;
    QByteArrayView created;
    QByteArrayView catalogueFile;
    // From the facts beside the catalogue: the file's size (-1: not known) and its last
    // modification, in nanoseconds since the epoch (only when the size is known).
    qint64 size = -1;
    qint64 modifiedNs = 0;
};

// Sizes a hit's file must lie within, both ends included; a file whose size is not known never
// lies within one.
struct SizeRange
{
    qint64 least = 0;
    qint64 most = std::numeric_limits<qint64>::max();
    bool holds(qint64 size) const { return size >= 0 && size >= least && size <= most; }
};

enum class IndicatorColour { Red, Green };

class SearchView
{
public:
    virtual ~SearchView() = default;

    virtual QString criteriaText() = 0;
    virtual bool caseSensitive() = 0;      // "Case Sensitive" selected
    virtual bool dateFilterOn() = 0;       // "Date > than" checked
    // Whether rows are to carry their files' sizes and modification times (read from the facts
    // beside each catalogue), and the sizes a hit must have.
    virtual bool wantsFacts() { return false; }
    virtual std::optional<SizeRange> sizeFilter() { return std::nullopt; }

    virtual void appendRow(const RowTexts &row) = 0;
    virtual void clearRows() = 0;
    // Sorted mode: on, the rows are kept in the order of the sort column.
    virtual void setSorted(bool on) = 0;

    virtual void setCountText(const QString &text) = 0;
    virtual void setIndicatorCaption(const QString &caption) = 0;
    virtual IndicatorColour indicatorColour() = 0;
    virtual void setIndicatorColour(IndicatorColour colour) = 0;

    // Lets the window handle its pending events once (a click on Stop, a repaint).
    virtual void yield() = 0;
    // A message with the information icon and an OK button.
    virtual void inform(const QString &text) = 0;
    // The folder of catalogues could not be read: the search reads nothing. The window shows
    // the message about choosing a folder for an empty one, otherwise the description alone;
    // other views may name the folder.
    virtual void folderFailed(const QString &folder, const Error &error);

    // The dates of a catalogue cannot be read (the date filter is on): none of its entries
    // passes the filter. Said once per catalogue and search; by default as a message.
    virtual void datesUnreadable(const QString &catalogue);

    // One catalogue file could not be read to its end; the search goes on with the next.
    // The window shows the description alone; other views may name the file.
    virtual void catalogueFailed(const QByteArray &path, const Error &error)
    {
        Q_UNUSED(path);
        inform(error.description());
    }
};

} // namespace kestrova
