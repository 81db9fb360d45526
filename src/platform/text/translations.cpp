#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kestrova {
namespace {

constexpr auto kOwnFolder = ":/i18n"; // where the build puts the compiled translations

bool install(QCoreApplication &app, const QString &file, const QString &folder)
{
    auto *translator = new QTranslator(&app);
    if (!translator->load(file, folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace

QStringList desktopLanguages(const QProcessEnvironment &environment)
{
    QString messages;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        messages = environment.value(QString::fromLatin1(name));
        if (!messages.isEmpty())
            break;
    }
    // "C.UTF-8" and "POSIX" are the C locale as well.
    const QString base = messages.section(u'.', 0, 0).section(u'@', 0, 0);
    if (base.isEmpty() || base == u"C" || base == u"POSIX")
        return {QStringLiteral("C")};
    const QStringList listed = environment.value(QStringLiteral("LANGUAGE")).split(u':', Qt::SkipEmptyParts);
    return listed.isEmpty() ? QStringList{base} : listed;
}

QString installTranslations(QCoreApplication &app, const QLocale &locale)
{
    return installTranslations(app, locale.uiLanguages());
}

QString installTranslations(QCoreApplication &app, const QStringList &languages)
{
    const QString own = QString::fromLatin1(kOwnFolder);
    install(app, QStringLiteral("kestrova_en"), own); // the plural forms of the English texts
    // The first of the user's languages that Kestrova speaks; Qt's texts follow the same one.
    const QStringList spoken = translatedLanguages();
    for (const QString &language : languages) {
        const QString code = QLocale(language).name().section(u'_', 0, 0);
        if (code == u"en" || code == u"C")
            return QStringLiteral("en");
        if (!spoken.contains(code))
            continue;
        install(app, QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        install(app, QStringLiteral("kestrova_") + code, own);
        return code;
    }
    return QStringLiteral("en");
}

QStringList translatedLanguages()
{
    QStringList languages;
    for (const QString &file : QDir(QString::fromLatin1(kOwnFolder)).entryList({QStringLiteral("kestrova_*.qm")})) {
        const QString code = file.mid(9).chopped(3);
        if (code != u"en")
            languages << code;
    }
    return languages;
}

} // namespace kestrova
