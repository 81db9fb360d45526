// Times a search through the search window's own code path, offscreen, against kestrova-cli
// searching the same folder for the same criteria in the same run; then times sorting a
// million result rows by each column, in the collation of the locale the environment names.
//
//   QT_QPA_PLATFORM=offscreen build/bench/window_search_bench FOLDER CRITERIA [CLI]
#include "bench_services.h"

#include "platform/files/cache_location.h"
#include "search/index_cache.h"
#include "windows/drive_folder_lists.h"
#include "windows/result_list.h"
#include "windows/search_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <memory>

#include <malloc.h>
#include <sys/resource.h>

using namespace kestrova;

namespace {

// A figure of /proc/self/status (VmRSS:, VmHWM:), in MiB.
double statusMiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Starts counting the peak resident size (VmHWM) afresh.
void resetPeak()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

double peakRssMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double cliSeconds(const QString &cli, const QString &folder, const QString &criteria, qint64 &rows)
{
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.start(cli, {QStringLiteral("search"), folder, criteria});
    process.waitForStarted();
    rows = 0;
    while (process.state() != QProcess::NotRunning || process.bytesAvailable() > 0) {
        process.waitForReadyRead(100);
        rows += process.readAllStandardOutput().count('\n');
    }
    return clock.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_search_bench FOLDER CRITERIA [KESTROVA-CLI]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString criteria = QString::fromLocal8Bit(argv[2]);
    const QString cli = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("build/src/app/kestrova-cli");

    // The search indexes as the program keeps them: built on a thread of the cache's own after a
    // search read a catalogue whole.
    const UserCacheLocation cacheLocation;
    IndexCache searchIndex(cacheLocation, IndexCache::Builds::Background);
    bench::DesktopServices desktop(&searchIndex);
    Services &services = desktop.services;

    double windowBest = 1e9;
    double cliBest = 1e9;
    qint64 windowRows = 0;
    qint64 cliRows = 0;
    for (int run = 0; run < 3; ++run) {
        SearchWindow window(services);
        window.Form_Load();
        window.show();
        window.Dir1->setPath(folder);
        QApplication::processEvents(); // the criteria box takes the focus, which empties it
        window.txtCriteria->setText(criteria);
        QElapsedTimer clock;
        clock.start();
        window.cmdSearch_Click();
        const double seconds = clock.elapsed() / 1000.0;
        if (window.fContinue->text() != QStringLiteral("Finshied ..."))
            return 1;
        windowRows = window.results().rowCount();
        windowBest = std::min(windowBest, seconds);
        searchIndex.waitForBuilds(); // outside the time: the window is answering by then
        cliBest = std::min(cliBest, cliSeconds(cli, folder, criteria, cliRows));
        std::printf("run %d: window %.3f s (%lld rows)   kestrova-cli %.3f s (%lld rows)\n", run + 1, seconds,
                    static_cast<long long>(windowRows), cliBest, static_cast<long long>(cliRows));
        std::fflush(stdout);
    }
    std::printf("search: window %.3f s, kestrova-cli %.3f s, ratio %.2f (target <= 1.5); window peak RSS %.1f MiB\n",
                windowBest, cliBest, windowBest / cliBest, peakRssMiB());

    // A million result rows, as a search hands them over, sorted by each column as the result list
    // does when a search ends or a header is clicked. Memory is counted beyond the texts the list
    // must show: the paths (the types, dates and catalogue names, kept once each, count as memory
    // beyond them).
    malloc_trim(0);
    const double before = statusMiB("VmRSS:");
    qint64 textBytes = 0;
    auto model = std::make_unique<ResultModel>();
    model->setTextOrderColumn(2); // as the search window: Created by its text
    model->setHeaders({QStringLiteral("File Path"), QStringLiteral("File Type"), QStringLiteral("Created"),
                       QStringLiteral("Catalogue File")});
    constexpr int kRows = 1'000'000;
    QByteArray path;
    QByteArray created;
    for (int i = 0; i < kRows; ++i) {
        path = "/media/disk" + QByteArray::number(i % 13) + "/Photos/" + QByteArray::number((qint64(i) * 7919) % 1'000'003)
               + "/IMG_" + QByteArray::number(i) + ".JPG";
        created = QByteArray::number(i % 12 + 1) + "/" + QByteArray::number(i % 28 + 1) + "/20"
                  + QByteArray::number(10 + i % 15) + " " + QByteArray::number(i % 12 + 1) + ":15:00 PM";
        textBytes += path.size();
        const char *types[] = {"JPEG image", "PNG image", "TIFF image", "Raw image"};
        model->append({path, types[i % 4], created, QByteArrayView("drive.txt")});
    }
    model->publish();
    const double held = statusMiB("VmRSS:");
    const double texts = textBytes / 1048576.0;
    const auto perRow = [&](double mib) { return (mib - before - texts) * 1048576.0 / kRows; };
    std::printf("1,000,000 rows held: %.1f MiB, of which paths %.1f MiB: %.0f bytes a row beyond them\n",
                held - before, texts, perRow(held));
    model->setSorted(true);
    double worst = held;
    for (int column = 0; column < 4; ++column) {
        malloc_trim(0); // what the sort before let go counts as free, not held
        resetPeak();
        QElapsedTimer clock;
        clock.start();
        model->setSortColumn(column);
        const double peak = statusMiB("VmHWM:");
        worst = std::max(worst, peak);
        std::printf("sort 1,000,000 rows by column %d (%s): %.3f s (target < 1.5 s), peak %.1f MiB (%.0f bytes a row "
                    "beyond the texts)\n",
                    column, qPrintable(QLocale().name()), clock.elapsed() / 1000.0, peak - before, perRow(peak));
    }
    std::printf("result list of 1,000,000 rows: at most %.0f bytes a row beyond the texts (target <= 120)\n",
                perRow(worst));
    return 0;
}
