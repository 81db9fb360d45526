// Times Generate Catalogue through the main window's own code path, offscreen (the Save dialog
// answers with a fixed name), against kestrova-cli generate on the same tree in the same run.
//
//   QT_QPA_PLATFORM=offscreen build/bench/window_generate_bench TREE [CLI]
#include "printed_messages.h"

#include "platform/desktop/desktop_services.h"
#include "platform/desktop/file_manager.h"
#include "platform/desktop/registry.h"
#include "platform/files/parallel_walk.h"
#include "platform/files/posix_file_system.h"
#include "windows/drive_folder_lists.h"
#include "windows/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

#include <sys/resource.h>

using namespace kestrova;

namespace {

class FixedSaveDialog final : public SaveDialog
{
public:
    explicit FixedSaveDialog(QString choice) : m_choice(std::move(choice)) {}
    void showSave() override { fileName = m_choice; }
    QString documentsFolder() const override { return {}; }

private:
    QString m_choice;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_generate_bench TREE [KESTROVA-CLI]\n");
        return 2;
    }
    const QString tree = QString::fromLocal8Bit(argv[1]);
    const QString cli = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("build/src/app/kestrova-cli");
    QTemporaryDir out;
    const QString windowCatalogue = out.filePath(QStringLiteral("window.txt"));
    const QString cliCatalogue = out.filePath(QStringLiteral("cli.txt"));

    bench::PrintedMessages messages;
    FixedSaveDialog saveDialog(windowCatalogue);
    XdgDocumentLauncher launcher;
    ImmediateProgramEnd programEnd;
    DetachedProgramStarter programStarter;
    SystemClipboard clipboard;
    DBusFileManager fileManager;
    DesktopFolderPicker folderPicker;
    DesktopRegistry registry;
    PosixFileSystem fileSystem;
    DefaultPathStore store(fileSystem, out.path(), out.path());
    SharedPaths paths;
    const DateConventions dates;
    Services services{[] { return std::make_unique<ParallelFileSystem>(ParallelFileSystem::defaultWorkers()); },
                      &mountedDrives, messages, saveDialog, saveDialog, launcher, programEnd, programStarter, clipboard,
                      fileManager, folderPicker, registry, store, paths, dates};

    std::vector<double> windowTimes;
    std::vector<double> cliTimes;
    for (int run = 0; run < 5; ++run) {
        MainWindow window(services);
        window.Form_Load();
        window.show();
        window.Dir1->setPath(tree);
        QApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        window.cmdGenerate_Click();
        windowTimes.push_back(clock.elapsed() / 1000.0);
        if (window.lblFile->text() != QStringLiteral("Finished ..."))
            return 1;

        clock.restart();
        QProcess process;
        process.start(cli, {QStringLiteral("generate"), tree, cliCatalogue});
        process.waitForFinished(-1);
        cliTimes.push_back(clock.elapsed() / 1000.0);
        std::printf("run %d: window %.3f s   kestrova-cli %.3f s\n", run + 1, windowTimes.back(), cliTimes.back());
        std::fflush(stdout);
    }
    std::sort(windowTimes.begin(), windowTimes.end());
    std::sort(cliTimes.begin(), cliTimes.end());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("generate: window %.3f s, kestrova-cli %.3f s (medians), ratio %.2f (target <= 1.1); window peak RSS "
                "%.1f MiB\n",
                windowTimes[2], cliTimes[2], windowTimes[2] / cliTimes[2], usage.ru_maxrss / 1024.0);
    return 0;
}
