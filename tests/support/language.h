// The windows in one language for a test: Kestrova's translation and Qt's own, installed for
// as long as the object lives. "en" installs nothing: the source texts are English.
#pragma once

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kestrova::testing {

class Language
{
public:
    explicit Language(const QString &code)
    {
        if (code == u"en")
            return;
        m_installed = m_own.load(QStringLiteral("kestrova_") + code, QStringLiteral(":/i18n"))
                      && QCoreApplication::installTranslator(&m_own);
        if (m_qt.load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&m_qt);
    }
    ~Language()
    {
        QCoreApplication::removeTranslator(&m_qt);
        QCoreApplication::removeTranslator(&m_own);
    }
    Language(const Language &) = delete;
    Language &operator=(const Language &) = delete;

    // Whether Kestrova's translation was there to install (always for "en").
    bool installed() const { return m_installed; }

private:
    QTranslator m_own;
    QTranslator m_qt;
    bool m_installed = true;
};

} // namespace kestrova::testing
