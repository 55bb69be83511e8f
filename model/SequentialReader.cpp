#include "model/SequentialReader.h"

#include "util/Cp1252.h"

namespace zendrik {

SequentialReader::SequentialReader(QByteArray data, Decoder decode)
    : data_(std::move(data)), decode_(decode ? std::move(decode) : Decoder(&Cp1252::decode))
{
}

bool SequentialReader::atEnd() const
{
    return pos_ >= data_.size();
}

void SequentialReader::skipLineEnd()
{
    if (pos_ < data_.size() && data_[pos_] == '\r')
        ++pos_;
    if (pos_ < data_.size() && data_[pos_] == '\n')
        ++pos_;
    atLineStart_ = true;
}

std::optional<long long> SequentialReader::readInteger()
{
    return readNumber(false);
}

std::optional<long long> SequentialReader::readSignedInteger()
{
    return readNumber(true);
}

std::optional<long long> SequentialReader::readNumber(bool allowSign)
{
    // Skip separators: blanks, tabs, commas and line ends.
    while (pos_ < data_.size()) {
        const char c = data_[pos_];
        if (c == ' ' || c == '\t' || c == ',' || isLineEnd(c))
            ++pos_;
        else
            break;
    }
    if (pos_ >= data_.size())
        return std::nullopt;

    const qsizetype start = pos_;
    while (pos_ < data_.size()) {
        const char c = data_[pos_];
        if (c == ' ' || c == '\t' || c == ',' || isLineEnd(c))
            break;
        ++pos_;
    }
    atLineStart_ = false;
    const qsizetype length = pos_ - start;
    // Consume the one separator that ended the number, as sequential input does.
    if (pos_ < data_.size()) {
        const char c = data_[pos_];
        if (isLineEnd(c))
            skipLineEnd();
        else
            ++pos_;
    }
    qsizetype first = start;
    const bool negative = allowSign && length > 1 && data_[start] == '-';
    if (negative)
        ++first;
    const qsizetype digits = start + length - first;
    if (digits == 0 || digits > 18)
        return std::nullopt;
    long long value = 0;
    for (qsizetype i = first; i < start + length; ++i) {
        const char c = data_[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::optional<QString> SequentialReader::readTextItem()
{
    // The rest of a line that held earlier items is not an item of its own.
    if (!atLineStart_) {
        qsizetype p = pos_;
        while (p < data_.size() && (data_[p] == ' ' || data_[p] == '\t'))
            ++p;
        if (p >= data_.size()) {
            pos_ = p;
        } else if (isLineEnd(data_[p])) {
            pos_ = p;
            skipLineEnd();
        }
    }
    if (pos_ >= data_.size())
        return std::nullopt;

    while (pos_ < data_.size() && (data_[pos_] == ' ' || data_[pos_] == '\t'))
        ++pos_;

    QByteArray raw;
    if (pos_ < data_.size() && data_[pos_] == '"') {
        ++pos_;
        const qsizetype start = pos_;
        while (pos_ < data_.size() && data_[pos_] != '"' && !isLineEnd(data_[pos_]))
            ++pos_;
        raw = data_.mid(start, pos_ - start);
        if (pos_ < data_.size() && data_[pos_] == '"')
            ++pos_;
        // Skip up to the item's delimiter.
        while (pos_ < data_.size() && data_[pos_] != ',' && !isLineEnd(data_[pos_]))
            ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < data_.size() && data_[pos_] != ',' && !isLineEnd(data_[pos_]))
            ++pos_;
        raw = data_.mid(start, pos_ - start);
        while (!raw.isEmpty() && (raw.endsWith(' ') || raw.endsWith('\t')))
            raw.chop(1);
    }

    if (pos_ < data_.size() && data_[pos_] == ',') {
        ++pos_;
        atLineStart_ = false;
        // A comma right at the line end closes the line too.
        qsizetype p = pos_;
        while (p < data_.size() && (data_[p] == ' ' || data_[p] == '\t'))
            ++p;
        if (p < data_.size() && isLineEnd(data_[p])) {
            pos_ = p;
            skipLineEnd();
        }
    } else {
        skipLineEnd();
    }
    return decode_(raw);
}

QString SequentialReader::readText()
{
    return readTextItem().value_or(QString());
}

} // namespace zendrik
