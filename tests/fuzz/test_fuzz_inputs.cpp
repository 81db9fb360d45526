// Replays the fuzz targets' sample inputs through the same entry points with the normal
// compiler, so that a regression the fuzzers once found is caught without clang.
#include "fuzz_targets.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestFuzzInputs : public QObject
{
    Q_OBJECT

private slots:
    void replaysEverySampleInput_data()
    {
        QTest::addColumn<QString>("target");
        for (const char *target : {"catalogue_search", "search_index", "facts", "needle", "date_text", "setup_file", "totals", "query"})
            QTest::newRow(target) << QString::fromLatin1(target);
    }

    void replaysEverySampleInput()
    {
        QFETCH(QString, target);
        using Entry = int (*)(const std::uint8_t *, std::size_t);
        const QHash<QString, Entry> entries = {
            {QStringLiteral("catalogue_search"), kestrova::fuzz::catalogueSearch},
            {QStringLiteral("search_index"), kestrova::fuzz::searchIndex},
            {QStringLiteral("facts"), kestrova::fuzz::facts},
            {QStringLiteral("needle"), kestrova::fuzz::needle},
            {QStringLiteral("date_text"), kestrova::fuzz::dateText},
            {QStringLiteral("setup_file"), kestrova::fuzz::setupFile},
            {QStringLiteral("totals"), kestrova::fuzz::totals},
            {QStringLiteral("query"), kestrova::fuzz::query},
        };
        const QDir folder(QStringLiteral(KESTROVA_FUZZ_INPUTS) + u'/' + target);
        const QStringList inputs = folder.entryList(QDir::Files);
        QVERIFY2(!inputs.isEmpty(), qPrintable(folder.path()));
        for (const QString &input : inputs) {
            QFile file(folder.filePath(input));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            entries[target](reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
        }
    }
};

QTEST_GUILESS_MAIN(TestFuzzInputs)
#include "test_fuzz_inputs.moc"
