// The program's texts in the user's language: Kestrova's own translations (built into the
// program) and Qt's, for the standard dialogs and buttons, picked from the desktop's locale.
// English texts are the source texts; only their plural forms come from a translation of
// their own, which is always loaded beneath the user's language.
#pragma once

#include <QLocale>
#include <QProcessEnvironment>
#include <QStringList>

class QCoreApplication;

namespace kestrova {

// The languages the desktop asks for, first choice first. The messages locale is the first of
// LC_ALL, LC_MESSAGES and LANG that is set; LANGUAGE's list counts only when that locale is not
// C or POSIX (nor unset, which is C), as gettext has it: the C locale means the source texts.
QStringList desktopLanguages(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// Installs the translations for the first of languages that Kestrova speaks (by default the
// desktop's) into app; the translators live as long as app. Gives the language chosen, "en"
// when none of them has a translation or English or C comes first.
QString installTranslations(QCoreApplication &app, const QStringList &languages = desktopLanguages());
// The same for locale's languages.
QString installTranslations(QCoreApplication &app, const QLocale &locale);

// The languages Kestrova is translated into, besides English.
QStringList translatedLanguages();

} // namespace kestrova
