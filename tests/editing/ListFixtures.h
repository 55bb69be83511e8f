#pragma once

#include "model/DeviceTypes.h"
#include "model/EntryBuilder.h"
#include "model/ProgramModel.h"
#include "model/ProgramSetup.h"

#include <QDateTime>

#include <ostream>
#include <vector>

// Readable texts in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace zendrik::fixtures {

// Device-type rows used by the list tests.
inline constexpr int kRow731FourChannels = 4;
inline constexpr int kRow731Bus = 5;
inline constexpr int kRow752 = 19;
inline constexpr int kRow738 = 20;

// A small installation program on a four-channel weekly switch.
inline Entry entryA() { return BuildWeeklyEntry(420, 0b0011111, 0b0001, 1, 0, 0); }  // Mo-Fr 07:00 C1 ON
inline Entry entryB() { return BuildWeeklyEntry(390, 0b0100000, 0b0010, 0, 0, 2); }  // Sa 06:30 C2 OFF, P2
inline Entry entryC() { return BuildDatedEntry(1080, 24, 12, 0b0001, 1, 0, true); }  // 24 Dec 18:00 C1 ON, once
inline Entry entryD() { return BuildWeeklyEntry(1335, 0b1111111, 0b1001, 0, 5, 0); } // daily 22:15 C1+C4 OFF, 5 s
inline Entry entryE() { return BuildWeeklyEntry(420, 0b0000010, 0b0100, 1, 0, 1); }  // Tu 07:00 C3 ON, P1
inline Entry entryF() { return BuildDatedEntry(5, 1, 1, 0b0010, 0, 0, false); }      // 1 Jan 00:05 C2 OFF

// Priority times of the same program.
inline Entry prioA() { return BuildPriorityEntry(1, 5, 31, 5, 0, false, 1, 0b0001, 0); } // 1-31 May yearly, P1, C1
// 24 - 26 December 2060 once, permanent OFF, C2.
inline Entry prioB() { return BuildPriorityEntry(24, 12, 26, 12, 2060 - 1936, true, 10, 0b0010, 0); }
inline Entry prioC() { return BuildPriorityEntry(1, 11, 28, 2, 0, false, 3, 0b0001, 0); } // 1 Nov-28 Feb yearly, P3, C1
inline Entry prioD() { return BuildPriorityEntry(10, 3, 12, 3, 0, true, 2, 0b0100, 0); }  // 10-12 Mar once, P2, C3
inline Entry prioE() { return BuildPriorityEntry(1, 6, 2, 6, 0, false, 10, 0b0001, 1); }  // 1-2 Jun yearly, perm. ON, C1

// A fresh program of a device-type row, its clock fixed to 10 May 2024.
inline void startProgram(ProgramModel& model, int row, const QString& fileName = QStringLiteral("ANLAGE.zpg"))
{
    StartNewProgram(model, row, QStringLiteral("unbekannt"), fileName);
    model.clock = [] { return QDateTime(QDate(2024, 5, 10), QTime(9, 30)); };
}

// Puts switching and priority times into a slot, switching times first.
inline void setEntries(ProgramModel& model, int slot, const std::vector<Entry>& switching,
                       const std::vector<Entry>& priority)
{
    ProgramSlot& s = model.slot(slot);
    int i = 0;
    for (const Entry& e : switching) s.Eintrag[static_cast<std::size_t>(i++)] = e;
    for (const Entry& e : priority) s.Eintrag[static_cast<std::size_t>(i++)] = e;
    s.AnzSz = static_cast<int>(switching.size());
    s.AnzPz = static_cast<int>(priority.size());
    s.AnzEintrag = i;
}

} // namespace zendrik::fixtures
