// What a screen reader finds in every window: each control that takes the focus has a name of
// its own (no "&" in it, no two alike in a window), the lists name their columns, every action
// is in the tab chain, and F10 reaches the menus.
#include "support/all_windows.h"
#include "support/language.h"
#include "support/window_services.h"
#include "windows/drive_folder_lists.h"

#include <QAccessible>
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessibleInterface>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QMenuBar>
#include <QTest>

using namespace kestrova;

namespace {

QString nameOf(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// The controls of window a user can tab to, in the tab order.
QList<QWidget *> tabChain(QWidget &window)
{
    QList<QWidget *> chain;
    for (QWidget *w = window.nextInFocusChain(); w && w != &window; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&window) && !chain.contains(w)
            && !qobject_cast<QAbstractSpinBox *>(w->parentWidget())) // a date box's own text box is the date box
            chain << w;
    return chain;
}

template <typename... Widgets>
QList<QWidget *> widgets(Widgets *...each)
{
    return {static_cast<QWidget *>(each)...};
}

// The access key of an "&" caption, lower case; none for a caption without one.
QChar accessKeyOf(const QString &caption)
{
    const qsizetype at = QString(caption).replace(QStringLiteral("&&"), QStringLiteral("__")).indexOf(u'&');
    return at >= 0 && at + 1 < caption.size() ? caption[at + 1].toLower() : QChar();
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void everyControlHasANameOfItsOwn()
    {
        testing::WindowServices env;
        testing::AllWindows windows(env.services);
        QStringList faults;
        for (QWidget *window : windows.list()) {
            window->show();
            QStringList names;
            for (QWidget *control : tabChain(*window)) {
                const QString name = nameOf(control);
                const QString what = window->windowTitle() + QStringLiteral(": ") + QString::fromLatin1(control->metaObject()->className())
                                     + u' ' + control->objectName();
                if (name.trimmed().isEmpty())
                    faults << what + QStringLiteral(" has no name");
                else if (name.contains(u'&'))
                    faults << what + QStringLiteral(" is named \"%1\"").arg(name);
                else if (names.contains(name))
                    faults << what + QStringLiteral(" has the name of another control: \"%1\"").arg(name);
                names << name;
            }
            window->hide();
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // What a reader hears has no blanks around it, and a picture that only decorates is not
    // heard at all.
    void namesAreTrimmedAndPicturesSilent()
    {
        testing::WindowServices env;
        testing::AllWindows windows(env.services);
        windows.main.Form_Load();
        QStringList faults;
        for (QWidget *window : windows.list()) {
            window->show();
            for (QWidget *control : window->findChildren<QWidget *>()) {
                const QString name = nameOf(control);
                if (name != name.trimmed() || (qobject_cast<QLabel *>(control) && name.isEmpty()))
                    faults << window->windowTitle() + QStringLiteral(": \"%1\"").arg(name);
                if (auto *label = qobject_cast<QLabel *>(control); label && !label->pixmap().isNull())
                    faults << window->windowTitle() + QStringLiteral(": a picture label");
            }
            window->hide();
        }
        QAccessibleInterface *folders = QAccessible::queryAccessibleInterface(windows.main.Dir1);
        for (int i = 0; i < folders->childCount(); ++i)
            if (const QString name = folders->child(i)->text(QAccessible::Name); name != name.trimmed())
                faults << QStringLiteral("folder \"%1\"").arg(name);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    void accessKeysDoNotClash_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *language : {"en", "de", "fr", "es"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }

    void accessKeysDoNotClash()
    {
        QFETCH(QString, language);
        testing::WindowServices env;
        const testing::Language installed(language);
        testing::AllWindows windows(env.services);
        QStringList clashes;
        for (QWidget *window : windows.list()) {
            QMap<QChar, QString> taken;
            QStringList captions;
            for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
                captions << button->text();
            for (QLabel *label : window->findChildren<QLabel *>())
                if (label->buddy())
                    captions << label->text();
            for (const QString &caption : captions) {
                const QChar key = accessKeyOf(caption);
                if (key.isNull())
                    continue;
                if (taken.contains(key))
                    clashes << QStringLiteral("%1: \"%2\" and \"%3\"").arg(window->windowTitle(), taken[key], caption);
                taken.insert(key, caption);
            }
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(u'\n')));
    }

    void tabOrderFollowsTheDesign()
    {
        testing::WindowServices env;
        testing::AllWindows windows(env.services);
        const auto order = [](QWidget &window) {
            window.show();
            QList<QWidget *> chain = tabChain(window);
            window.hide();
            return chain;
        };
        SearchWindow &search = windows.search;
        QCOMPARE(order(search), widgets(search.txtCriteria, search.cmdSearch, search.Drive1, search.Dir1, search.LV1,
                                                  search.optNoCase, search.optCase, search.cmdExit, search.chkDate,
                                                  search.dp1, search.cmdStop));
        RunCopyWindow &show = windows.show;
        QCOMPARE(order(show), widgets(show.txtpath, show.cmdRun, show.cmdCopy, show.cmdClose));
        DefaultPathDialog &path = windows.path;
        QCOMPARE(order(path), widgets(path.txtpath, path.cmdbrowse, path.cmdSet, path.cmdClear, path.cmdClose));
        // The windows of their own follow reading order: left to right, then down.
        for (QWidget *window : widgets(&windows.main, &windows.compare, &windows.drives, &windows.copies)) {
            const QList<QWidget *> chain = order(*window);
            window->show();
            for (qsizetype i = 1; i < chain.size(); ++i) {
                const QPoint a = chain[i - 1]->mapTo(window, QPoint(0, 0));
                const QPoint b = chain[i]->mapTo(window, QPoint(0, 0));
                const bool sameRow = std::abs(a.y() - b.y()) < chain[i - 1]->height() / 2 + 1;
                QVERIFY2(sameRow ? a.x() < b.x() : a.y() < b.y() || b.x() > a.x() + chain[i - 1]->width(),
                         qPrintable(window->windowTitle() + QStringLiteral(": ") + nameOf(chain[i - 1])
                                    + QStringLiteral(" before ") + nameOf(chain[i])));
            }
            window->hide();
        }
    }

    void f10ReachesTheMenus()
    {
        testing::WindowServices env;
        MainWindow window(env.services);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F10);
        QVERIFY(window.menuBar()->activeAction() != nullptr);
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
