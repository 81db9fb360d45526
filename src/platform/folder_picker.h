// The desktop's folder picker.
#pragma once

#include <QString>

namespace kestrova {

class FolderPicker
{
public:
    virtual ~FolderPicker() = default;
    // Lets the user choose a folder, with prompt as the picker's title. Gives its local path,
    // or empty text when the user cancels or the choice has no local path.
    virtual QString chooseFolder(const QString &prompt) = 0;
};

} // namespace kestrova
