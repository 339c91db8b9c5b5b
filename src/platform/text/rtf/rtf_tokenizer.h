#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Splits RTF bytes into tokens, one at a time, in linear time.
namespace platform::rtf::detail {

struct Token {
    enum Kind { End, Open, Close, Word, Symbol, Hex, Text, Error };
    Kind kind = End;
    QByteArrayView name; // Word: the control word; Text: the bytes
    bool hasParam = false;
    int param = 0;
    char symbol = 0; // Symbol: the character after the backslash; Hex: the byte
};

class Tokenizer {
public:
    explicit Tokenizer(const QByteArray &bytes) : m_bytes(bytes) {}

    Token next();
    // The n bytes after \binN; false when fewer are left.
    bool takeBinary(qint64 n, QByteArrayView *bytes);
    qsizetype position() const { return m_pos; }

private:
    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
};

} // namespace platform::rtf::detail
