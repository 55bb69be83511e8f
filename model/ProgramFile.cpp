#include "model/ProgramFile.h"

#include "model/DeviceFamily.h"
#include "model/DeviceTypes.h"
#include "model/FileNames.h"
#include "model/ProgramModel.h"
#include "model/ProgramSort.h"
#include "model/SequentialReader.h"
#include "model/UserInteraction.h"
#include "util/AtomicFile.h"
#include "util/Cp1252.h"
#include "util/FileCheck.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>

namespace zendrik {

namespace {

struct LineGroup {
    int lines;
    int perLine;
};

std::vector<LineGroup> lineLayout(int size, int maxEintrag)
{
    std::vector<LineGroup> groups = {{20, 1}, {20, 4}, {2, 2}, {324, 6}};
    if (size > 2048) {
        // The 8192-byte image goes on with the remaining entries (and eight
        // more rows) six to a line, single bytes up to the astro area, four
        // pairs, the astro days three to a line, and single bytes to the end.
        const int entryLines = maxEintrag - 316;
        const int entryEnd = 2048 + 6 * entryLines;
        groups.push_back({entryLines, 6});
        groups.push_back({3168 - entryEnd, 1});
        groups.push_back({4, 2});
        groups.push_back({4 * 366, 3});
        groups.push_back({size - 7568, 1});
    }
    return groups;
}

// One byte value as the file holds it: blank (the sign position), digits, blank.
void appendValue(QByteArray& out, int v)
{
    char buf[5];
    int n = 0;
    buf[n++] = ' ';
    if (v >= 100)
        buf[n++] = static_cast<char>('0' + v / 100);
    if (v >= 10)
        buf[n++] = static_cast<char>('0' + (v / 10) % 10);
    buf[n++] = static_cast<char>('0' + v % 10);
    buf[n++] = ' ';
    out.append(buf, n);
}

int numberLines(int size, int maxEintrag)
{
    int lines = 0;
    for (const LineGroup& g : lineLayout(size, maxEintrag))
        lines += g.lines;
    return lines;
}

// Lines of the file after the numbers, split at line ends.
QList<QByteArray> linesAfterNumbers(const QByteArray& data, int size, int maxEintrag)
{
    QList<QByteArray> lines = data.split('\n');
    const qsizetype first = std::min<qsizetype>(numberLines(size, maxEintrag), lines.size());
    lines.erase(lines.begin(), lines.begin() + first);
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

constexpr int kTrailerLines = 17; // the description and 16 channel names
const QByteArray kAstroLimitsTag = QByteArrayLiteral("[Astrogrenzen]");
const QByteArray kAstroPlaceTag = QByteArrayLiteral("[Astroort]");
const QByteArray kProgramNumberTag = QByteArrayLiteral("[Programmnummer]");

QByteArray hm(int minute)
{
    return QByteArray::number(minute / 60).rightJustified(2, '0') + ':'
        + QByteArray::number(minute % 60).rightJustified(2, '0');
}

} // namespace

QByteArray ProgramNumberLine(const ProgramModel& model)
{
    const std::int32_t number = model.program().ProgNr;
    if (HasProgramNumberInImage(model.device.Uhrentyp) || number < 0 || number > 999999)
        return {};
    return kProgramNumberTag + ' ' + QByteArray::number(number) + "\r\n";
}

std::int32_t ReadProgramNumberLine(const QByteArray& data, int size, int maxEintrag)
{
    const QList<QByteArray> lines = linesAfterNumbers(data, size, maxEintrag);
    for (qsizetype i = kTrailerLines; i < lines.size(); ++i) {
        if (!lines[i].startsWith(kProgramNumberTag + ' '))
            continue;
        const QByteArray digits = lines[i].mid(kProgramNumberTag.size() + 1);
        bool ok = digits.size() <= 6 && !digits.isEmpty();
        for (const char c : digits)
            ok = ok && c >= '0' && c <= '9';
        if (ok)
            return digits.toInt();
    }
    return kNoProgramNumber;
}

QByteArray AstroLimitLines(const ProgramModel& model)
{
    QByteArray out;
    const AstroProgram& astro = model.program().astro;
    const int channels = AstroTableCount(model.device.Uhrentyp);
    for (int c = 0; c < channels; ++c) {
        const AstroLimits& l = astro.AstroGrenze[static_cast<std::size_t>(c)];
        if (astro.AstroAktiv[static_cast<std::size_t>(c + 1)] == 0 || (l.morning == 0 && l.evening == 1439))
            continue;
        out += kAstroLimitsTag + " C" + QByteArray::number(c + 1) + ' ' + hm(l.morning) + ' ' + hm(l.evening)
            + "\r\n";
    }
    // The bus device's image has no place for the location (a new program's
    // location reads back as it is without the line).
    const AstroProgram fresh;
    const bool located = astro.AstroLaenge != fresh.AstroLaenge || astro.AstroBreite != fresh.AstroBreite
        || astro.AstroZone != fresh.AstroZone || astro.AstroOffsetAuf != fresh.AstroOffsetAuf
        || astro.AstroOffsetUnter != fresh.AstroOffsetUnter;
    const int family = model.device.Uhrentyp;
    if (HasAstro(family) && !HasAstroLocationInImage(family) && astro.AstroAktiv[0] != 0 && located)
        out += kAstroPlaceTag + ' ' + QByteArray::number(static_cast<double>(astro.AstroLaenge)) + ' '
            + QByteArray::number(static_cast<double>(astro.AstroBreite)) + ' ' + QByteArray::number(astro.AstroZone)
            + ' ' + QByteArray::number(astro.AstroOffsetAuf) + ' ' + QByteArray::number(astro.AstroOffsetUnter)
            + "\r\n";
    return out;
}

void ReadAstroLimitLines(const QByteArray& data, int size, int maxEintrag, AstroProgram& astro)
{
    static const QRegularExpression form(
        QStringLiteral("^\\[Astrogrenzen\\] C([1-4]) (\\d\\d):(\\d\\d) (\\d\\d):(\\d\\d)$"));
    static const QRegularExpression place(QStringLiteral(
        "^\\[Astroort\\] (-?\\d{1,3}(?:\\.5)?) (-?\\d{1,2}(?:\\.5)?) (-?\\d{1,3}) (-?\\d{1,3}) (-?\\d{1,3})$"));
    const QList<QByteArray> lines = linesAfterNumbers(data, size, maxEintrag);
    for (qsizetype i = kTrailerLines; i < lines.size(); ++i) {
        const QString line = QString::fromLatin1(lines[i]);
        if (const QRegularExpressionMatch p = place.match(line); p.hasMatch() && size > 2048) {
            const float laenge = p.captured(1).toFloat();
            const float breite = p.captured(2).toFloat();
            const int zone = p.captured(3).toInt();
            const int auf = p.captured(4).toInt();
            const int unter = p.captured(5).toInt();
            // Only what the dialog can show: the bars' ranges.
            if (std::abs(laenge) <= 180.0f && std::abs(breite) <= 90.0f && std::abs(zone) <= 14 * 60 && zone % 15 == 0
                && std::abs(auf) <= 120 && std::abs(unter) <= 120) {
                astro.AstroLaenge = laenge;
                astro.AstroBreite = breite;
                astro.AstroZone = zone;
                astro.AstroOffsetAuf = auf;
                astro.AstroOffsetUnter = unter;
            }
            continue;
        }
        const QRegularExpressionMatch m = form.match(line);
        if (!m.hasMatch())
            continue;
        const int c = m.captured(1).toInt() - 1;
        const int morning = m.captured(2).toInt() * 60 + m.captured(3).toInt();
        const int evening = m.captured(4).toInt() * 60 + m.captured(5).toInt();
        if (morning >= 1440 || evening >= 1440 || astro.AstroAktiv[static_cast<std::size_t>(c + 1)] == 0)
            continue;
        astro.AstroGrenze[static_cast<std::size_t>(c)].morning = morning;
        astro.AstroGrenze[static_cast<std::size_t>(c)].evening = evening;
    }
}

QByteArray ProgramFileText(const Image& stored, int maxEintrag, const QString& verwendung,
                           const std::array<QString, 17>& channelNames, const QByteArray& extraLines)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(stored.size()) * 5 + 1024);
    std::size_t pos = 0;
    for (const LineGroup& g : lineLayout(static_cast<int>(stored.size()), maxEintrag)) {
        for (int line = 0; line < g.lines && pos < stored.size(); ++line) {
            for (int k = 0; k < g.perLine && pos < stored.size(); ++k)
                appendValue(out, stored[pos++]);
            out += "\r\n";
        }
    }
    out += Cp1252::encode(verwendung) + "\r\n";
    for (int c = 0; c < 16; ++c) {
        const QString& name = channelNames[static_cast<std::size_t>(c)];
        if (name.isEmpty())
            out += "C" + QByteArray::number(c + 1) + " :\r\n";
        else
            out += Cp1252::encode(name) + "\r\n";
    }
    return out + extraLines;
}

