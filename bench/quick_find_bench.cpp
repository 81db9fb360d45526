// Times typing a query into the Quick Find window, offscreen, one letter at a time: for each
// keystroke, the time until the list holds its first 100 rows (or all, when fewer) and until the
// search is complete; then a whole word at once. The figures of kestrova-cli search for the same
// word are printed beside them by bench/query_bench.py, which runs this.
//
//   QT_QPA_PLATFORM=offscreen build/bench/quick_find_bench FOLDER TYPED [WORD]
#include "bench_services.h"

#include "platform/files/cache_location.h"
#include "search/index_cache.h"
#include "windows/quick_find_window.h"
#include "windows/result_list.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>

using namespace kestrova;

namespace {

struct Keystroke
{
    double firstRows = -1; // ms until 100 rows (or all of them) were shown
    double complete = 0;   // ms until the search was complete
    int rows = 0;
};

Keystroke type(QuickFindWindow &window, const QString &text)
{
    Keystroke result;
    QElapsedTimer clock;
    const auto connection =
        QObject::connect(&window.results(), &QAbstractItemModel::rowsInserted, &window, [&] {
            if (result.firstRows < 0 && window.results().rowCount() >= 100)
                result.firstRows = clock.nsecsElapsed() / 1e6;
        });
    clock.start();
    window.txtQuery->setText(
        text); // the search runs to its end inside, yielding as the window does
    result.complete = clock.nsecsElapsed() / 1e6;
    QObject::disconnect(connection);
    result.rows = window.results().rowCount();
    if (result.firstRows < 0)
        result.firstRows = result.complete; // fewer than 100 rows: all of them at the end
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: quick_find_bench FOLDER TYPED [WORD]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString typed = QString::fromLocal8Bit(argv[2]);
    const QString word = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();

    const UserCacheLocation cacheLocation;
    IndexCache searchIndex(cacheLocation, IndexCache::Builds::Background);
    bench::DesktopServices desktop(&searchIndex);
    desktop.paths.DefaultPath = folder;
    Services &services = desktop.services;

    QuickFindWindow window(services);
    window.Form_Load();
    window.show();
    QApplication::processEvents();
    double worstFirst = 0;
    for (qsizetype length = 1; length <= typed.size(); ++length) {
        const Keystroke key = type(window, typed.first(length));
        worstFirst = std::max(worstFirst, key.firstRows);
        std::printf("%-12s first rows %7.1f ms   complete %8.1f ms   %7d rows\n",
                    qPrintable(typed.first(length)), key.firstRows, key.complete, key.rows);
        std::fflush(stdout);
    }
    std::printf("typing %s: slowest first rows %.1f ms (target <= 100)\n", qPrintable(typed),
                worstFirst);
    if (!word.isEmpty()) {
        window.txtQuery->clear();
        const Keystroke key = type(window, word);
        std::printf("word %s: first rows %.1f ms (target <= 100), complete %.1f ms, %d rows\n",
                    qPrintable(word), key.firstRows, key.complete, key.rows);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak RSS %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
