// Writes the sample programs shipped in data/samples: realistic programs of
// each device family, made with the program's own model and file writer (a
// test makes them again and compares them with the shipped ones).
//   zendrik-make-samples OUTDIR
#include "calendar/AstroTable.h"
#include "calendar/SoWiZeitzone.h"
#include "model/DstRowCodec.h"
#include "model/EntryBuilder.h"
#include "model/ProgramFile.h"
#include "model/ProgramSetup.h"
#include "model/UserInteraction.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

using namespace zendrik;

namespace {

constexpr int kMoFr = 0b0011111;
constexpr int kSaSu = 0b1100000;
constexpr int kDaily = 0b1111111;

int hm(int h, int m)
{
    return h * 60 + m;
}

ProgramModel start(int row, const QString& file)
{
    ProgramModel m;
    m.clock = [] { return QDateTime(QDate(2026, 12, 1), QTime(9, 0)); };
    StartNewProgram(m, row, QStringLiteral("unbekannt"), file);
    return m;
}

void add(ProgramModel& m, const Entry& e)
{
    ProgramSlot& s = m.program();
    s.Eintrag[static_cast<std::size_t>(s.AnzEintrag)] = e;
    (IsPriorityTimeByte(e.b[0]) ? s.AnzPz : s.AnzSz) += 1;
    s.AnzEintrag = s.AnzSz + s.AnzPz;
}

// Saves, then loads and saves once more: a loaded program keeps its channel
// names with a leading blank, so the shipped file is the form that opening
// and saving it again reproduces.
bool save(ProgramModel& m, QTextStream& err)
{
    auto ui = ScriptedInteraction::answering(true);
    const QString path = m.program().Dateiname;
    SaveOutcome outcome = SaveProgram(m, ui);
    if (outcome.result == 1) {
        ProgramModel again;
        again.clock = m.clock;
        StartNewProgram(again, m.device.DeviceRow, QStringLiteral("unbekannt"), path);
        if (LoadProgram(again, path, 0) == LoadOk)
            outcome = SaveProgram(again, ui);
        else
            outcome.result = 0;
    }
    if (outcome.result != 1)
        err << "cannot write " << path << ": " << outcome.error << Qt::endl;
    return outcome.result == 1;
}

// A school: corridor and classroom lighting, outdoor lights, the bell as
// pulses, holidays as priority times.
ProgramModel school(const QString& file)
{
    ProgramModel m = start(13, file);
    m.device.SwRegel = 1;
    ProgramSlot& s = m.program();
    s.Verwendung = QStringLiteral("Grundschule Am Park");
    s.Kanalname[0] = QStringLiteral("Flurlicht");
    s.Kanalname[1] = QStringLiteral("Klassenräume");
    s.Kanalname[2] = QStringLiteral("Außenbeleuchtung");
    s.Kanalname[3] = QStringLiteral("Pausenklingel");
    add(m, BuildWeeklyEntry(hm(6, 45), kMoFr, 0b0001, 1, 0, 0));
    add(m, BuildWeeklyEntry(hm(17, 30), kMoFr, 0b0001, 0, 0, 0));
    add(m, BuildWeeklyEntry(hm(7, 30), kMoFr, 0b0010, 1, 0, 0));
    add(m, BuildWeeklyEntry(hm(13, 15), kMoFr, 0b0010, 0, 0, 0));
    add(m, BuildWeeklyEntry(hm(6, 0), kDaily, 0b0100, 1, 0, 0));
    add(m, BuildWeeklyEntry(hm(8, 0), kDaily, 0b0100, 0, 0, 0));
    add(m, BuildWeeklyEntry(hm(17, 0), kDaily, 0b0100, 1, 0, 0));
    add(m, BuildWeeklyEntry(hm(22, 30), kDaily, 0b0100, 0, 0, 0));
    for (int t : {hm(8, 0), hm(8, 45), hm(9, 30), hm(9, 50), hm(10, 35), hm(11, 20), hm(11, 35), hm(12, 20),
                  hm(13, 5)})
        add(m, BuildWeeklyEntry(t, kMoFr, 0b1000, 1, 4, 0));
    // Holidays: the lights of the school days stay off (program P1 has no
    // switching times for them), the outdoor lights keep running.
    add(m, BuildWeeklyEntry(hm(7, 0), kDaily, 0b0001, 0, 0, 1));
    add(m, BuildPriorityEntry(23, 12, 6, 1, 0, false, 1, 0b1011, 0));
    add(m, BuildPriorityEntry(27, 7, 6, 9, 0, false, 1, 0b1011, 0));
    add(m, BuildPriorityEntry(1, 5, 1, 5, 0, false, 10, 0b1011, 0));
    add(m, BuildPriorityEntry(3, 10, 3, 10, 0, false, 10, 0b1011, 0));
    add(m, BuildPriorityEntry(24, 12, 24, 12, 0, false, 10, 0b0100, 1));
    add(m, BuildDatedEntry(hm(16, 0), 31, 12, 0b0100, 1, 0, false));
    return m;
}

// A shop: sign, window and heating, with a summer/winter table.
ProgramModel shop(const QString& file)
{
    ProgramModel m = start(2, file);
    ProgramSlot& s = m.program();
    s.Verwendung = QStringLiteral("Schaufenster Hauptstraße");
    s.Kanalname[0] = QStringLiteral("Schaufenster");
    s.Kanalname[1] = QStringLiteral("Werbeschild");
    add(m, BuildWeeklyEntry(hm(7, 0), kMoFr | 0b0100000, 0b01, 1, 0, 0));
    add(m, BuildWeeklyEntry(hm(20, 0), kMoFr, 0b01, 0, 0, 0));
    add(m, BuildWeeklyEntry(hm(16, 0), 0b0100000, 0b01, 0, 0, 0));
    add(m, BuildWeeklyEntry(hm(17, 0), kDaily, 0b10, 1, 0, 0));
    add(m, BuildWeeklyEntry(hm(23, 0), kDaily, 0b10, 0, 0, 0));
    add(m, BuildDatedEntry(hm(14, 0), 24, 12, 0b11, 0, 0, false));
    add(m, BuildDatedEntry(hm(14, 0), 31, 12, 0b11, 0, 0, false));
    // The table as "dst-table --zone" and the check's "fill from time zone"
    // make it: the dates of the zone, so that every row has its own year's.
    FillSoWiTabelleFuerJahr(m, QByteArrayLiteral("Europe/Berlin"), 2026);
    return m;
}

// A bus installation: sixteen channels addressed by number.
ProgramModel office(const QString& file)
{
    ProgramModel m = start(20, file);
    m.device.SwRegel = 1;
    ProgramSlot& s = m.program();
    s.Verwendung = QStringLiteral("Verwaltungsgebäude");
    s.ProgNr = 4711;
    const char* names[16] = {"EG Flur", "EG Büros", "1.OG Flur", "Außenlicht", "2.OG Flur", "2.OG Büros",
                             "Treppenhaus", "Tiefgarage", "Lüftung", "Heizung", "Jalousien Süd",
                             "Jalousien West", "1.OG Büros", "Parkplatz", "Werbung", "Reserve"};
    for (int c = 0; c < 16; ++c)
        s.Kanalname[static_cast<std::size_t>(c)] = QString::fromUtf8(names[c]);
    for (int c : {0, 1, 2, 4, 5, 12}) {
        add(m, BuildWeeklyEntry(hm(6, 30) + c * 5, kMoFr, c, 1, 0, 0));
        add(m, BuildWeeklyEntry(hm(19, 0) + c * 5, kMoFr, c, 0, 0, 0));
    }
    // Outdoor lights by the sun in Frankfurt: on at sunset, off at sunrise,
    // not after 23:00.
    AstroSettings outdoor;
    outdoor.location = AstroLocation{-8.5f, 50.0f, -60, 0, 0};
    outdoor.eveningLimit = hm(23, 0);
    StoreAstroProgram(m, outdoor, 3);
    add(m, BuildWeeklyEntry(hm(5, 30), kMoFr, 8, 1, 0, 0));
    add(m, BuildWeeklyEntry(hm(18, 30), kMoFr, 8, 0, 0, 0));
    add(m, BuildWeeklyEntry(hm(5, 0), kMoFr, 9, 1, 0, 0));
    add(m, BuildWeeklyEntry(hm(17, 0), kMoFr, 9, 0, 0, 0));
    add(m, BuildWeeklyEntry(hm(7, 0), kDaily, 10, 1, 30, 0));
    add(m, BuildWeeklyEntry(hm(20, 0), kDaily, 10, 0, 30, 0));
    add(m, BuildPriorityEntry(24, 12, 1, 1, 0, false, 10, 9, 0));
    return m;
}

// A car park on the astro device: both channels, evening and night.
ProgramModel carPark(const QString& file)
{
    ProgramModel m = start(19, file);
    m.device.SwRegel = 1;
    ProgramSlot& s = m.program();
    s.Verwendung = QStringLiteral("Parkplatz Nord");
    s.Kanalname[0] = QStringLiteral("Mastleuchten");
    s.Kanalname[1] = QStringLiteral("Schranke");
    add(m, BuildWeeklyEntry(hm(6, 0), kMoFr, 0b10, 1, 0, 0));
    add(m, BuildWeeklyEntry(hm(21, 0), kMoFr, 0b10, 0, 0, 0));
    // The mast lights follow the sun in Hamburg, twenty minutes after sunset
    // and until ten minutes before sunrise.
    AstroSettings sun;
    sun.location = AstroLocation{-10.0f, 53.5f, -60, -10, 20};
    StoreAstroProgram(m, sun, 0);
    return m;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: zendrik-make-samples OUTDIR" << Qt::endl;
        return 2;
    }
    const QDir out(args[1]);
    ProgramModel programs[] = {
        school(out.filePath(QStringLiteral("Schule.zpg"))),
        shop(out.filePath(QStringLiteral("Laden.zpg"))),
        office(out.filePath(QStringLiteral("Verwaltung.zpg"))),
        carPark(out.filePath(QStringLiteral("Parkplatz.zpg"))),
    };
    for (ProgramModel& m : programs) {
        if (!save(m, err))
            return 1;
    }
    return 0;
}
