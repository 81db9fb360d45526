#include "file_names.h"

namespace kestrova {
namespace {

constexpr char16_t kEscapeBase = 0xDC00; // U+DC80..U+DCFF carry the bytes 0x80..0xFF

// The length of the valid UTF-8 sequence at p (1 to 4), or 0 when it is not one: overlong
// forms, surrogates and values past U+10FFFF are invalid, as the standard says.
int validSequence(const unsigned char *p, const unsigned char *end, char32_t &value)
{
    const unsigned char lead = p[0];
    if (lead < 0x80) {
        value = lead;
        return 1;
    }
    int length = 0;
    char32_t min = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (end - p < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (p[i] & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

QString decodeFileName(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        char32_t value = 0;
        const int length = validSequence(p, end, value);
        if (length == 0) {
            out.append(QChar(char16_t(kEscapeBase + *p)));
            ++p;
            continue;
        }
        if (value >= 0x10000) {
            out.append(QChar(QChar::highSurrogate(value)));
            out.append(QChar(QChar::lowSurrogate(value)));
        } else {
            out.append(QChar(char16_t(value)));
        }
        p += length;
    }
    return out;
}

QByteArray encodeFileName(QStringView name)
{
    QByteArray out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        char32_t value = unit;
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size() && QChar::isLowSurrogate(name[i + 1].unicode())) {
            value = QChar::surrogateToUcs4(unit, name[i + 1].unicode());
            ++i;
        } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            out.append(char(unit - kEscapeBase));
            continue;
        } else if (QChar::isSurrogate(unit)) {
            value = QChar::ReplacementCharacter;
        }
        if (value < 0x80) {
            out.append(char(value));
        } else if (value < 0x800) {
            out.append(char(0xC0 | (value >> 6)));
            out.append(char(0x80 | (value & 0x3F)));
        } else if (value < 0x10000) {
            out.append(char(0xE0 | (value >> 12)));
            out.append(char(0x80 | ((value >> 6) & 0x3F)));
            out.append(char(0x80 | (value & 0x3F)));
        } else {
            out.append(char(0xF0 | (value >> 18)));
            out.append(char(0x80 | ((value >> 12) & 0x3F)));
            out.append(char(0x80 | ((value >> 6) & 0x3F)));
            out.append(char(0x80 | (value & 0x3F)));
        }
    }
    return out;
}

QString displayFileName(QStringView name)
{
    QString shown = name.toString();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const char16_t unit = shown[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < shown.size() && shown[i + 1].isLowSurrogate())
            ++i; // a character past U+FFFF, not an escape
        else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF)
            shown[i] = QChar::ReplacementCharacter;
    }
    return shown;
}

QByteArray fileUrl(QStringView absolutePath)
{
    return "file://" + encodeFileName(absolutePath).toPercentEncoding("/");
}

} // namespace kestrova
