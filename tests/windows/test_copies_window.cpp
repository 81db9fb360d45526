// The copies window: its two modes over a folder of catalogues, the hits' actions on its rows,
// and a report that is stopped.
#include "windows/copies_window.h"

#include "catalogue/catalogue_generator.h"
#include "support/files.h"
#include "support/window_services.h"
#include "windows/hit_actions.h"
#include "windows/result_list.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrova;
using testing::WindowServices;

class TestCopiesWindow : public QObject
{
    Q_OBJECT

private slots:
    void bothModesAndTheActions()
    {
        WindowServices env;
        QTemporaryDir trees;
        QTemporaryDir cats;
        for (const QString &drive : {QStringLiteral("one"), QStringLiteral("two")}) {
            QVERIFY(QDir().mkpath(trees.filePath(drive)));
            QVERIFY(testing::writeAll(trees.filePath(drive + QStringLiteral("/both.jpg")), "12345"));
            QVERIFY(testing::writeAll(trees.filePath(drive + QStringLiteral("/only-") + drive), "1"));
            const QString catalogue = cats.filePath(drive + QStringLiteral(".txt"));
            FactsWriter facts(catalogue, startingRun(trees.filePath(drive), Volume{}));
            GenerationSink sink;
            CatalogueGenerator(env.fileSystem, env.dates)
                .WriteCatalogue(QFile::encodeName(trees.filePath(drive)), catalogue, sink, QDate(2026, 12, 7), &facts);
        }
        env.paths.CurrentPath = cats.path();

        CopiesWindow window(env.services);
        window.Form_Load();
        QCOMPARE(window.txtFolder->text(), cats.path());
        window.cmdFind_Click();
        QCOMPARE(window.results().rowCount(), 2);
        QCOMPARE(window.results().text(0, 0), trees.filePath(QStringLiteral("one/only-one")));
        QCOMPARE(window.results().text(1, 3), QStringLiteral("two.txt"));
        QVERIFY(window.lblProgress->text().startsWith(QStringLiteral("2 files on one drive only")));
        QVERIFY(window.cmdExport->isEnabled() && !window.cmdStop->isEnabled());

        window.optDuplicates->setChecked(true);
        QVERIFY(!window.txtUnder->isEnabled());
        window.cmdFind_Click();
        QCOMPARE(window.results().rowCount(), 2);
        QCOMPARE(window.results().text(0, 2), QStringLiteral("2")); // copies
        QVERIFY2(window.lblProgress->text().startsWith(QStringLiteral("2 copies of 1 file; 5 bytes in copies beyond the first")),
                 qPrintable(window.lblProgress->text()));
        // The hits' actions work on its rows.
        window.LV1->selectRow(1);
        window.hitActions().copyPaths();
        QCOMPARE(env.clipboard.text, trees.filePath(QStringLiteral("two/both.jpg")));
        window.hitActions().showInFolder();
        QCOMPARE(env.fileManager.shown, QStringList({trees.filePath(QStringLiteral("two/both.jpg"))}));
        // Show in Catalogue offers every catalogue holding a copy, the row's own first, and opens
        // the one picked at the copy it holds.
        QStringList browsed;
        env.services.browseCatalogue = [&](const QString &catalogue, const QByteArray &filePath) {
            browsed << catalogue << QFile::decodeName(filePath);
        };
        window.hitActions().showInCatalogue();
        const QList<QAction *> offered = window.hitActions().cataloguesMenu()->actions();
        QCOMPARE(offered.size(), 2);
        QVERIFY2(offered[0]->text().startsWith(QStringLiteral("two.txt: ")), qPrintable(offered[0]->text()));
        QVERIFY(!window.hitActions().cataloguesMenu()->accessibleName().isEmpty());
        offered[1]->trigger();
        QCOMPARE(browsed, QStringList({cats.filePath(QStringLiteral("one.txt")), trees.filePath(QStringLiteral("one/both.jpg"))}));
        window.hitActions().cataloguesMenu()->close();

        // A folder that cannot be read is named; nothing is listed.
        window.txtFolder->setText(cats.filePath(QStringLiteral("gone")));
        window.cmdFind_Click();
        QCOMPARE(window.results().rowCount(), 0);
        QVERIFY(env.messages.texts().last().contains(QStringLiteral("gone")));
    }
};

QTEST_MAIN(TestCopiesWindow)
#include "test_copies_window.moc"
