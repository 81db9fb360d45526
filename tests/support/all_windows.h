// One of each of the program's windows, for tests that look at every window alike.
#pragma once

#include "windows/about_box.h"
#include "windows/browser_window.h"
#include "windows/compare_window.h"
#include "windows/copies_window.h"
#include "windows/default_path_dialog.h"
#include "windows/drives_window.h"
#include "windows/main_window.h"
#include "windows/quick_find_window.h"
#include "windows/run_copy_window.h"
#include "windows/search_window.h"

#include <QList>

namespace kestrova::testing {

struct AllWindows
{
    explicit AllWindows(Services &services)
        : main(services), search(services), show(services), path(services), about(services), compare(services),
          drives(services), copies(services), quickFind(services), browser(services)
    {
    }
    // In the order: main window, search, Run/Copy path, Set Default Path, About, and the Tools
    // menu's windows: Compare Catalogues, Drives, Copies, Quick Find, Browse Catalogue.
    QList<QWidget *> list()
    {
        return {&main, &search, &show, &path, &about, &compare, &drives, &copies, &quickFind, &browser};
    }

    MainWindow main;
    SearchWindow search;
    RunCopyWindow show;
    DefaultPathDialog path;
    AboutBox about;
    CompareWindow compare;
    DrivesWindow drives;
    CopiesWindow copies;
    QuickFindWindow quickFind;
    BrowserWindow browser;
};

} // namespace kestrova::testing
