#include "transfer/decoding.h"

#include <QStringDecoder>

namespace transfer {

DecodedText decodeText(const QByteArray& bytes) {
    const auto byMark = QStringConverter::encodingForData(bytes);
    if (byMark && *byMark != QStringConverter::Utf8) {
        QStringDecoder decoder(*byMark);
        const QString text = decoder(bytes);
        const bool sixteen =
            *byMark == QStringConverter::Utf16LE || *byMark == QStringConverter::Utf16BE;
        return {text.toUtf8(), sixteen ? QStringLiteral("UTF-16") : QStringLiteral("UTF-32")};
    }
    const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
    if (body.isValidUtf8())
        return {body, {}};
    QStringDecoder windows("windows-1252");
    const QString text = windows(body);
    return {text.toUtf8(), QStringLiteral("Windows-1252")};
}

} // namespace transfer
