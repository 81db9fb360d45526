// The catalogue browser (Tools -> Browse Catalogue...): one catalogue as folders, whatever drive
// it describes is connected or not. The drive's facts at the top; the folders as a tree on the
// left; on the right the chosen folder's sub-folders (each with the total size and count of the
// files under it) and files, in the result list with the search window's hit actions; a path
// bar and Back, Forward and Up (Alt+Left, Alt+Right, Alt+Up, Backspace) above.
#pragma once

#include "services.h"

#include "catalogue/catalogue_tree.h"

#include <QDialog>

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class QTreeView;

namespace kestrova {

class BrowserListModel;
class BrowserTreeModel;
class HitActions;

class BrowserWindow : public QDialog
{
    Q_OBJECT

public:
    explicit BrowserWindow(Services &services, QWidget *parent = nullptr);
    ~BrowserWindow() override;

    // Asks for a catalogue, starting in the folder of catalogues, and opens it; false when none
    // was chosen or it could not be read (a message said why).
    bool chooseCatalogue();
    // Opens the catalogue at path at its root; false, after a message, when it cannot be read.
    bool openCatalogue(const QString &path);
    // Opens the catalogue at path (unless open already) at the folder of the file at filePath,
    // as the search gives it, with that file selected.
    bool showHit(const QString &path, const QByteArray &filePath);

    void goBack();
    void goForward();
    void goUp();
    // Shows the folder the path bar names.
    void pathEntered();

    const CatalogueTree *tree() const { return m_tree.get(); }
    quint32 currentFolder() const { return m_folder; }
    BrowserListModel &listing() { return *m_listModel; }
    HitActions &hitActions() { return *m_hitActions; }

    QLabel *lblFacts = nullptr;
    QToolButton *cmdBack = nullptr;
    QToolButton *cmdForward = nullptr;
    QToolButton *cmdUp = nullptr;
    QLineEdit *txtPath = nullptr;
    QTreeView *tvFolders = nullptr;
    QTableView *LV1 = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdExport = nullptr;
    QPushButton *cmdClose = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Shows folder; remember: whether it goes into the history (Back and Forward do not).
    void showFolder(quint32 folder, bool remember = true);
    // The listing in the order of column, the rows chosen kept chosen.
    void sortListing(int column, Qt::SortOrder order);
    // A double-click or Enter in the listing: into a folder, or the file opened.
    void activateRow();
    void showFacts();
    void updateNavigation();

    Services &m_services;
    std::unique_ptr<CatalogueTree> m_tree;
    std::unique_ptr<BrowserTreeModel> m_treeModel;
    std::unique_ptr<BrowserListModel> m_listModel;
    std::unique_ptr<HitActions> m_hitActions;
    quint32 m_folder = CatalogueTree::kNone;
    bool m_datesFitted = false;
    std::vector<quint32> m_back;
    std::vector<quint32> m_forward;
};

} // namespace kestrova
