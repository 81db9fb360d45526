// Every caption of every window is whole, in English and in every translation: no label,
// button, option or frame title is cut, at the desktop's usual font sizes. ctest runs this at
// 96 and at 144 dots per inch.
#include "support/all_windows.h"
#include "support/language.h"
#include "support/window_services.h"
#include "windows/application_identity.h"
#include "windows/document_launch.h"
#include "windows/picture_button.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextLayout>

using namespace kestrova;
using testing::WindowServices;

namespace {

QString withoutMnemonic(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// Whether text, wrapped at word boundaries within width, fits into height without breaking a
// word.
bool fitsWrapped(const QString &text, const QFont &font, int width, int height)
{
    const QFontMetrics metrics(font);
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts))
        if (metrics.horizontalAdvance(word) > width)
            return false;
    const QRect needed = metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text);
    return needed.height() <= height;
}

// What is cut in window, one line each.
QStringList clippedCaptions(QWidget &window)
{
    window.show();
    QApplication::processEvents();
    QStringList clipped;
    for (QLabel *label : window.findChildren<QLabel *>()) {
        // A label that names a control shows its access key underlined, not as "&".
        const QString text = label->buddy() ? withoutMnemonic(label->text()) : label->text();
        if (text.isEmpty() || !label->isVisibleTo(&window) || label->textFormat() == Qt::RichText)
            continue;
        const QRect area = label->contentsRect();
        const bool fits = label->wordWrap() ? fitsWrapped(text, label->font(), area.width(), area.height())
                                            : label->fontMetrics().horizontalAdvance(text) <= area.width();
        if (!fits)
            clipped << QStringLiteral("label \"%1\" (%2x%3)").arg(text).arg(area.width()).arg(area.height());
    }
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        const QString text = withoutMnemonic(button->text());
        if (text.isEmpty() || !button->isVisibleTo(&window))
            continue;
        bool fits = true;
        if (auto *picture = qobject_cast<PictureButton *>(button)) {
            // The caption wraps below the picture, in the area the button paints it in.
            const QRect area = picture->captionRect();
            fits = fitsWrapped(text, button->font(), area.width(), area.height());
        } else {
            fits = button->sizeHint().width() <= button->width();
        }
        if (!fits)
            clipped << QStringLiteral("button \"%1\" (%2x%3, text %4)")
                           .arg(text)
                           .arg(button->width())
                           .arg(button->height())
                           .arg(button->fontMetrics().horizontalAdvance(text));
    }
    for (QGroupBox *frame : window.findChildren<QGroupBox *>()) {
        if (frame->fontMetrics().horizontalAdvance(frame->title()) + 16 > frame->width())
            clipped << QStringLiteral("frame \"%1\"").arg(frame->title());
    }
    window.hide();
    return clipped;
}

} // namespace

class TestCaptions : public QObject
{
    Q_OBJECT

private slots:
    void everyCaptionIsWhole_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *language : {"en", "de", "fr", "es"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }

    void everyCaptionIsWhole()
    {
        QFETCH(QString, language);
        WindowServices env;
        const testing::Language installed(language);
        QVERIFY(installed.installed());
        testing::AllWindows windows(env.services);
        windows.main.Form_Load();
        windows.search.Form_Load();
        QStringList clipped;
        for (QWidget *window : windows.list())
            for (const QString &what : clippedCaptions(*window))
                clipped << window->windowTitle() + QStringLiteral(": ") + what;
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u"\n")));
    }

    void everyWindowCarriesTheIcon()
    {
        setApplicationIdentity();
        WindowServices env;
        testing::AllWindows windows(env.services);
        for (QWidget *window : windows.list()) {
            const QList<QSize> sizes = window->windowIcon().availableSizes();
            QVERIFY2(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)), qPrintable(window->windowTitle()));
        }
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("io.github.kestrova.Kestrova"));
    }
};

QTEST_MAIN(TestCaptions)
#include "test_captions.moc"
