// The Save dialog that asks where a catalogue, or exported results, go.
#pragma once

#include "platform/error.h"

#include <QString>
#include <QStringList>

namespace kestrova {

class SaveDialog
{
public:
    virtual ~SaveDialog() = default;

    QString filter;      // for example "Text (*.txt)"; several are separated by ";;"
    QString selectedFilter; // the filter shown first when set; after showSave(): the one chosen
    QString initialDir;  // where the dialog opens; empty keeps the previous folder
    QString fileName;    // offered name; after showSave() the chosen one
    bool cancelError = false;

    // Shows the dialog modally and leaves the choice in fileName. Cancelling raises error
    // 32755 when cancelError is set, and otherwise leaves fileName empty.
    virtual void showSave() = 0;

    // The user's folder of documents, where files for other programs go by default.
    virtual QString documentsFolder() const = 0;

    static Error cancelledError()
    {
        return Error(ErrorNumber::Cancelled, QStringLiteral("Cancel was selected."));
    }
};

// The first of filters (each "Name (*.ext *.other)") one of whose patterns name matches,
// without regard to case; empty when none does.
QString filterMatching(const QStringList &filters, const QString &fileName);

} // namespace kestrova
