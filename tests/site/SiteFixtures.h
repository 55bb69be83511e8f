#pragma once

#include "model/EntryBuilder.h"
#include "model/ImageChecksum.h"
#include "model/ProgramSort.h"
#include "site/Site.h"
#include "site/SiteState.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zendrik::test {

inline constexpr int kSiteYear = 2026; // the test clock's year

// A program no check speaks about: channel 1 daily ON at 7:00 and OFF at
// 19:00 under the European rule, and a permanent OFF over Christmas.
inline ProgramModel QuietProgram(int row = 4)
{
    ProgramModel m = modelForRow(row);
    m.device.SwRegel = 1;
    addEntry(m, BuildWeeklyEntry(7 * 60, 127, 1, 1, 0, 0));
    addEntry(m, BuildWeeklyEntry(19 * 60, 127, 1, 0, 0, 0));
    addEntry(m, BuildPriorityEntry(24, 12, 26, 12, 0, false, 10, 1, 0));
    SortProgram(m, 1, kProgramSlot);
    return m;
}

// A site in a temporary folder whose devices' program files are written there.
class SiteFolder : public ::testing::Test {
public: // the cases of a table spoil the site from outside
    QTemporaryDir dir;
    Site site;

    void SetUp() override
    {
        site.name = QStringLiteral("Grundschule am Park");
        site.path = dir.filePath(QStringLiteral("school.zsite"));
    }

    // Saves the program under `file` and adds a device for it on the bus,
    // written last with the checksum of that program.
    SiteDevice& addDevice(const QString& name, ProgramModel program, const QString& file, int row = 4)
    {
        QDir(dir.path()).mkpath(QFileInfo(dir.filePath(file)).path());
        EXPECT_FALSE(saveProgramAs(program, dir.filePath(file)).isEmpty());
        SiteDevice d;
        d.name = name;
        d.type = row;
        d.program = file;
        d.link = SiteLinkKind::Bus;
        d.address = QStringLiteral("1.1.%1").arg(site.devices.size() + 1);
        d.connection = QStringLiteral("sim:bus.ini");
        site.devices.push_back(d);
        SiteDevice& added = site.devices.back();
        added.last = SiteTransfer{QDateTime(QDate(2026, 12, 1), QTime(10, 0)), SiteDirection::Write,
                                  SiteTransferResult::Ok, checksumOf(added), true};
        return added;
    }

    QString checksumOf(const SiteDevice& d) const
    {
        ProgramModel m;
        return LoadSiteProgram(site, d, m) == 0 ? ImageChecksum(m) : QString();
    }
};

} // namespace zendrik::test
