// Counts in the user's language: "1 file", "2,345 files", with the plural form the language
// asks for. The texts are marked with QT_TRANSLATE_N_NOOP("Counts", "%1 file(s)"), so that they
// are translated with their plural forms; English has its own forms too.
#pragma once

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <climits>

namespace kestrova {

// context: where the count stands, for languages whose nouns change with it (German "in 6
// Katalogen"); marked with QT_TRANSLATE_N_NOOP3("Counts", "%1 catalogue(s)", "after in").
inline QString countOf(quint64 count, const char *noun, const char *context = nullptr)
{
    // The count picks the plural form (a number past INT_MAX takes the form of INT_MAX); the
    // text shows it whole, grouped as the locale groups digits.
    const int form = int(std::min<quint64>(count, INT_MAX));
    return QCoreApplication::translate("Counts", noun, context, form).arg(QLocale().toString(count));
}

} // namespace kestrova
