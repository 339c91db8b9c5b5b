#pragma once

#include <QByteArray>
#include <QTextFormat>

// Text formats written by earlier versions as Qt's own stream of a QTextFormat (Word packages
// carry them in an attribute of our namespace). Those bytes come from files and are never handed
// to Qt's stream operators: this reader walks the stream layout itself, accepts only the value
// types a stored format holds (numbers, strings, colours, plain brushes, lengths and their lists)
// and then applies the range checks of the format codec. Anything else refuses the whole format.
namespace platform::formatcodec {

bool readLegacyStreamFormat(const QByteArray &bytes, QTextFormat *format);

} // namespace platform::formatcodec
