#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

namespace zendrik {

inline const QString kIrJobFileName = QStringLiteral("2irprot.msg");
inline const QString kIrExchangeFileName = QStringLiteral("exchg.dat");
inline const QString kIrResultFileName = QStringLiteral("irtrans.msg");

// What the infrared window asks the infrared tool to do (`IrModus`).
enum class IrModus {
    Read = 0,    // "l": the device's program into exchg.dat
    Program = 1, // "s": exchg.dat into the device
    SetTime = 2, // "u": the device's clock from lines 8 and 9
};

// Where the time of a set-time job comes from (`IrUhrCode`): UZ0 for the
// jobs that set no time, UZ1 the computer's clock untouched, UZ2 a time or
// date the user typed.
enum class IrClockSource {
    None = 0,
    Computer = 1,
    Typed = 2,
};

// One job of the infrared tool, as 2irprot.msg carries it. `port` is 1 for
// COM1 and 2 for COM2; the file numbers them as the memory-chip transfer
// does (4 and 5). Time and date are used by the set-time job only; the other
// jobs carry the fixed 00:00:00 on 01.01.2001.
struct IrJob {
    IrModus mode = IrModus::Read;
    int port = 1;
    IrClockSource source = IrClockSource::None;
    QTime time;
    QDate date;

    bool operator==(const IrJob&) const = default;
};

// "UZ0", "UZ1", "UZ2".
QByteArray IrClockCode(IrClockSource source);

// The ten CR LF lines of 2irprot.msg: the mode letter, the port (" 4" or
// " 5"), the tool's fixed parameters " 20", " 400" and " 1", the exchange
// file, the time-source code, the time "hh mm ss", the date "dd mm yyyy"
// and the weekday of that date (1 Monday .. 7 Sunday; the fixed date
// 01.01.2001 was a Monday, hence the 1 of the other jobs).
QByteArray IrJobFileText(const IrJob& job);

// The job back from the file (for the infrared tool); empty when the text
// is not such a job.
std::optional<IrJob> ParseIrJobFile(const QByteArray& text);

// irtrans.msg: one whole number, the tool's result; 0 is success.
std::optional<int> ParseIrResultFile(const QByteArray& text);
QByteArray IrResultFileText(int code);

// The time and date fields of the set-time job. A time is typed as
// hh:mm:ss, the date as tt.mm.jj; leaving a field completes missing leading
// zeros and missing trailing parts ("9:5" is 09:05:00). A two-digit year is
// 2000 + jj (four digits 2000..2099 are taken as they are). Empty for
// anything that is no time or no day of the calendar.
std::optional<QTime> ParseIrTime(const QString& text);
std::optional<QDate> ParseIrDate(const QString& text);
QString FormatIrTime(const QTime& time);
QString FormatIrDate(const QDate& date);
// The characters the fields take: digits and their separator.
bool IrTimeKey(QChar c);
bool IrDateKey(QChar c);

} // namespace zendrik
