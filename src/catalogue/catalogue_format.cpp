#include "catalogue_format.h"

#include <cstdio>

namespace kestrova::catalogue {

QByteArray formatTotal(quint64 count)
{
    if (count < 10'000'000)
        return QByteArray::number(count);
    char text[32];
    std::snprintf(text, sizeof text, "%.6E", double(count));
    // "1.234500E+07": drop the mantissa's trailing zeros, and its point when nothing follows.
    QByteArray out(text);
    const qsizetype exponent = out.indexOf('E');
    qsizetype end = exponent;
    while (out.at(end - 1) == '0')
        --end;
    if (out.at(end - 1) == '.')
        --end;
    return out.left(end) + out.mid(exponent);
}

QByteArray lineSafe(QByteArray text)
{
    if (text.contains('\r') || text.contains('\n')) {
        text.replace('\r', '?');
        text.replace('\n', '?');
    }
    return text;
}

QString catalogueFileName(const QString &chosen)
{
    if (chosen.endsWith(QStringLiteral(".txt"), Qt::CaseSensitive))
        return chosen;
    return chosen + QStringLiteral(".txt");
}

} // namespace kestrova::catalogue
