// One of each of the program's five windows, for tests that look at every window alike.
#pragma once

#include "windows/frmAbout.h"
#include "windows/frmPath.h"
#include "windows/frmReport.h"
#include "windows/frmSearch.h"
#include "windows/frmShow.h"

#include <QList>

namespace kestrova::testing {

struct AllWindows
{
    explicit AllWindows(Services &services)
        : main(services), search(services), show(services), path(services), about(services)
    {
    }
    // In the order: main window, search, Run/Copy path, Set Default Path, About.
    QList<QWidget *> list() { return {&main, &search, &show, &path, &about}; }

    frmReport main;
    frmSearch search;
    frmShow show;
    frmPath path;
    frmAbout about;
};

} // namespace kestrova::testing
