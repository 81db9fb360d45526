// The desktop's folder and file pickers.
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
    // Lets the user choose an existing file, starting in folder, showing the files filter
    // names ("Text (*.txt)"). Gives its path, or empty text when the user cancels.
    virtual QString chooseFile(const QString &prompt, const QString &folder, const QString &filter) = 0;
};

} // namespace kestrova
