#include "windows/result_list.h"

#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

using namespace kestrova;

class TestResultList : public QObject
{
    Q_OBJECT

private slots:
    // A list with rows is left with Tab and Shift+Tab, as every other control is; the arrows
    // move within it.
    void tabLeavesAListWithRows()
    {
        QWidget window;
        auto *before = new QPushButton(QStringLiteral("before"), &window);
        ResultModel model;
        model.setHeaders({QStringLiteral("File Path"), QStringLiteral("File Type")});
        for (const char *name : {"/a.txt", "/b.txt", "/c.txt"})
            model.append(RowTexts{name, "Text Document", "", ""});
        model.publish();
        QTableView *list = newResultView(model, &window);
        auto *after = new QPushButton(QStringLiteral("after"), &window);
        auto *layout = new QVBoxLayout(&window);
        for (QWidget *widget : {static_cast<QWidget *>(before), static_cast<QWidget *>(list),
                                static_cast<QWidget *>(after)})
            layout->addWidget(widget);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        list->setFocus();
        list->setCurrentIndex(model.index(0, 0));
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex().row(), 1);
        QTest::keyClick(list, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), after);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), before);
    }
};

QTEST_MAIN(TestResultList)
#include "test_result_list.moc"
