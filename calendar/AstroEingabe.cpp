#include "calendar/AstroEingabe.h"

#include "calendar/AstroScrollBars.h"
#include "calendar/AstroTexts.h"
#include "calendar/DayProfile.h"
#include "calendar/PlaceList.h"
#include "calendar/SommerzeitTage.h"
#include "language/CaptionName.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <QRegularExpression>

#include <cstdlib>

namespace zendrik {

namespace {

// Half degrees as the dialog writes them: the language's decimal sign.
QString HalfDegrees(int halves, const TextTable& texts)
{
    QString number = QString::number(halves / 2);
    if (halves % 2 != 0)
        number += QLatin1String(texts.extraLanguage() == ExtraLanguage::English ? ".5" : ",5");
    return number;
}

QString DegreesText(int q, TextId positive, TextId negative, const TextTable& texts)
{
    if (q == 0)
        return QStringLiteral("0") + texts(TextId::Degrees);
    return HalfDegrees(std::abs(q), texts) + texts(TextId::Degrees) + texts(q > 0 ? positive : negative);
}

QString TwoDigits(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}

} // namespace

AstroChannel AstroChannelOfLabel(int uhrentyp, const QString& label)
{
    if (!HasAstro(uhrentyp))
        return AstroChannel{AstroChannelCheck::NoAstroDevice, 0};
    // A label of the form C and a number, from the second character on.
    bool ok = false;
    const int number = label.size() >= 2 ? label.mid(1).trimmed().toInt(&ok) : 0;
    if (HasSharedAstroTable(uhrentyp)) {
        // One table for the device; channel 2 follows it. A number names one
        // of its two channels.
        if (ok && (number < 1 || number > 2))
            return AstroChannel{AstroChannelCheck::NotAstroDeviceChannel, 0};
        return AstroChannel{AstroChannelCheck::Ok, 0};
    }
    if (!ok || number < 1 || number > kAstroChannels)
        return AstroChannel{AstroChannelCheck::NotAnAstroChannel, 0};
    return AstroChannel{AstroChannelCheck::Ok, number - 1};
}

AstroBars AstroBars::FromProgram(const ProgramModel& model, int channel)
{
    const AstroProgram& a = model.program().astro;
    AstroBars b;
    b.laenge = kLaengeRange.clamp(BarOfLaenge(a.AstroLaenge));
    b.breite = kBreiteRange.clamp(BarOfBreite(a.AstroBreite));
    b.zone = kZoneRange.clamp(BarOfZone(a.AstroZone));
    b.offsetAuf = kOffsetRange.clamp(BarOfOffset(a.AstroOffsetAuf));
    b.offsetUnter = kOffsetRange.clamp(BarOfOffset(a.AstroOffsetUnter));
    if (channel >= 0 && channel < kAstroChannels) {
        const AstroLimits& l = a.AstroGrenze[static_cast<std::size_t>(channel)];
        b.morning = kLimitRange.clamp(l.morning);
        b.evening = kLimitRange.clamp(l.evening);
    }
    return b;
}

AstroSettings AstroBars::settings() const
{
    AstroSettings s;
    s.location = AstroLocation{LaengeOfBar(laenge), BreiteOfBar(breite), ZoneOfBar(zone), OffsetOfBar(offsetAuf),
                               OffsetOfBar(offsetUnter)};
    s.morningLimit = morning;
    s.eveningLimit = evening;
    s.riseState = riseState;
    s.setState = setState;
    return s;
}

// The bars count east and north upwards: q, the negated distance from the
// centre, is positive to the west and to the south.
QString LaengeText(int bar, const TextTable& texts)
{
    return DegreesText(-(bar - kLaengeBarMax / 2), TextId::West, TextId::East, texts);
}

QString BreiteText(int bar, const TextTable& texts)
{
    return DegreesText(-(bar - kBreiteBarMax / 2), TextId::South, TextId::North, texts);
}

QString ZoneText(int bar, const TextTable& texts)
{
    const int z = (bar - kZoneBarMax / 2) * 15;
    const int a = std::abs(z);
    return QLatin1String(z < 0 ? "- " : "+ ") + QString::number(a / 60) + texts(TextId::TimeSeparator)
        + TwoDigits(a % 60) + u' ' + texts(TextId::Hrs);
}

QString OffsetText(int bar, const TextTable& texts)
{
    return QString::number(OffsetOfBar(bar)) + u' ' + texts(TextId::Min);
}

QString LimitText(int minutes, const TextTable& texts)
{
    return TwoDigits(minutes / 60) + texts(TextId::TimeSeparator) + TwoDigits(minutes % 60);
}

AstroPreview PreviewAstro(const ProgramModel& model, const AstroBars& bars)
{
    const int uhrentyp = model.device.Uhrentyp;
    const int keineZeit = FamilyNoTime(uhrentyp);
    const QDate today = model.clock().date();
    const int year = today.year();
    const AstroSettings s = bars.settings();
    const AstroYear table = ComputeAstroYear(s.location, uhrentyp, year);
    const bool addOffsets = !AstroTableHoldsOffsets(uhrentyp);

    AstroPreview p;
    p.days = DaysInYear(year);
    for (std::size_t i = 0; i < static_cast<std::size_t>(kAstroYearDays); ++i) {
        if (table[i].rise != keineZeit)
            p.rise[i] = table[i].rise + (addOffsets ? s.location.offsetAuf : 0);
        if (table[i].set != keineZeit)
            p.set[i] = table[i].set + (addOffsets ? s.location.offsetUnter : 0);
    }

    // Today as the device switches: the table OK would store, limits
    // written in, with the summer hour.
    p.today = DayOfYear(today.day(), today.month(), year) - 1;
    const AstroYear limited = ComputeLimitedAstroYear(model, s);
    const AstroTimes& t = limited[static_cast<std::size_t>(p.today)];
    const bool summer =
        IstSommerzeit(SommerzeitTageVon(model.device.SwRegel, model.program(), year), p.today + 1);
    const auto switched = [&](int stored, int offset) -> std::optional<int> {
        if (stored == keineZeit)
            return std::nullopt;
        const int m = stored + (addOffsets ? offset : 0) + (summer ? kSummerHour : 0);
        if (m < 0 || m >= kMinutesOfDay)
            return std::nullopt;
        return m;
    };
    p.todayRise = switched(t.rise, s.location.offsetAuf);
    p.todaySet = switched(t.set, s.location.offsetUnter);
    return p;
}

std::optional<int> OffsetBarOfText(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^[-+]?\\d{1,3}$"));
    const QString t = text.trimmed();
    if (!form.match(t).hasMatch())
        return std::nullopt;
    const int bar = BarOfOffset(t.toInt());
    if (!kOffsetRange.contains(bar) || OffsetOfBar(bar) != t.toInt())
        return std::nullopt;
    return bar;
}

std::optional<int> LimitBarOfText(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2})(?:[:.h](\\d{2}))?$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int hour = m.captured(1).toInt();
    const int minute = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
    if (hour > 23 || minute > 59)
        return std::nullopt;
    return kLimitRange.clamp(hour * 60 + minute);
}

