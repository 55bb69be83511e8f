#include "model/ProgramFile.h"

#include "model/ProgramSort.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"
#include "util/Cp1252.h"
#include "model/DeviceTypes.h"
#include "model/FileNames.h"
#include "model/ProgramModel.h"
#include "model/SequentialReader.h"
#include "model/UserInteraction.h"

#include <QFile>

namespace zendrik {

namespace {

// Larger files cannot be program files; they are refused before reading.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

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

} // namespace

QByteArray ProgramFileText(const Image& stored, int maxEintrag, const QString& verwendung,
                           const std::array<QString, 17>& channelNames)
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
    return out;
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
    const QByteArray text = ProgramFileText(stored, model.device.MaxEintrag, s.Verwendung, s.Kanalname);

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
    const LimitedRead read = ReadRegularFile(path, kMaxFileSize);
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
