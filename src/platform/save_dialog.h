// The Save dialog that asks where a catalogue goes.
#pragma once

#include "error.h"

#include <QString>

namespace kestrova {

class SaveDialog
{
public:
    virtual ~SaveDialog() = default;

    QString filter;      // for example "Text (*.txt)"; several are separated by ";;"
    QString selectedFilter; // after showSave(): the filter the user chose
    QString initialDir;  // where the dialog opens; empty keeps the previous folder
    QString fileName;    // offered name; after showSave() the chosen one
    bool cancelError = false;

    // Shows the dialog modally and leaves the choice in fileName. Cancelling raises error
    // 32755 when cancelError is set, and otherwise leaves fileName empty.
    virtual void showSave() = 0;

    static Error cancelledError()
    {
        return Error(ErrorNumber::Cancelled, QStringLiteral("Cancel was selected."));
    }
};

} // namespace kestrova
