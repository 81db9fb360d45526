// The Quick Find window driven from the keyboard: hits as the query is typed, the newest
// keystroke stopping the search in flight, an error under the box that keeps the hits, the
// list entered and left with Down and Escape, and the help table.
#include "windows/quick_find_window.h"

#include "support/files.h"
#include "support/window_services.h"
#include "windows/result_list.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace kestrova;
using testing::WindowServices;

class TestQuickFindWindow : public QObject
{
    Q_OBJECT

private slots:
    void findsAsTheUserTypes();
};

void TestQuickFindWindow::findsAsTheUserTypes()
{
    WindowServices env;
    QTemporaryDir cats;
    QByteArray lines;
    for (int i = 0; i < 3000; ++i)
        lines += "name" + QByteArray::number(i) + (i % 2 ? ".jpg" : ".txt") +
                 ";Text Document;1/1/2020\r\n";
    QVERIFY(testing::writeAll(cats.filePath(QStringLiteral("one.txt")), lines));
    QVERIFY(testing::writeAll(cats.filePath(QStringLiteral("two.txt")),
                              "holiday.jpg;JPEG Image;6/1/2024\r\n"));
    env.paths.DefaultPath = cats.path();

    QuickFindWindow window(env.services);
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(window.txtFolder->text(), cats.path());
    QVERIFY(window.txtQuery->hasFocus());

    // Keys waiting while the first letter's search runs: each stops the search in flight, and
    // only the newest query is searched next.
    for (const char key : QByteArray("ame299"))
        QCoreApplication::postEvent(
            window.txtQuery,
            new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(key))));
    QTest::keyClick(window.txtQuery, 'n');
    QTRY_COMPARE(window.txtQuery->text(), QStringLiteral("name299"));
    QTRY_VERIFY(!window.isSearching());
    QCOMPARE(window.searchesStarted(), 2);
    QCOMPARE(window.results().rowCount(), 11); // name299, name2990 ... name2999
    QCOMPARE(window.lblStatus->text(), QStringLiteral("11 hits from 2 catalogues read"));

    // A query that does not read: its error under the box, the hits of the last good one kept.
    QTest::keyClicks(window.txtQuery, QStringLiteral(" ("));
    QCOMPARE(window.lblError->text(), QStringLiteral("the query has \"(\" at 9 without its \")\""));
    QCOMPARE(window.results().rowCount(), 11);
    QTest::keyClick(window.txtQuery, Qt::Key_Backspace);
    QTest::keyClicks(window.txtQuery, QStringLiteral("ext:jpg | holiday"));
    QTRY_VERIFY(!window.isSearching());
    QCOMPARE(window.lblError->text(), QString());
    QCOMPARE(window.results().rowCount(),
             7); // name299.jpg, name2991.jpg ... name2999.jpg, holiday.jpg
    QCOMPARE(window.results().text(0, 0), QStringLiteral("/holiday.jpg"));
    QCOMPARE(window.results().text(0, 3), QStringLiteral("two.txt"));

    // Down enters the list, Escape returns to the box, and from there closes the window.
    QTest::keyClick(window.txtQuery, Qt::Key_Down);
    QVERIFY(window.LV1->hasFocus());
    QCOMPARE(window.LV1->currentIndex().row(), 0);
    QTest::keyClick(window.LV1, Qt::Key_Escape);
    QVERIFY(window.txtQuery->hasFocus());
    QVERIFY(window.isVisible());

    QTest::keyClick(window.txtQuery, Qt::Key_F1);
    QVERIFY(window.helpWindow() && window.helpWindow()->isVisible());
    QVERIFY(window.helpWindow()->findChild<QTextBrowser *>()->toPlainText().contains(
        QStringLiteral("size:>100M")));
    window.helpWindow()->close();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.txtQuery->setFocus();
    QTest::keyClick(window.txtQuery, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestQuickFindWindow)
#include "test_quick_find_window.moc"
