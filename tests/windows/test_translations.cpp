// The translations: each complete, with its placeholders, access keys and plural forms; every
// text of every window translated (nothing English left but names); and the language chosen
// from the desktop's locale, English for C and English locales.
#include "platform/text/translations.h"
#include "support/all_windows.h"
#include "support/language.h"
#include "support/window_services.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

using namespace kestrova;

namespace {

struct TsMessage
{
    QString source;
    QStringList translations; // one, or one a plural form
    bool finished = true;
};

QList<TsMessage> messagesOf(const QString &language)
{
    QFile file(QStringLiteral(KESTROVA_TRANSLATIONS_DIR "/kestrova_%1.ts").arg(language));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<TsMessage> messages;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"message") {
            messages.append(TsMessage{});
        } else if (xml.name() == u"source") {
            messages.last().source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() == u"translation") {
            messages.last().finished = xml.attributes().value(QStringLiteral("type")).isEmpty();
            // Text straight inside: the translation; elements inside: its plural forms.
            if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace())
                messages.last().translations << xml.text().toString();
        } else if (xml.name() == u"numerusform") {
            messages.last().translations << xml.readElementText();
        }
    }
    return messages;
}

QStringList placeholdersOf(const QString &text)
{
    QStringList found;
    for (const QRegularExpressionMatch &match : QRegularExpression(QStringLiteral("%L?\\d")).globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

qsizetype accessKeysOf(const QString &text)
{
    return QString(text).remove(QStringLiteral("&&")).count(u'&');
}

// Every text window shows, in an order that is the same in every language.
QStringList textsOf(QWidget &window)
{
    QStringList texts{window.windowTitle()};
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (auto *label = qobject_cast<QLabel *>(widget))
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            texts << button->text();
        if (auto *frame = qobject_cast<QGroupBox *>(widget))
            texts << frame->title();
        if (auto *box = qobject_cast<QLineEdit *>(widget))
            texts << box->placeholderText();
        if (auto *list = qobject_cast<QAbstractItemView *>(widget); list && list->model())
            for (int column = 0; column < list->model()->columnCount(); ++column)
                texts << list->model()->headerData(column, Qt::Horizontal).toString();
        texts << widget->toolTip() << widget->accessibleName();
    }
    for (QAction *action : window.findChildren<QAction *>())
        texts << action->text();
    return texts;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void languages_data()
    {
        QTest::addColumn<QString>("language");
        // Texts that read the same in the language as in English: names, and words it shares.
        QTest::addColumn<QStringList>("same");
        const QStringList names = {QStringLiteral("Kestrova"), QStringLiteral("The Kestrova developers"),
                                   QStringLiteral("URL"), QStringLiteral("UUID"), QStringLiteral("OK"),
                                   QStringLiteral("...")};
        const QString version = QStringLiteral("Version %1.%2.%3").arg(KESTROVA_VERSION_MAJOR).arg(KESTROVA_VERSION_MINOR).arg(KESTROVA_VERSION_PATCH);
        QTest::newRow("de") << QStringLiteral("de") << names + QStringList{QStringLiteral("&Details..."), QStringLiteral("Name"), version};
        QTest::newRow("fr") << QStringLiteral("fr")
                            << names + QStringList{QStringLiteral("Copies"), QStringLiteral("Copies..."), QStringLiteral("Type"), version};
        QTest::newRow("es") << QStringLiteral("es") << names;
    }

    void languages()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, same);

        // The translation itself: every message done, its placeholders and access key kept,
        // two plural forms (one, and the rest) where the text counts.
        const QList<TsMessage> messages = messagesOf(language);
        QVERIFY(messages.size() > 200);
        for (const TsMessage &message : messages) {
            const QString what = language + QStringLiteral(": ") + message.source;
            QVERIFY2(message.finished && !message.translations.isEmpty(), qPrintable(what));
            const bool counts = message.source.contains(QStringLiteral("(s)")) || message.source.contains(QStringLiteral("(ies)"));
            QCOMPARE(message.translations.size(), counts ? 2 : 1);
            for (const QString &translation : message.translations) {
                QVERIFY2(!translation.trimmed().isEmpty(), qPrintable(what));
                QVERIFY2(placeholdersOf(translation) == placeholdersOf(message.source), qPrintable(what + QStringLiteral(" → ") + translation));
                QVERIFY2(accessKeysOf(translation) == accessKeysOf(message.source), qPrintable(what + QStringLiteral(" → ") + translation));
            }
        }

        // Every window: no text left as the English one, but names.
        testing::WindowServices env;
        testing::AllWindows english(env.services);
        const testing::Language installed(language);
        QVERIFY(installed.installed());
        testing::AllWindows translated(env.services);
        for (qsizetype w = 0; w < english.list().size(); ++w) {
            const QStringList from = textsOf(*english.list()[w]);
            const QStringList to = textsOf(*translated.list()[w]);
            QCOMPARE(to.size(), from.size());
            for (qsizetype i = 0; i < from.size(); ++i) {
                const bool words = from[i].contains(QRegularExpression(QStringLiteral("[A-Za-z]{2}")));
                QVERIFY2(!words || from[i] != to[i] || same.contains(from[i]),
                         qPrintable(QStringLiteral("%1, %2: \"%3\" is not translated").arg(language, to.first(), from[i])));
            }
        }
    }

    void theDesktopsLanguageIsChosen()
    {
        QCOMPARE(installTranslations(*QCoreApplication::instance(), QLocale(QStringLiteral("de_AT"))), QStringLiteral("de"));
        QCOMPARE(QCoreApplication::translate("Counts", "%1 file(s)", nullptr, 2), QStringLiteral("%1 Dateien"));
        QCOMPARE(installTranslations(*QCoreApplication::instance(), QLocale(QStringLiteral("pt_BR"))), QStringLiteral("en"));
        QCOMPARE(installTranslations(*QCoreApplication::instance(), QLocale::c()), QStringLiteral("en"));
        QCOMPARE(translatedLanguages().size(), 3);
    }

    // LANGUAGE lists the languages wanted, but only outside the C locale, as gettext has it.
    void languageCountsOnlyOutsideTheCLocale()
    {
        const auto chosen = [](const char *variables) {
            QProcessEnvironment environment;
            for (const QString &variable : QString::fromLatin1(variables).split(u' '))
                environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
            return installTranslations(*QCoreApplication::instance(), desktopLanguages(environment));
        };
        QCOMPARE(chosen("LANGUAGE=de LC_ALL=C LANG=de_DE.UTF-8"), QStringLiteral("en"));
        QCOMPARE(chosen("LANGUAGE=de LC_MESSAGES=C.UTF-8 LANG=de_DE.UTF-8"), QStringLiteral("en"));
        QCOMPARE(chosen("LANGUAGE=de"), QStringLiteral("en"));
        QCOMPARE(chosen("LANGUAGE=pt:fr:de LANG=en_US.UTF-8"), QStringLiteral("fr"));
        QCOMPARE(chosen("LC_MESSAGES=es_ES.UTF-8 LANG=de_DE.UTF-8"), QStringLiteral("es"));
    }
};

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
