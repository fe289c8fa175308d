#pragma once

#include <QByteArray>
#include <QString>

// How the bytes of an imported text file become text.
namespace transfer {

struct DecodedText {
    QByteArray utf8; // the text as UTF-8, without a byte-order mark
    // Empty for UTF-8 (with or without a byte-order mark); otherwise the encoding the file was
    // read in ("Windows-1252" for a file that is not valid UTF-8, "UTF-16"/"UTF-32" by their
    // byte-order marks).
    QString otherEncoding;
};

// UTF-8 with or without a byte-order mark; UTF-16 and UTF-32 by their byte-order marks; any
// other file that is not valid UTF-8 is read as Windows-1252 (what older Windows programs
// write).
DecodedText decodeText(const QByteArray& bytes);

} // namespace transfer
