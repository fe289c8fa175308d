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
    QByteArrayView body(bytes);
    if (body.startsWith("\xEF\xBB\xBF"))
        body = body.sliced(3);
    // Decoded only to check it: valid UTF-8 is kept byte for byte.
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString checked = utf8(body);
    if (!utf8.hasError())
        return {body.toByteArray(), {}};
    QStringDecoder windows("windows-1252");
    const QString text = windows(body);
    return {text.toUtf8(), QStringLiteral("Windows-1252")};
}

} // namespace transfer
