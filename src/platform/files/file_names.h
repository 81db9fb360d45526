// File names as text without losing a byte. A Linux name is any byte string; where a name has
// to travel as a QString (a command-line argument, a path typed into a window), the bytes that
// are not valid UTF-8 are carried as the lone surrogates U+DC80..U+DCFF, one per byte, and
// turned back into the very same bytes on the way to the file system.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace kestrova {

// Decodes UTF-8; each byte of an invalid sequence (always 0x80..0xFF) becomes U+DC00 plus
// the byte.
QString decodeFileName(QByteArrayView bytes);
// Encodes as UTF-8, giving back the byte each escape of decodeFileName stands for.
QByteArray encodeFileName(QStringView name);

// The name as it is shown: bytes that are not UTF-8 become U+FFFD.
QString displayFileName(QStringView name);
// A file URL for an absolute path, every byte that is not a plain URL character
// percent-encoded, so that a name that is not UTF-8 survives.
QByteArray fileUrl(QStringView absolutePath);

} // namespace kestrova
