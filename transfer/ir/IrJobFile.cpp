#include "transfer/ir/IrJobFile.h"

#include "util/FileCheck.h"

#include <QList>
#include <QStringList>

namespace zendrik {

namespace {

constexpr int kFirstComPortSetting = 4; // COM1 as the chip transfer numbers it
const QDate kDummyDate(2001, 1, 1);

QByteArray twoDigits(int v)
{
    return QByteArray::number(v).rightJustified(2, '0');
}

const char* modeLetter(IrModus mode)
{
    switch (mode) {
    case IrModus::Program:
        return "s";
    case IrModus::SetTime:
        return "u";
    case IrModus::Read:
        break;
    }
    return "l";
}

// Whole numbers separated by `separator`, each of 1..maxDigits digits; at
// most `parts` of them.
std::optional<QList<int>> numbers(const QString& text, QChar separator, int parts, int maxDigits)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const QStringList pieces = trimmed.split(separator);
    if (pieces.size() > parts)
        return std::nullopt;
    QList<int> out;
    for (const QString& p : pieces) {
        if (p.isEmpty() || p.size() > maxDigits)
            return std::nullopt;
        for (const QChar c : p) {
            if (!c.isDigit() || c.unicode() > '9')
                return std::nullopt;
        }
        out << p.toInt();
    }
    return out;
}

std::optional<int> wholeNumber(const QByteArray& line)
{
    bool ok = false;
    const int v = line.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

QByteArray IrClockCode(IrClockSource source)
{
    return "UZ" + QByteArray::number(static_cast<int>(source));
}

QByteArray IrJobFileText(const IrJob& job)
{
    const bool setTime = job.mode == IrModus::SetTime;
    const QTime time = setTime ? job.time : QTime(0, 0, 0);
    const QDate date = setTime ? job.date : kDummyDate;
    const IrClockSource source = setTime ? job.source : IrClockSource::None;
    QByteArray out;
    const auto line = [&out](const QByteArray& text) { out += text + "\r\n"; };
    line(modeLetter(job.mode));
    line(' ' + QByteArray::number(job.port + kFirstComPortSetting - 1));
    line(" 20");
    line(" 400");
    line(" 1");
    line(kIrExchangeFileName.toLatin1());
    line(IrClockCode(source));
    line(twoDigits(time.hour()) + ' ' + twoDigits(time.minute()) + ' ' + twoDigits(time.second()));
    line(twoDigits(date.day()) + ' ' + twoDigits(date.month()) + ' ' + QByteArray::number(date.year()));
    line(QByteArray::number(date.dayOfWeek()));
    return out;
}

std::optional<IrJob> ParseIrJobFile(const QByteArray& text)
{
    const QList<QByteArray> lines = SplitLines(text);
    if (lines.size() < 10)
        return std::nullopt;
    IrJob job;
    const QByteArray mode = lines[0].trimmed();
    if (mode == "l")
        job.mode = IrModus::Read;
    else if (mode == "s")
        job.mode = IrModus::Program;
    else if (mode == "u")
        job.mode = IrModus::SetTime;
    else
        return std::nullopt;
    const auto port = wholeNumber(lines[1]);
    if (!port || (*port != kFirstComPortSetting && *port != kFirstComPortSetting + 1))
        return std::nullopt;
    job.port = *port - kFirstComPortSetting + 1;
    if (lines[5].trimmed() != kIrExchangeFileName.toLatin1())
        return std::nullopt;
    const QByteArray code = lines[6].trimmed();
    if (code == "UZ0")
        job.source = IrClockSource::None;
    else if (code == "UZ1")
        job.source = IrClockSource::Computer;
    else if (code == "UZ2")
        job.source = IrClockSource::Typed;
    else
        return std::nullopt;
    const QList<QByteArray> t = lines[7].simplified().split(' ');
    const QList<QByteArray> d = lines[8].simplified().split(' ');
    if (t.size() != 3 || d.size() != 3)
        return std::nullopt;
    job.time = QTime(t[0].toInt(), t[1].toInt(), t[2].toInt());
    job.date = QDate(d[2].toInt(), d[1].toInt(), d[0].toInt());
    if (!job.time.isValid() || !job.date.isValid())
        return std::nullopt;
    return job;
}

std::optional<int> ParseIrResultFile(const QByteArray& text)
{
    const QList<QByteArray> lines = SplitLines(text);
    return lines.isEmpty() ? std::nullopt : wholeNumber(lines.first());
}

QByteArray IrResultFileText(int code)
{
    return (code < 0 ? QByteArray::number(code) : ' ' + QByteArray::number(code)) + " \r\n";
}

std::optional<QTime> ParseIrTime(const QString& text)
{
    const auto n = numbers(text, QLatin1Char(':'), 3, 2);
    if (!n)
        return std::nullopt;
    const QTime t(n->value(0), n->value(1), n->value(2));
    return t.isValid() ? std::optional<QTime>(t) : std::nullopt;
}

std::optional<QDate> ParseIrDate(const QString& text)
{
    const auto n = numbers(text, QLatin1Char('.'), 3, 4);
    if (!n || n->size() != 3 || n->at(0) > 99 || n->at(1) > 99)
        return std::nullopt;
    const QString yearText = text.trimmed().section(QLatin1Char('.'), 2);
    int year = n->at(2);
    if (yearText.size() <= 2)
        year += 2000;
    else if (yearText.size() != 4 || year < 2000 || year > 2099)
        return std::nullopt;
    const QDate d(year, n->at(1), n->at(0));
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

QString FormatIrTime(const QTime& time)
{
    return time.toString(QStringLiteral("hh:mm:ss"));
}

QString FormatIrDate(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yy"));
}

bool IrTimeKey(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(':');
}

bool IrDateKey(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
}

} // namespace zendrik