Image ReadImageNumbers(const QByteArray& data, int size)
{
    SequentialReader reader(data);
    Image image;
    image.reserve(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) {
        const auto v = reader.readInteger();
        if (!v || *v > 255)
            return {};
        image.push_back(static_cast<Byte>(*v));
    }
    return image;
}

SaveOutcome SaveProgram(ProgramModel& model, UserInteraction& ui)
{
    ProgramSlot& s = model.program();
    const DeviceSettings& d = model.device;
    SaveOutcome outcome;

    if (s.AnzSoWi == 0 && s.AnzEintrag == 0 && s.astro.AstroAktiv[1] == 0 && model.LeerSpeichern == 0
        && d.MessKanal == 0) {
        const Prompt p = Prompt::question(Buttons::OkCancel, Icon::Question, {TextId::NoDataContinue});
        if (ui.ask(p) != Answer::Ok) {
            outcome.failure = SaveFailure::Abandoned;
            return outcome;
        }
        s.ProgNr = kNoProgramNumber;
    }

    if (s.AnzSoWi == 0 && d.SwRegel == 4) {
        ui.ask(Prompt::message(Icon::Critical, {TextId::ChooseOtherDstRule}));
        SortProgram(model, 1, kProgramSlot);
        outcome.failure = SaveFailure::Abandoned;
        return outcome;
    }

    if (s.AnzEintrag > 0)
        SortProgram(model, 0, kProgramSlot);
    BuildHeader(model, ui);
    const Image stored = BuildStoredImage(model);
    const QByteArray text = ProgramFileText(stored, model.device.MaxEintrag, s.Verwendung, s.Kanalname,
                                            AstroLimitLines(model) + ProgramNumberLine(model));

    bool written = false;
    if (s.Dateiname.isEmpty())
        outcome.failure = SaveFailure::NoFileName;
    else if (!WriteFileAtomically(s.Dateiname, text, &outcome.error))
        outcome.failure = SaveFailure::WriteFailed;
    else
        written = true;

    SortProgram(model, 1, kProgramSlot);
    if (written) {
        model.Geaendert = 0;
        outcome.result = 1;
    }
    return outcome;
}

