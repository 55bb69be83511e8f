#include "editing/RecoveryFile.h"

#include "calendar/DayProfile.h"
#include "language/DateText.h"
#include "model/DeviceTypes.h"
#include "model/ProgramModel.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <limits>
#include <type_traits>

namespace zendrik {

namespace {

// The record: a magic line, the format version, the payload's length and
// the payload's CRC, then the payload. Numbers are big-endian.
constexpr char kMagic[] = "ZENDRIK-RECOVERY";
constexpr quint32 kVersion = 1;
// A full program is about 40 KB; anything much larger is not our record.
constexpr qint64 kMaxRecordSize = 1 << 20;
constexpr qint32 kMaxTextBytes = 4096;

// Writes the fields one after the other.
class Writer {
public:
    explicit Writer(QByteArray& out) : stream_(&out, QIODevice::WriteOnly) { }

    void number(qint64 value) { stream_ << value; }
    void real(float value) { stream_ << static_cast<double>(value); }
    void text(const QString& value)
    {
        const QByteArray utf8 = value.toUtf8();
        stream_ << static_cast<qint32>(utf8.size());
        stream_.writeRawData(utf8.constData(), static_cast<int>(utf8.size()));
    }

private:
    QDataStream stream_;
};

// Reads the same fields back, each checked against the range it may have;
// the first field out of range or missing spoils the whole record.
class Reader {
public:
    explicit Reader(const QByteArray& in) : stream_(in) { }

