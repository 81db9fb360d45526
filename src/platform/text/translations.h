// The program's texts in the user's language: Kestrova's own translations (built into the
// program) and Qt's, for the standard dialogs and buttons, picked from the desktop's locale.
// English texts are the source texts; only their plural forms come from a translation of
// their own, which is always loaded beneath the user's language.
#pragma once

#include <QLocale>

class QCoreApplication;

namespace kestrova {

// Installs the translations for locale's languages (by default the desktop's: LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG) into app; the translators live as long as app. Gives the language
// chosen, "en" when none of the user's languages has a translation.
QString installTranslations(QCoreApplication &app, const QLocale &locale = QLocale::system());

// The languages Kestrova is translated into, besides English.
QStringList translatedLanguages();

} // namespace kestrova