QString OffsetFieldText(int bar)
{
    return QString::number(OffsetOfBar(bar));
}

QString LimitFieldText(int minutes)
{
    return QString::number(minutes / 60) + u':' + TwoDigits(minutes % 60);
}

QString OffsetFieldHint(TextId caption, const TextTable& texts)
{
    return texts(kAstroOffsetHint)
        .arg(CaptionName(texts(caption)))
        .arg(OffsetOfBar(kOffsetRange.low))
        .arg(OffsetOfBar(kOffsetRange.high));
}

QString LimitFieldHint(TextId caption, const TextTable& texts)
{
    return texts(kAstroLimitHint).arg(CaptionName(texts(caption)));
}

bool OffsetFieldTakes(QChar c)
{
    return c.isDigit() || c == u'-' || c == u'+';
}

bool LimitFieldTakes(QChar c)
{
    return c.isDigit() || c == u':' || c == u'.' || c == u'h';
}

int PlaceOfBars(const PlaceList& places, const AstroBars& bars)
{
    int index = 0;
    for (const Place& place : places.places()) {
        if (place.laengeBar() == bars.laenge && place.breiteBar() == bars.breite && place.zoneBar() == bars.zone)
            return index;
        ++index;
    }
    return -1;
}

} // namespace zendrik