    template <typename T>
    void number(T& value, qint64 lo, qint64 hi)
    {
        qint64 v = 0;
        stream_ >> v;
        if (stream_.status() != QDataStream::Ok || v < lo || v > hi)
            ok_ = false;
        else
            value = static_cast<T>(v);
    }
    void real(float& value, double lo, double hi)
    {
        double v = 0;
        stream_ >> v;
        if (stream_.status() != QDataStream::Ok || !std::isfinite(v) || v < lo || v > hi)
            ok_ = false;
        else
            value = static_cast<float>(v);
    }
    void text(QString& value)
    {
        qint32 size = -1;
        stream_ >> size;
        if (stream_.status() != QDataStream::Ok || size < 0 || size > kMaxTextBytes) {
            ok_ = false;
            return;
        }
        QByteArray utf8(size, '\0');
        if (stream_.readRawData(utf8.data(), size) != size) {
            ok_ = false;
            return;
        }
        value = QString::fromUtf8(utf8);
    }
    bool ok() const { return ok_ && stream_.status() == QDataStream::Ok && stream_.atEnd(); }

private:
    QDataStream stream_;
    bool ok_ = true;
};

// One list of fields for both directions: the writer ignores the ranges.
struct WriteFields {
    Writer& w;
    template <typename T>
    void number(const T& value, qint64, qint64) { w.number(static_cast<qint64>(value)); }
    void real(const float& value, double, double) { w.real(value); }
    void text(const QString& value) { w.text(value); }
};

struct ReadFields {
    Reader& r;
    template <typename T>
    void number(T& value, qint64 lo, qint64 hi) { r.number(value, lo, hi); }
    void real(float& value, double lo, double hi) { r.real(value, lo, hi); }
    void text(QString& value) { r.text(value); }
};

// Values of the device's header bytes and flags: a byte, or -1 for a flag set.
constexpr qint64 kFlagLo = -1;
constexpr qint64 kByteHi = 255;
constexpr qint64 kSmallLo = -32768;
constexpr qint64 kSmallHi = 32767;
constexpr qint64 kAstroTimeHi = 2047; // a day's minutes, or the family's no-time marker

template <typename Fields, typename Image>
void visit(Fields& f, Image& image)
{
    f.number(image.deviceRow, 1, kDeviceTypeRows);
    auto& o = image.snapshot.options;
    for (auto* v : {&o.Geraetekennung, &o.SwRegel, &o.SpracheUhr, &o.Datumsformat, &o.Funk, &o.Nak, &o.Dauertaste,
                    &o.Speicherflag, &o.MessKanal, &o.MessPeriode, &o.MessImpDauer, &o.MessZustand,
                    &o.MessZeitpunkt, &o.AstroC1C2, &o.MasterKennung})
        f.number(*v, kFlagLo, kByteHi);

    auto& s = image.snapshot.program;
    for (auto& entry : s.Eintrag)
        for (auto& b : entry.b)
            f.number(b, 0, kByteHi);
    f.number(s.AnzSz, 0, kEntryRows);
    f.number(s.AnzPz, 0, kEntryRows);
    f.number(s.AnzEintrag, 0, kEntryRows);
    for (auto& row : s.SoWiTab)
        for (auto& b : row.b)
            f.number(b, 0, kByteHi);
    f.number(s.AnzSoWi, 0, kDstRows);
    f.number(s.SoWiJahr, kSmallLo, kSmallHi);
    f.number(s.SoWiInfo, kSmallLo, kSmallHi);
    for (auto& k : s.Kopf)
        f.number(k, kSmallLo, kSmallHi);
    f.number(s.ProgNr, 0, kNoProgramNumber);
    f.number(s.Schreibschutz, kFlagLo, 1);
    f.text(s.Verwendung);
    f.text(s.Dateiname);
    for (auto& name : s.Kanalname)
        f.text(name);

    auto& a = s.astro;
    for (auto& active : a.AstroAktiv)
        f.number(active, kFlagLo, 1);
    for (auto& channel : a.AstroTab) {
        for (auto& day : channel) {
            f.number(day.rise, 0, kAstroTimeHi);
            f.number(day.set, 0, kAstroTimeHi);
            f.number(day.riseState, kFlagLo, 0);
            f.number(day.setState, kFlagLo, 0);
        }
    }
    for (auto& limits : a.AstroGrenze) {
        f.number(limits.morning, 0, kMinutesOfDay - 1);
        f.number(limits.evening, 0, kMinutesOfDay - 1);
        f.number(limits.riseState, kFlagLo, 0);
        f.number(limits.setState, kFlagLo, 0);
    }
    f.real(a.AstroLaenge, -180.0, 180.0);
    f.real(a.AstroBreite, -90.0, 90.0);
    f.number(a.AstroZone, -kMinutesOfDay, kMinutesOfDay);
    f.number(a.AstroOffsetAuf, -kMinutesOfDay, kMinutesOfDay);
    f.number(a.AstroOffsetUnter, -kMinutesOfDay, kMinutesOfDay);

    // When the copy was made, in milliseconds since 1970 (UTC).
    if constexpr (std::is_const_v<Image>) {
        f.number(image.writtenAt.toMSecsSinceEpoch(), 0, 0);
    } else {
        qint64 ms = 0;
        f.number(ms, 0, std::numeric_limits<qint64>::max());
        image.writtenAt = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    }
}

} // namespace

RecoveryImage TakeRecoveryImage(const ProgramModel& model, const QDateTime& now)
{
    RecoveryImage image;
    image.snapshot = TakeSnapshot(model);
    image.deviceRow = model.device.DeviceRow;
    image.writtenAt = now.toUTC();
    return image;
}

QByteArray EncodeRecovery(const RecoveryImage& image)
{
    QByteArray payload;
    Writer writer(payload);
    WriteFields fields{writer};
    visit(fields, image);

    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out.writeRawData(kMagic, sizeof kMagic - 1);
    out << kVersion << static_cast<quint32>(payload.size()) << qChecksum(payload);
    out.writeRawData(payload.constData(), static_cast<int>(payload.size()));
    return record;
}

std::optional<RecoveryImage> DecodeRecovery(const QByteArray& data)
{
    constexpr qsizetype magicSize = sizeof kMagic - 1;
    constexpr qsizetype headerSize = magicSize + 4 + 4 + 2;
    if (data.size() < headerSize || !data.startsWith(QByteArrayView(kMagic, magicSize)))
        return std::nullopt;
    QDataStream header(data.mid(magicSize, headerSize - magicSize));
    quint32 version = 0;
    quint32 size = 0;
    quint16 crc = 0;
    header >> version >> size >> crc;
    if (version != kVersion || size != static_cast<quint64>(data.size() - headerSize))
        return std::nullopt;
    const QByteArray payload = data.mid(headerSize);
    if (qChecksum(payload) != crc)
        return std::nullopt;

    RecoveryImage image;
    Reader reader(payload);
    ReadFields fields{reader};
    visit(fields, image);
    if (!reader.ok())
        return std::nullopt;
    const ProgramSlot& s = image.snapshot.program;
    if (s.AnzSz + s.AnzPz != s.AnzEintrag)
        return std::nullopt;
    return image;
}

QString RecoveryFilePath(const QString& workDir)
{
    return QDir(workDir).filePath(QString::fromLatin1(kRecoveryFileName));
}

bool WriteRecoveryFile(const QString& workDir, const RecoveryImage& image, QString* error)
{
    return WriteFileAtomically(RecoveryFilePath(workDir), EncodeRecovery(image), error);
}

void RemoveRecoveryFile(const QString& workDir)
{
    const QString path = RecoveryFilePath(workDir);
    // Only our own record goes: never a folder or a device someone put there.
    if (CheckInputFile(path) == FileState::Regular || QFileInfo(path).isSymLink())
        QFile::remove(path);
}

RecoveryFinding FindRecovery(const QString& workDir)
{
    RecoveryFinding finding;
    const QString path = RecoveryFilePath(workDir);
    const LimitedRead read = ReadRegularFile(path, kMaxRecordSize);
    if (read.state == FileState::Missing)
        return finding;
    const auto image = read.ok() ? DecodeRecovery(read.data) : std::nullopt;
    if (!image) {
        finding.state = RecoveryState::Damaged;
        return finding;
    }
    finding.image = *image;
    // A program file written after the copy holds what the user kept.
    const QFileInfo program(image->snapshot.program.Dateiname);
    const QFileInfo record(path);
    finding.state = program.exists() && program.lastModified() >= record.lastModified() ? RecoveryState::Outdated
                                                                                        : RecoveryState::Offer;
    return finding;
}

void ApplyRecovery(ProgramModel& model, const RecoveryImage& image)
{
    ApplyDeviceTypeRow(model.device, image.deviceRow);
    RestoreSnapshot(model, image.snapshot);
    model.program().Dateiname = image.snapshot.program.Dateiname;
    model.AktSlot = kProgramSlot;
    model.Geaendert = 1;
}

Prompt RecoveryQuestion(const RecoveryImage& image, const TextTable& texts)
{
    Prompt p = Prompt::question(
        Buttons::YesNo, Icon::Question,
        {kRecoveryQuestion, QStringLiteral("\n\n") + QDir::toNativeSeparators(image.snapshot.program.Dateiname) + QStringLiteral("\n"),
         kRecoveryWrittenAt,
         QStringLiteral(" ") + DateTimeText(image.writtenAt.toLocalTime(), texts, true)});
    p.yesCaption = &kRecoveryRestore;
    p.noCaption = &kRecoveryDiscard;
    return p;
}

} // namespace zendrik
