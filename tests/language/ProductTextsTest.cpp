// The English and French texts the product's users know word for word (odd
// spellings and the blanks the program joins by included), and the two
// wordings of the memory-chip transfer texts.
#include "tests/language/TextTables.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

const Loader kDe = &TextTable::LoadGerman;
const Loader kEn = &TextTable::LoadEnglish;
const Loader kFr = &TextTable::LoadFrench;

struct Quote {
    Loader load;
    int brand; // 0: every brand
    TextId id;
    const char* text;
};

const Quote kQuotes[] = {
    {kEn, 0, TextId::HolidayFileName, "english.hdy"},
    {kEn, 0, TextId::PlaceFileName, "english.ord"},
    {kEn, 0, TextId::SaveChangesIn, "Save changes in "},
    {kEn, 0, TextId::FileWord, "File "},
    {kEn, 0, TextId::ReallyDelete, "Really delete ?"},
    {kEn, 0, TextId::DeleteOnlyFromEnd, "You can only delete if the last Changeovers are marked too !"},
    {kEn, 0, TextId::OClock, "hrs"},
    {kEn, 0, TextId::FirstDay, "1st"},
    {kEn, 0, TextId::PriorityTimeExists, "This program exist already !"},
    {kEn, 0, TextId::SwitchingTimeExists, "This program already exists !"},
    {kEn, 0, TextId::MemoryFull, "No more memory space!"},
    {kEn, 0, TextId::FromAlt, "of"},
    {kEn, 0, TextId::DstEurope, "like europe"},
    {kEn, 0, TextId::NoAdapterAtLpt, "No programing adapter at LPT "},
    {kEn, 0, TextId::OrDelayTooLow, " or delay to low!"},
    {kEn, 0, TextId::ErrorSettingAddress, "Error while writing address "},
    {kEn, 0, TextId::ErrorWritingAddress, "Error while writing in address "},
    {kEn, 0, TextId::FreeNamePrefix, "Swprg"},
    {kEn, 0, TextId::MenuOpenSample, "Open sa&mple..."},
    {kEn, 0, TextId::MenuHelpFor, "&Help for Zendrik"},
    {kEn, 0, TextId::EibNoValidPhysicalAddress, "no valid physical Adress"},
    {kEn, 0, TextId::EibClockNotReady, " *** time switch busy "},
    {kEn, 0, TextId::EibWrongTelegramLength, " *** wrong telegramm lenth "},
    {kEn, 0, TextId::EibWrongDeviceProperties, "wrong device typ"},
    {kEn, 0, TextId::EibLogConnectTo, "connecting device : "},
    {kEn, 0, TextId::ProgramInOutClockWith, "Exchange Time Switch Program with Timer with"},
    {kEn, 0, TextId::ViaCom, " using COM "},
    {kEn, 0, TextId::AstroTitle, "Enter The Astronomical Data "},
    {kEn, 0, TextId::AccessVia, "access via"},
    {kEn, 0, TextId::ReadSwitchingTimes, "read switching times "},
    {kEn, 0, TextId::ProgramSwitchingTimes, "programm switching times"},
    {kEn, 0, TextId::IrTransferFailed, "transfer missed! connection ok? clock in auto mode?"},
    {kEn, 0, TextId::NoAnswerFromAdapter, "no answer from the programm interface at COM "},
    {kEn, 0, TextId::NeedNewerAdapter, "For this time switch you need a later version of the programm interface!"},
    {kEn, 0, TextId::NeedOtherChipType, "You need an other type of memory chip"},
    {kEn, 1, TextId::ChipAccessFinished, "Access to zendrik finished"},
    {kEn, 5, TextId::ChipAccessFinished, "Access to memory chip finished"},
    {kEn, 5, TextId::ChipAccessFailed, "Access to memory chip not successful"},
    {kEn, 5, TextId::NoChipInAdapter, "No memory chip at the programing adapter"},
    {kEn, 1, TextId::MenuReadChip, "&Read zendrik"},
    {kEn, 5, TextId::MenuReadChip, "&Read memory chip"},
    {kEn, 5, TextId::SerialWritingChip, "write to memory chip: "},
    {kEn, 1, TextId::NoChipInInterface, "there is no zendrik in the programm interface"},
    {kEn, 5, TextId::NoChipInInterface, "there is no memory chip in the Lumar interface"},
    {kEn, 5, TextId::ChipNotAnswering, "no answer from the memory chip"},
    {kFr, 0, TextId::HolidayFileName, "france.hdy"},
    {kFr, 0, TextId::PlaceFileName, "france.ord"},
    {kFr, 0, TextId::SaveChangesIn, "Enregistrer les modifications sous "},
    {kFr, 0, TextId::FirstDay, "1er "},
    {kFr, 0, TextId::Hrs, "h"},
    {kFr, 0, TextId::MenuHelpFor, "&Aide "},
    {kFr, 0, TextId::EibNoValidPhysicalAddress, "no valid physical Adress"},
    {kFr, 0, TextId::IrTransferSucceeded, "transfer ended successfully"},
    {kDe, 1, TextId::ChipAccessFailed, "Zugriff auf Zendrik nicht erfolgreich"},
    {kDe, 5, TextId::ChipAccessFailed, "Zugriff auf Speicherchip nicht erfolgreich"},
    {kDe, 1, TextId::MenuWriteChip, "Zendrik &programmieren"},
    {kDe, 5, TextId::MenuWriteChip, "Speicherchip &programmieren"},
    {kDe, 5, TextId::SerialWritingChip, "schreibe in Speicherchip :"},
    {kDe, 1, TextId::NoChipInInterface, "Keine Zendrik im Programmieradapter"},
    {kDe, 5, TextId::NoChipInInterface, "Kein Speicherchip im Lumar-Interface"},
    {kDe, 0, TextId::MenuHelpFor, "&Hilfe zu Zendrik"},
};

} // namespace

TEST(ProductTexts, QuotedTextsAreWordForWord)
{
    for (const Quote& q : kQuotes) {
        for (const int brand : q.brand == 0 ? std::vector<int>{1, 5, 12} : std::vector<int>{q.brand}) {
            EXPECT_EQ(Loaded(q.load, brand).text(q.id), QString::fromUtf8(q.text))
                << "entry " << static_cast<int>(q.id) + 1 << " brand " << brand;
        }
    }
    for (const Loader load : {kDe, kEn, kFr})
        EXPECT_EQ(Loaded(load).version(), QStringLiteral("Version  2.1 V1.5"));
}
