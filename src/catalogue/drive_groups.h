// Which catalogues of a folder describe one drive, and which of their entries are history.
//
// Catalogues are of one drive when the facts beside them give the same volume UUID; where a
// catalogue's facts know no UUID (or it has none), when they have the same root folder (as a
// catalogue with a UUID, or one another). A drive
// catalogued again makes the older catalogue's entries history where the newer one covers them
// (its root at or above theirs, within the drive): a file listed in both is one file, and a file
// deleted since is not stored any more. The copies report and the drives list both group here.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace kestrova {

// What grouping needs of one catalogue.
struct CatalogueOfDrive
{
    QString uuid;          // the volume's, from the facts; empty when not known
    QByteArray mountPoint; // where that volume was mounted, from the facts; empty when not known
    QByteArray root;       // the folder catalogued: its first heading
    qint64 whenMs = 0;     // when it was catalogued (the run's start, else the file's modification)
};

struct DriveGroups
{
    quint32 drives = 0;
    std::vector<quint32> driveOf; // per catalogue: its drive, numbered in the order first met
    // Per drive: its catalogues, newest first.
    std::vector<std::vector<quint32>> catalogues;
    // Per catalogue: the folders (as that catalogue names them) a newer catalogue of the same
    // drive covers; entries in them or below are history. Holds the catalogue's own root when
    // all of it is.
    std::vector<std::vector<QByteArray>> history;

    bool allHistory(quint32 catalogue, const QByteArray &root) const;
};

DriveGroups groupByDrive(const std::vector<CatalogueOfDrive> &catalogues);

// Whether folder is prefix itself or lies below it ("/a/bc" is not below "/a/b").
bool isAtOrBelow(QByteArrayView folder, QByteArrayView prefix);

} // namespace kestrova
