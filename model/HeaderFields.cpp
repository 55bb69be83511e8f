#include "model/HeaderFields.h"

#include "model/ProgramModel.h"

namespace zendrik {

namespace {

// The text as the program file gives it back: the file splits text items
// at commas and line ends, drops the blanks around an item and reads an
// item that begins with a double quote as a quoted one (up to the next
// quote). The field then shows what will come back from the file.
QString asTheFileKeepsIt(const QString& text)
{
    QString out = text;
    out.remove(QLatin1Char(','));
    out.remove(QLatin1Char('\r'));
    out.remove(QLatin1Char('\n'));
    out = out.trimmed();
    while (out.startsWith(QLatin1Char('"')))
        out = out.mid(1).trimmed();
    return out;
}

FieldCommit fromCheck(TextCheck check, bool differed)
{
    if (check != TextCheck::Ok)
        return FieldCommit::Refused;
    return differed ? FieldCommit::Changed : FieldCommit::Unchanged;
}

} // namespace

bool ProgramNumberKeyAccepted(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(' ');
}

QString ProgramNumberText(const ProgramSlot& slot)
{
    if (slot.ProgNr < 0 || slot.ProgNr > 999999)
        return QString();
    return QString::number(slot.ProgNr);
}

FieldCommit CommitProgramNumber(ProgramModel& model, const QString& text)
{
    ProgramSlot& s = model.slot(model.AktSlot);
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    if (digits.isEmpty()) {
        if (s.ProgNr == kNoProgramNumber)
            return FieldCommit::Unchanged;
        s.ProgNr = kNoProgramNumber;
        model.Geaendert = 1;
        return FieldCommit::Changed;
    }
    if (digits.size() > kProgramNumberDigits)
        return FieldCommit::Refused;
    for (const QChar c : digits) {
        if (!c.isDigit() || c.unicode() > '9')
            return FieldCommit::Refused;
    }
    const int value = digits.toInt();
    if (value == s.ProgNr)
        return FieldCommit::Unchanged;
    s.ProgNr = value;
    model.Geaendert = 1;
    return FieldCommit::Changed;
}

bool DescriptionKeyAccepted(QChar c)
{
    return c != QLatin1Char(',');
}

FieldCommit CommitDescription(ProgramModel& model, const QString& text)
{
    const QString clean = asTheFileKeepsIt(text);
    const int slot = model.AktSlot;
    if (clean == model.slot(slot).Verwendung)
        return FieldCommit::Unchanged;
    const FieldCommit result = fromCheck(model.setVerwendung(slot, clean), true);
    if (result == FieldCommit::Changed)
        model.Geaendert = 1;
    return result;
}

QString ChannelCaption(int channel)
{
    return QStringLiteral("C") + QString::number(channel);
}

int ChannelOfCaption(const QString& caption)
{
    bool ok = false;
    const int n = caption.mid(1).trimmed().toInt(&ok);
    return ok && n > 0 ? n : 0;
}

QString ShownChannelName(const QString& stored)
{
    return stored.startsWith(QLatin1Char(' ')) ? stored.mid(1) : stored;
}

bool ChannelNameKeyAccepted(QChar c)
{
    return c != QLatin1Char(',');
}

FieldCommit CommitChannelName(ProgramModel& model, const QString& caption, const QString& text)
{
    const int channel = ChannelOfCaption(caption);
    if (channel < 1 || channel > kChannelNames)
        return FieldCommit::Refused;
    const int slot = model.AktSlot;
    const QString clean = asTheFileKeepsIt(text);
    if (clean == ShownChannelName(model.slot(slot).Kanalname[static_cast<std::size_t>(channel - 1)]))
        return FieldCommit::Unchanged;
    const FieldCommit result = fromCheck(model.setKanalname(slot, channel - 1, clean), true);
    if (result == FieldCommit::Changed)
        model.Geaendert = 1;
    return result;
}

FieldCommit CommitWriteProtection(ProgramModel& model, bool protectedOn)
{
    ProgramSlot& s = model.slot(model.AktSlot);
    const int value = protectedOn ? 1 : 0;
    if (s.Schreibschutz == value)
        return FieldCommit::Unchanged;
    s.Schreibschutz = value;
    model.Geaendert = 1;
    return FieldCommit::Changed;
}

std::optional<QDateTime> SavedAt(const ProgramSlot& slot)
{
    const auto& k = slot.Kopf;
    const int minute = k[4] * 16 + k[5] / 16;
    const int month = k[5] % 16;
    const int day = k[6];
    const int year = 1872 + k[7];
    const QDate date(year, month, day);
    if (day == 0 || !date.isValid() || minute >= 1440)
        return std::nullopt;
    return QDateTime(date, QTime(minute / 60, minute % 60));
}

} // namespace zendrik
