// The catalogue browser at scale, for browse_bench.py.
//
//   browse_bench write CATALOGUE FILES FOLDERS   writes a catalogue of FILES files in FOLDERS
//                                                folders (ten levels at most), with its facts
//   browse_bench open CATALOGUE                  opens it in the browser window (offscreen) and
//                                                prints the seconds to its first display
#include "bench_services.h"

#include "catalogue/catalogue_facts.h"
#include "catalogue/content_checksum.h"
#include "platform/files/text_file.h"
#include "windows/browser_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace kestrova;

namespace {

int write(const QString &path, qint64 files, qint64 folders)
{
    TextFileWriter out(path, TextFileWriter::Mode::Truncate);
    FactsWriter facts(path, RunFacts());
    ContentChecksum sum;
    qint64 written = 0;
    const auto line = [&](const QByteArray &text) {
        out.writeLine(text);
        sum.add(text.constData(), text.size());
        sum.add("\r\n", 2);
        written += text.size() + 2;
    };
    const QByteArray rule(44, '=');
    line("CATALOGUE Date: 12/8/2026");
    // Folder i's parent is folder i / 10: a tree ten wide, five to six deep.
    std::vector<QByteArray> paths(static_cast<size_t>(folders));
    paths[0] = "/media/bench";
    qint64 file = 0;
    for (qint64 f = 0; f < folders; ++f) {
        if (f > 0)
            paths[size_t(f)] = paths[size_t((f - 1) / 10)] + "/folder_" + QByteArray::number(f);
        line(rule);
        line("Folder  " + paths[size_t(f)]);
        line(rule);
        const qint64 here = files / folders + (f < files % folders ? 1 : 0);
        for (qint64 i = 0; i < here; ++i, ++file) {
            FileStat stat;
            stat.size = (file * 7919) % 10'000'000;
            stat.modifiedNs = 1'600'000'000'000'000'000 + file;
            facts.add(written, stat);
            line("file_" + QByteArray::number(file) + (file % 7 == 0 ? ".jpg;JPEG image;" : ".txt;plain text document;")
                 + "12/8/2026 10:" + QByteArray::number(10 + file % 50) + ":00 AM");
        }
    }
    line("=============== END OF CATALOGUE =============================");
    line("TOTAL FODERS SCANNED: " + QByteArray::number(folders));
    line("TOTAL FILES SCANNED: " + QByteArray::number(files));
    out.close();
    return facts.finish(written, sum.value()) ? 0 : 1;
}

int open(const QString &path)
{
    bench::DesktopServices desktop;
    Services &services = desktop.services;
    BrowserWindow window(services);
    QElapsedTimer timer;
    timer.start();
    if (!window.openCatalogue(path))
        return 1;
    window.show();
    QApplication::processEvents();
    std::printf("%.3f\n", timer.nsecsElapsed() / 1e9);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 5 && arguments[1] == u"write")
        return write(arguments[2], arguments[3].toLongLong(), arguments[4].toLongLong());
    if (arguments.size() == 3 && arguments[1] == u"open")
        return open(arguments[2]);
    std::fprintf(stderr, "usage: browse_bench write CATALOGUE FILES FOLDERS | open CATALOGUE\n");
    return 2;
}
