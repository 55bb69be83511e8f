#include "app/Settings.h"

#include "model/DeviceFamily.h"
#include "model/ProgramSetup.h"

#include "model/ProgramModel.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QFile>

#include <algorithm>
#include <cmath>

namespace zendrik {

namespace {

struct Line {
    const char* key;  // the key text as written, padding zeros included
    const char* name; // the key without its padding
};

// The 18 lines, in file order.
constexpr Line kLines[18] = {
    {"KANALZAHL=", "KANALZAHL"},
    {"BEWFT=", "BEWFT"},
    {"LPT=", "LPT"},
    {"UHRENTYP=", "UHRENTYP"},
    {"DELAY=00", "DELAY"},
    {"ZEILEN=0", "ZEILEN"},
    {"MAXDELAY=00", "MAXDELAY"},
    {"SWREGEL=", "SWREGEL"},
    {"SPRACHE(Uhr)=", "SPRACHE(Uhr)"},
    {"SPRACHE=", "SPRACHE"},
    {"ASTROC1C2=00", "ASTROC1C2"},
    {"BUSPROG=", "BUSPROG"},
    {"MESSKANAL=", "MESSKANAL"},
    {"MESSPERIODE=0", "MESSPERIODE"},
    {"MESSIMPDAUER=0", "MESSIMPDAUER"},
    {"MESSZUSTAND=", "MESSZUSTAND"},
    {"MESSZEITPUNKT=", "MESSZEITPUNKT"},
    {"EVU=", "EVU"},
};

int toInt16(double v)
{
    return static_cast<int>(std::clamp(std::round(v), -32768.0, 32767.0));
}

QString number(double v)
{
    return QString::number(v, 'g', 7);
}

} // namespace

double LeadingNumber(const QString& text)
{
    const QString t = text.trimmed();
    int end = 0;
    if (end < t.size() && (t[end] == QLatin1Char('-') || t[end] == QLatin1Char('+')))
        ++end;
    bool point = false;
    while (end < t.size() && (t[end].isDigit() || (!point && t[end] == QLatin1Char('.')))) {
        if (t[end] == QLatin1Char('.'))
            point = true;
        ++end;
    }
    bool ok = false;
    const double v = t.left(end).toDouble(&ok);
    return ok ? v : 0.0;
}

QByteArray SettingsFileText(const DeviceSettings& d)
{
    // The values in the file's line order, laid out by hand.
    // clang-format off
    const double values[18] = {
        double(d.Kanalzahl), double(d.Bewft), double(d.Lpt), double(d.Uhrentyp),
        d.Delay / 4.0, double(d.Zeilen), double(d.MaxDelay), double(SwRegelOhneTabelle(d)),
        double(d.SpracheUhr), double(d.Sprache), double(d.AstroC1C2),
        d.Busprog != 0 ? -1.0 : 0.0, double(d.MessKanal), double(d.MessPeriode),
        double(d.MessImpDauer), double(d.MessZustand), double(d.MessZeitpunkt), double(d.Evu),
    };
    // clang-format on
    QByteArray out;
    for (int i = 0; i < 18; ++i) {
        out += kLines[i].key;
        out += number(values[i]).toLatin1();
        out += "\r\n";
    }
    return out;
}

bool ReadSettings(const QString& path, DeviceSettings& d)
{
    const LimitedRead read = ReadRegularFile(path, 64 * 1024);
    if (!read.ok())
        return false;
    const QList<QByteArray> lines = SplitLines(read.data);
    for (QByteArray raw : lines) {
        const QString line = QString::fromLatin1(raw.trimmed());
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const double v = LeadingNumber(line.mid(eq + 1));
        if (key == QLatin1String("KANALZAHL")) d.Kanalzahl = std::clamp(toInt16(v), 1, 16);
        else if (key == QLatin1String("BEWFT")) d.Bewft = toInt16(v) != 0 ? 1 : 0;
        else if (key == QLatin1String("LPT")) d.Lpt = std::clamp(toInt16(v), 1, 5);
        else if (key == QLatin1String("UHRENTYP")) {
            const int t = toInt16(v);
            if (IsKnownFamily(t))
                d.Uhrentyp = t;
        } else if (key == QLatin1String("DELAY")) {
            d.Delay = std::max(0, toInt16(v * 4));
            d.DelayLang = d.Delay * 50;
        } else if (key == QLatin1String("ZEILEN")) d.Zeilen = std::max(1, toInt16(v));
        else if (key == QLatin1String("MAXDELAY")) d.MaxDelay = std::max(1, toInt16(v));
        else if (key == QLatin1String("SWREGEL")) {
            d.SwRegel = std::clamp(toInt16(v), 0, kSwRegelTabelle);
            MerkeSwRegel(d);
        } else if (key == QLatin1String("SPRACHE(Uhr)")) d.SpracheUhr = std::clamp(toInt16(v), 0, 1);
        else if (key == QLatin1String("SPRACHE")) d.Sprache = toInt16(v);
        else if (key == QLatin1String("ASTROC1C2")) d.AstroC1C2 = toInt16(v) != 0 ? 1 : 0;
        else if (key == QLatin1String("BUSPROG")) d.Busprog = toInt16(v) != 0 ? -1 : 0;
        else if (key == QLatin1String("MESSKANAL")) d.MessKanal = std::clamp(toInt16(v), 0, 4);
        else if (key == QLatin1String("MESSPERIODE")) d.MessPeriode = std::clamp(toInt16(v), 0, 63);
        else if (key == QLatin1String("MESSIMPDAUER")) d.MessImpDauer = std::clamp(toInt16(v), 0, 63);
        else if (key == QLatin1String("MESSZUSTAND")) d.MessZustand = toInt16(v) != 0 ? 1 : 0;
        else if (key == QLatin1String("MESSZEITPUNKT")) d.MessZeitpunkt = toInt16(v) != 0 ? 1 : 0;
        else if (key == QLatin1String("EVU")) d.Evu = toInt16(v) != 0 ? 1 : 0;
    }
    d.Speichergroesse = FamilyImageSize(d.Uhrentyp);
    d.MaxEintrag = FamilyCapacity(d.Uhrentyp);
    d.KeineZeit = FamilyNoTime(d.Uhrentyp);
    return true;
}

bool WriteSettings(const QString& path, const DeviceSettings& d, QString* error)
{
    return WriteFileAtomically(path, SettingsFileText(d), error);
}
} // namespace zendrik
