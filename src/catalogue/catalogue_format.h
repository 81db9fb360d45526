// The catalogue file: a dated header, a framed heading per folder, one line per file
// (name;type;created) and closing totals, every line ended by CR LF. This is the one
// definition of its lines; the generator writes them and the search reads them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kestrova::catalogue {

inline constexpr char kHeaderPrefix[] = "CATALOGUE Date: ";
inline constexpr char kRule[] = "============================================"; // 44 "="
inline constexpr char kFolderPrefix[] = "Folder  ";
inline constexpr char kEndMarker[] =
    "=============== END OF CATALOGUE =============================";
inline constexpr char kFolderTotalPrefix[] = "TOTAL FODERS SCANNED: ";
inline constexpr char kFileTotalPrefix[] = "TOTAL FILES SCANNED: ";
inline constexpr char kFieldSeparator = ';';
inline constexpr char kFinished[] = "Finished ...";
// A longer line is no catalogue line: never a heading, never an entry.
inline constexpr qsizetype kLongestLine = 1 << 20;

// The frame rule of headings, as a reader meets it: a folder heading is a line beginning
// "Folder" right after a rule line, where that rule line does not itself close the frame of the
// heading before it (a file named "Folders.txt" first in its folder follows the closing rule
// and stays a file line). previousLine is the line before, without its line end;
// previousClosesFrame says whether it is the line right after the latest heading.
bool isFolderHeading(QByteArrayView line, QByteArrayView previousLine, bool previousClosesFrame);
// The folder a heading names: the text after "Folder", without the blanks around it.
QByteArrayView headingFolder(QByteArrayView heading);

// The closing totals, as a reader meets them: a line is a totals line only after the end marker
// (before it, "TOTAL FILES SCANNED: 3;File;..." is a file of that name). afterEndMarker: whether
// the end marker was read before this line.
struct TotalLine
{
    enum class Kind { None, Folders, Files };
    Kind kind = Kind::None;
    QByteArrayView value; // the text after the prefix
};
TotalLine totalLine(QByteArrayView line, bool afterEndMarker);
// The file total the last bytes of a complete catalogue give: the totals line after its end
// marker; nothing when tail holds no end marker or no such line.
std::optional<QByteArrayView> fileTotalInTail(QByteArrayView tail);
// A total as a count: the plain number or the form with an exponent formatTotal() writes;
// nothing for a text that is no count, negative, or beyond what 63 bits hold.
std::optional<quint64> totalValue(QByteArrayView text);

// The folder the first heading among the first bytes of a catalogue names (its root, by the
// frame rule); empty when head holds no heading.
QByteArray firstHeadingIn(QByteArrayView head);

// A count as the totals lines hold it: the plain number below 10,000,000, from there the
// shortest form with at most seven significant digits (1E+07, 1.234568E+07).
QByteArray formatTotal(quint64 count);

// Text from the file system made fit for one line: a carriage return or line feed inside a
// name would split the line and corrupt the catalogue, so each becomes "?".
QByteArray lineSafe(QByteArray text);

// A type or created text made fit for its field of a file line: besides line breaks, ";" (which
// would end the field) becomes "?". Names keep their ";" (see entryFields()).
QByteArray fieldSafe(QByteArray text);

// The fields of a file line. The created text is what follows the last ";", the type what lies
// between the last two, the name everything before: a name holding ";" is read whole, since
// type and created texts never hold one. A line of three pieces or fewer reads piece by piece
// (name, type, created; a missing piece is empty). Every reader of entries splits lines here.
struct EntryFields
{
    QByteArrayView name;
    QByteArrayView type;
    QByteArrayView created;
};
EntryFields entryFields(QByteArrayView line);

// The catalogue file name for a name the user chose: kept when it ends exactly in ".txt"
// (case matters), otherwise with ".txt" appended.
QString catalogueFileName(const QString &chosen);

} // namespace kestrova::catalogue
