#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace zendrik {

// Reads the items of a sequential text file the way the files of this system
// were always written: numbers separated by blanks, commas or line ends, and
// text items that end at a comma or the line end ("quoted strings" keep their
// commas). Leading and trailing blanks of an unquoted text item are dropped.
class SequentialReader {
public:
    using Decoder = std::function<QString(const QByteArray&)>;

    explicit SequentialReader(QByteArray data, Decoder decode = {});

    // The next number. Empty when the input ends or the item is no whole
    // number (a sign, a decimal point or letters make it invalid).
    std::optional<long long> readInteger();

    // The next number that may carry a leading minus sign (holiday offsets,
    // weekdays before a date). Empty when the input ends or the item is no
    // whole number.
    std::optional<long long> readSignedInteger();

    // The next text item; at the end of the input an empty text, and
    // atEnd() reports it.
    QString readText();

    // The next text item, or nothing when the input has ended.
    std::optional<QString> readTextItem();

    bool atEnd() const;

private:
    bool isLineEnd(char c) const { return c == '\n' || c == '\r'; }
    void skipLineEnd();
    std::optional<long long> readNumber(bool allowSign);

    QByteArray data_;
    Decoder decode_;
    qsizetype pos_ = 0;
    bool atLineStart_ = true;
};

} // namespace zendrik
