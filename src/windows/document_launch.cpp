#include "document_launch.h"

#include <QCoreApplication>

namespace kestrova {

int StartDoc(DocumentLauncher &launcher, MessageService &messages, const QString &DocName,
             const QString &workingFolder, std::function<void(int result)> lateFailure)
{
    try {
        return launcher.open(DocName, workingFolder, std::move(lateFailure));
    } catch (const Error &error) {
        messages.reportNumberStyle(error);
        return 0;
    }
}

QString launchFailureMessage(int result)
{
    switch (result) {
    case 2: return QCoreApplication::translate("MainWindow", "File not found");
    case 3: return QCoreApplication::translate("MainWindow", "Path not found");
    case 5: return QCoreApplication::translate("MainWindow", "Access denied");
    case 8: return QCoreApplication::translate("MainWindow", "Out of memory");
    case 11: return QCoreApplication::translate("MainWindow", "Invalid EXE file or error in EXE image");
    case 26: return QCoreApplication::translate("MainWindow", "A sharing violation occurred");
    case 27: return QCoreApplication::translate("MainWindow", "Incomplete or invalid file association");
    case 28: return QCoreApplication::translate("MainWindow", "DDE Time out");
    case 29: return QCoreApplication::translate("MainWindow", "DDE transaction failed");
    case 30: return QCoreApplication::translate("MainWindow", "DDE busy");
    case 31: return QCoreApplication::translate("MainWindow", "No association for file extension");
    case 32: return QCoreApplication::translate("MainWindow", "DLL not found");
    default: return QCoreApplication::translate("MainWindow", "Unknown error");
    }
}

QString runFailureText(int result)
{
    switch (result) {
    case 2: return QCoreApplication::translate("RunCopyWindow", "File not found ...");
    case 3: return QCoreApplication::translate("RunCopyWindow", "Path not found ...");
    case 5: return QCoreApplication::translate("RunCopyWindow", "Access denied ...");
    case 8: return QCoreApplication::translate("RunCopyWindow", "Out of memory");
    case 11: return QCoreApplication::translate("RunCopyWindow", "Invalid EXE file or error in EXE image ...");
    case 26: return QCoreApplication::translate("RunCopyWindow", "A sharing violation occurred ...");
    case 27: return QCoreApplication::translate("RunCopyWindow", "Incomplete or invalid file association");
    case 28: return QCoreApplication::translate("RunCopyWindow", "DDE Time out ...");
    case 29: return QCoreApplication::translate("RunCopyWindow", "DDE transaction failed ...");
    case 30: return QCoreApplication::translate("RunCopyWindow", "DDE busy");
    case 31: return QCoreApplication::translate("RunCopyWindow", "No association for file extension ...");
    case 32: return QCoreApplication::translate("RunCopyWindow", "DLL not found ...");
    default: return QCoreApplication::translate("RunCopyWindow", "Unknown error");
    }
}

} // namespace kestrova
