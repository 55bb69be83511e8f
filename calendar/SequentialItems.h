#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zendrik {

class SequentialReader;

// Names in the holiday and place files are written as quoted strings of
// Windows-1252 text, one record per line.
enum class NameCheck {
    Ok,
    Empty,
    Quote,        // a double quote would end the quoted string early
    LineBreak,    // a line end would split the record
    NotEncodable, // no Windows-1252 character for it
};

// Whether a name can be stored in a quoted item; blanks alone count as empty.
NameCheck CheckQuotedName(const QString& name);

// The name as a quoted item of a sequential text file.
QByteArray QuotedItem(const QString& name);

// The next number when it lies within low..high; empty otherwise or at the
// end of the input.
std::optional<int> ReadNumberIn(SequentialReader& reader, int low, int high);

// Reading a whole small text file. Holiday and place files are a few
// kilobytes; anything beyond this, or anything but a regular file, is
// refused as unreadable.
inline constexpr qint64 kMaxSmallFileBytes = 1024 * 1024;
enum class WholeFileRead { Ok,
                           Missing,
                           Unreadable };
WholeFileRead ReadWholeFile(const QString& path, QByteArray& data);

// Reads a whole file and hands it to a parser; Result is a result code with
// the values Missing and Unreadable.
template <typename Result, typename Parse>
Result ReadAndParse(const QString& path, Parse parse)
{
    QByteArray data;
    switch (ReadWholeFile(path, data)) {
    case WholeFileRead::Missing:
        return Result::Missing;
    case WholeFileRead::Unreadable:
        return Result::Unreadable;
    case WholeFileRead::Ok:
        break;
    }
    return parse(data);
}

// Whether nothing but blank lines follows: a file with more records than its
// counts announce was not written by us and is not taken.
bool OnlyBlankItemsLeft(SequentialReader& reader);

} // namespace zendrik
