#include "rtf_tokenizer.h"

namespace platform::rtf::detail {

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr int MaxWordLength = 32;
constexpr int MaxDigits = 10;

} // namespace

Token Tokenizer::next() {
    const qsizetype size = m_bytes.size();
    const char *data = m_bytes.constData();
    while (m_pos < size && (data[m_pos] == '\r' || data[m_pos] == '\n'))
        ++m_pos;
    Token t;
    if (m_pos >= size)
        return t;
    const char c = data[m_pos];
    if (c == '{') {
        ++m_pos;
        t.kind = Token::Open;
        return t;
    }
    if (c == '}') {
        ++m_pos;
        t.kind = Token::Close;
        return t;
    }
    if (c != '\\') {
        const qsizetype start = m_pos;
        while (m_pos < size && data[m_pos] != '\\' && data[m_pos] != '{' && data[m_pos] != '}' &&
               data[m_pos] != '\r' && data[m_pos] != '\n')
            ++m_pos;
        t.kind = Token::Text;
        t.name = QByteArrayView(data + start, m_pos - start);
        return t;
    }
    ++m_pos;
    if (m_pos >= size) {
        t.kind = Token::Error;
        return t;
    }
    const char s = data[m_pos];
    if (!isLetter(s)) {
        ++m_pos;
        if (s == '\'') {
            if (m_pos + 2 > size || hexValue(data[m_pos]) < 0 || hexValue(data[m_pos + 1]) < 0) {
                t.kind = Token::Error;
                return t;
            }
            t.kind = Token::Hex;
            t.symbol = char(hexValue(data[m_pos]) * 16 + hexValue(data[m_pos + 1]));
            m_pos += 2;
            return t;
        }
        // A backslash before a line end is a paragraph end.
        t.kind = s == '\r' || s == '\n' ? Token::Word : Token::Symbol;
        if (t.kind == Token::Word)
            t.name = QByteArrayView("par");
        t.symbol = s;
        return t;
    }
    const qsizetype start = m_pos;
    while (m_pos < size && isLetter(data[m_pos]) && m_pos - start < MaxWordLength)
        ++m_pos;
    t.kind = Token::Word;
    t.name = QByteArrayView(data + start, m_pos - start);
    if (m_pos < size && isLetter(data[m_pos])) {
        t.kind = Token::Error;
        return t;
    }
    bool negative = false;
    if (m_pos + 1 < size && data[m_pos] == '-' && isDigit(data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < size && isDigit(data[m_pos])) {
        qint64 value = 0;
        int digits = 0;
        while (m_pos < size && isDigit(data[m_pos])) {
            if (++digits <= MaxDigits)
                value = value * 10 + (data[m_pos] - '0');
            ++m_pos;
        }
        if (digits > MaxDigits || value > qint64(INT_MAX))
            value = INT_MAX;
        t.hasParam = true;
        t.param = int(negative ? -value : value);
    }
    if (m_pos < size && data[m_pos] == ' ')
        ++m_pos;
    return t;
}

bool Tokenizer::takeBinary(qint64 n, QByteArrayView *bytes) {
    if (n < 0 || n > m_bytes.size() - m_pos)
        return false;
    *bytes = QByteArrayView(m_bytes.constData() + m_pos, qsizetype(n));
    m_pos += qsizetype(n);
    return true;
}

} // namespace platform::rtf::detail
