// What the user can do with the hits of the search window besides the Run/Copy path window:
// a context menu (right click, the Menu key, Shift+F10) with Open, Show in Folder, Copy Path,
// Copy Name, Run/Copy Path..., Export Results... (the columns the list shows, in its order) and the
// window's View menu; Ctrl+C copies the selected paths, Enter
// does what a double-click does. Paths keep their bytes (file_names.h) all the way to the
// launcher, the file manager and the clipboard.
#pragma once

#include "services.h"

#include "catalogue/catalogue_facts.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QTableView;

namespace kestrova {

class ResultModel;

// A file as a catalogue holds it: the catalogue's full path and the file's path in it.
struct CatalogueHit
{
    QString catalogue;
    QByteArray filePath;
};

class HitActions : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        // What a double-click does (the Run/Copy path window of the current row); without it
        // the menu has no Open, Copy Name and Run/Copy Path..., and Enter does nothing.
        std::function<void()> runCopy;
        // The catalogue a row came from, for the message about a drive that is not connected.
        std::function<QString(int row)> catalogueOf;
        // The column names an export writes; by default the result list's.
        QList<QByteArray> exportColumns;
        // What the facts beside a row's catalogue say of its run (empty when there are none): a
        // drive mounted elsewhere today is found where it is, one not connected is named.
        std::function<RunFacts(int row)> runOf;
        // The window's View menu (which columns the list shows), offered in the list's menu too.
        QMenu *viewMenu = nullptr;
        // The full path of the catalogue a row came from: with it (and a browser to open) the
        // menu has Show in Catalogue.
        std::function<QString(int row)> cataloguePathOf = {};
        // Where a row's file is found in each catalogue that holds it (the row's own first),
        // when there may be several: Show in Catalogue then offers them in a menu. Instead of
        // cataloguePathOf.
        std::function<QList<CatalogueHit>(int row)> catalogueHitsOf = {};
    };
    // The view must outlive the actions. The model's path column names the hits' files.
    HitActions(Services &services, QTableView &view, ResultModel &model, Options options);

    // The selected rows in the list's order; the current row when none is selected.
    QList<int> selectedRows() const;
    // The row a double-click or Enter acts on: the current row when it is selected, else the
    // first selected; -1 when none is selected.
    int actedRow() const;
    // Where a row's file is today: its catalogued path, under the drive's mount point of today
    // when the drive is mounted elsewhere than it was catalogued.
    QString pathToday(int row) const;
    // Where a row's file is when it is not there: on a drive not connected (named, with its
    // label and UUID), or gone from its folder, and the catalogue it came from; empty when the
    // file is there.
    QString whereabouts(int row) const;

    void open();
    void showInFolder();
    void copyPaths();
    void copyNames();
    void exportResults();
    // The catalogue browser at the first selected row's file; where several catalogues hold
    // it, at the one the user picks from cataloguesMenu().
    void showInCatalogue();
    // The catalogues Show in Catalogue offered last, one action each.
    QMenu *cataloguesMenu() const { return m_cataloguesMenu; }

    QMenu *menu() const { return m_menu; }
    QAction *openAction = nullptr;
    QAction *showInFolderAction = nullptr;
    QAction *copyPathAction = nullptr;
    QAction *copyNameAction = nullptr;
    QAction *runCopyAction = nullptr;
    QAction *exportAction = nullptr;
    QAction *showInCatalogueAction = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The hit's file when it is there; otherwise a message that names the missing folder and
    // the catalogue the hit came from, and nothing.
    bool reachable(int row);
    void updateActions();

    Services &m_services;
    QTableView &m_view;
    ResultModel &m_model;
    Options m_options;
    QMenu *m_menu = nullptr;
    QMenu *m_cataloguesMenu = nullptr;
};

} // namespace kestrova