int LoadProgramData(ProgramModel& model, const QByteArray& data, int slotIndex, const QString& path)
{
    DeviceSettings device = model.device;
    ProgramSlot slot;

    SequentialReader reader(data);
    const auto v0 = reader.readInteger();
    const auto v1 = reader.readInteger();
    if (!v0 || !v1 || *v0 > 255 || *v1 > 255)
        return LoadInvalid;
    const int family = static_cast<int>(*v1) & 0x7F;
    if (family == 74 && device.Speichergroesse == 2048)
        return LoadLargeImage;
    // A 2048-byte program offered to the 8192-byte device: say which family
    // it is for instead of running into its text lines.
    if (device.Speichergroesse == 8192 && (family == 72 || family == 73))
        return LoadFamily731;
    if (device.Speichergroesse == 8192 && family == 80)
        return LoadFamily752;

    Image image;
    image.reserve(static_cast<std::size_t>(device.Speichergroesse));
    image.push_back(static_cast<Byte>(*v0));
    image.push_back(static_cast<Byte>(*v1));
    for (int i = 2; i < device.Speichergroesse; ++i) {
        const auto v = reader.readInteger();
        if (!v || *v > 255)
            return LoadInvalid;
        image.push_back(static_cast<Byte>(*v));
    }

    const bool programHasEntries = model.program().AnzEintrag > 0;
    const int result = ParseStoredImage(image, device, slot, slotIndex, programHasEntries);
    if (result != LoadOk)
        return result;

    if (const auto usage = reader.readTextItem())
        slot.Verwendung = *usage;
    const int names = std::clamp(slotIndex == kProgramSlot ? device.Kanalzahl : model.device.Kanalzahl, 0, 16);
    for (int c = 0; c < names; ++c) {
        const auto name = reader.readTextItem();
        if (!name)
            break;
        // An unnamed channel is written as its placeholder "C3 :"; it reads
        // back as no name rather than as a name the user never gave.
        if (*name == QStringLiteral("C%1 :").arg(c + 1))
            continue;
        slot.Kanalname[static_cast<std::size_t>(c)] = QStringLiteral(" ") + *name;
    }
    ReadAstroLimitLines(data, device.Speichergroesse, device.MaxEintrag, slot.astro);
    if (!HasProgramNumberInImage(device.Uhrentyp))
        slot.ProgNr = ReadProgramNumberLine(data, device.Speichergroesse, device.MaxEintrag);
    slot.Dateiname = path;

    model.device = device;
    model.slot(slotIndex) = std::move(slot);
    SortProgram(model, 1, slotIndex);
    if (slotIndex == kProgramSlot) {
        // Keep the type the user chose while the file fits it; the image does
        // not carry every difference between the rows. Within the family only
        // the variant flags differ, so the row in use sets them (the chosen
        // row again after a file of another type was open).
        const int row = DeviceRowAfterLoad(model.device, model.program());
        const DeviceTypeRow& r = DeviceTypeTable()[static_cast<std::size_t>(row - 1)];
        model.device.Evu = r.Evu;
        model.device.Busprog = r.Busprog;
        model.device.Bewft = r.Bewft;
        model.device.DeviceRow = row;
        model.device.Geraetename =
            DeviceTypeName(row, model.device.BrandIndex, DeviceTypeLanguage(model.device.Sprache));
    }
    return LoadOk;
}

int LoadProgram(ProgramModel& model, const QString& path, int slotIndex)
{
    const LimitedRead read = ReadRegularFile(path, kMaxProgramFileBytes);
    switch (read.state) {
    case FileState::Regular:
        break;
    case FileState::Missing:
        return LoadMissing;
    case FileState::NotRegular:
        return LoadNotAFile;
    case FileState::NoPermission:
        return LoadNoPermission;
    case FileState::LinkLoop:
        return LoadLinkLoop;
    case FileState::Unreadable:
        return LoadUnreadable;
    }
    if (read.tooLarge)
        return LoadInvalid;
    return LoadProgramData(model, read.data, slotIndex, path);
}

} // namespace zendrik
