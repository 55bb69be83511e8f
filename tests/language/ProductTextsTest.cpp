// The English and French texts that the product documentation and the
// devices' users know word for word (odd spellings included), and the two
// wordings of the memory-chip transfer texts.
#include "language/TextTable.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zendrik;

namespace {

enum class Lang { De, En, Fr };

struct Quote {
    Lang lang;
    int brand; // 0: every brand
    TextId id;
    const char* text;
};

const Quote kQuotes[] = {
    // English
    {Lang::En, 0, TextId::HolidayFileName, "english.hdy"},
    {Lang::En, 0, TextId::PlaceFileName, "english.ord"},
    {Lang::En, 0, TextId::Monday, "monday"},
    {Lang::En, 0, TextId::SaveChangesIn, "Save changes in "},
    {Lang::En, 0, TextId::Unknown, "unknown"},
    {Lang::En, 5, TextId::ChipAccessFailed, "Access to memory chip not successful"},
    {Lang::En, 5, TextId::ChipAccessFinished, "Access to memory chip finished"},
    {Lang::En, 1, TextId::ChipAccessFinished, "Access to zendrik finished"},
    {Lang::En, 0, TextId::FileWord, "File "},
    {Lang::En, 0, TextId::ReallyDelete, "Really delete ?"},
    {Lang::En, 0, TextId::DeleteOnlyFromEnd, "You can only delete if the last Changeovers are marked too !"},
    {Lang::En, 0, TextId::OClock, "hrs"},
    {Lang::En, 0, TextId::FirstDay, "1st"},
    {Lang::En, 0, TextId::PriorityTimeExists, "This program exist already !"},
    {Lang::En, 0, TextId::MemoryFull, "No more memory space!"},
    {Lang::En, 0, TextId::SwitchingTimeExists, "This program already exists !"},
    {Lang::En, 0, TextId::DateOrWeekdaysIncomplete, "Date or days of the week not complete !"},
    {Lang::En, 0, TextId::EditAssistant, "Edit Assistant"},
    {Lang::En, 0, TextId::Hrs, "hrs"},
    {Lang::En, 0, TextId::FilterTitle, "Filter For Switching Program"},
    {Lang::En, 0, TextId::FromAlt, "of"},
    {Lang::En, 0, TextId::DevicePropertiesTitle, "Hardware parameters"},
    {Lang::En, 0, TextId::DstNone, "no changeover"},
    {Lang::En, 0, TextId::DstEurope, "like europe"},
    {Lang::En, 0, TextId::DstUk, "like the UK"},
    {Lang::En, 0, TextId::DstUsa, "like USA"},
    {Lang::En, 0, TextId::NoAdapterAtLpt, "No programing adapter at LPT "},
    {Lang::En, 0, TextId::MaybeIncreaseDelay, "try to increase delay !"},
    {Lang::En, 0, TextId::OrDelayTooLow, " or delay to low!"},
    {Lang::En, 5, TextId::NoChipInAdapter, "No memory chip at the programing adapter"},
    {Lang::En, 0, TextId::ErrorSettingAddress, "Error while writing address "},
    {Lang::En, 0, TextId::ErrorWritingAddress, "Error while writing in address "},
    {Lang::En, 0, TextId::ErrorSendingReadCommand, "Error while sending the read command "},
    {Lang::En, 0, TextId::FreeNamePrefix, "Swprg"},
    {Lang::En, 0, TextId::MenuNew, "&New"},
    {Lang::En, 0, TextId::MenuOpen, "&Open..."},
    {Lang::En, 0, TextId::MenuSave, "&Save"},
    {Lang::En, 0, TextId::MenuSaveAs, "Save &as..."},
    {Lang::En, 0, TextId::MenuOpenSample, "Open sa&mple..."},
    {Lang::En, 0, TextId::MenuCloseSample, "&Close sample"},
    {Lang::En, 0, TextId::MenuPrint, "&Print..."},
    {Lang::En, 5, TextId::MenuWriteChip, "Program memory chip"},
    {Lang::En, 1, TextId::MenuWriteChip, "Program zendrik"},
    {Lang::En, 5, TextId::MenuReadChip, "&Read memory chip"},
    {Lang::En, 1, TextId::MenuReadChip, "&Read zendrik"},
    {Lang::En, 0, TextId::MenuExit, "&Exit"},
    {Lang::En, 0, TextId::MenuHelpFor, "&Help for Zendrik"},
    {Lang::En, 0, TextId::EibNoValidPhysicalAddress, "no valid physical Adress"},
    {Lang::En, 0, TextId::EibClockNotReady, " *** time switch busy "},
    {Lang::En, 0, TextId::EibNoAnswerFromClock, " *** no answer from the time switch"},
    {Lang::En, 0, TextId::EibWrongTelegramLength, " *** wrong telegramm lenth "},
    {Lang::En, 0, TextId::EibNoValidData, " *** no valid data received"},
    {Lang::En, 0, TextId::EibNoConnectionToBus, "no connection to the EIB "},
    {Lang::En, 0, TextId::EibNoBusAccessViaCom, "no bus access via COM "},
    {Lang::En, 0, TextId::EibWrongMaskVersion, "wrong mask version"},
    {Lang::En, 0, TextId::EibWrongDeviceProperties, "wrong device typ"},
    {Lang::En, 0, TextId::EibLogInstallAst, "install AST"},
    {Lang::En, 0, TextId::EibLogCheckDevice, "checking device "},
    {Lang::En, 0, TextId::EibAnswerFromWrongDevice, "answer from a wrong device"},
    {Lang::En, 0, TextId::EibLogWaitMaskVersionAlt, "asking for mask version"},
    {Lang::En, 0, TextId::EibLogConnectTo, "connecting device : "},
    {Lang::En, 0, TextId::EibMemoryNotWritten, "memory was not written"},
    {Lang::En, 0, TextId::EibLogReadApplication, "save application "},
    {Lang::En, 0, TextId::BusInterface, "Interface for Bus Access"},
    {Lang::En, 0, TextId::SearchClock, "Search Timer"},
    {Lang::En, 0, TextId::AreaLabel, "Area :"},
    {Lang::En, 0, TextId::LineLabel, "Line :"},
    {Lang::En, 0, TextId::FromDevice, "from device :"},
    {Lang::En, 0, TextId::ToDevice, "to device :"},
    {Lang::En, 0, TextId::StartSearch, "Start Search"},
    {Lang::En, 0, TextId::SearchResult, "Result of Search"},
    {Lang::En, 0, TextId::ProgramInOutClockWith, "Exchange Time Switch Program with Timer with"},
    {Lang::En, 0, TextId::PhysicalAddress, "Physical Address"},
    {Lang::En, 0, TextId::ProgramDevice, "Program"},
    {Lang::En, 0, TextId::Restore, "Reinstall"},
    {Lang::En, 0, TextId::Read, "Read"},
    {Lang::En, 0, TextId::Ready, "ready to start"},
    {Lang::En, 0, TextId::NotSuccessful, "not successful"},
    {Lang::En, 0, TextId::BusAccessToClock, "Bus Access to Timer"},
    {Lang::En, 0, TextId::ViaCom, " using COM "},
    {Lang::En, 0, TextId::SerialTransferTitle, "serial transmission"},
    {Lang::En, 5, TextId::SerialWritingChip, "write to memory chip: "},
    {Lang::En, 0, TextId::UnknownMessage, "unknown Message"},
    {Lang::En, 5, TextId::NoChipInInterface, "there is no memory chip in the Lumar interface"},
    {Lang::En, 1, TextId::NoChipInInterface, "there is no zendrik in the programm interface"},
    {Lang::En, 5, TextId::ChipNotAnswering, "no answer from the memory chip"},
    {Lang::En, 0, TextId::TransmissionErrorOnCom, "transmission error at COM "},
    {Lang::En, 0, TextId::NoAnswerFromAdapter, "no answer from the programm interface at COM "},
    {Lang::En, 0, TextId::AstroTitle, "Enter The Astronomical Data "},
    {Lang::En, 0, TextId::IrAccess, "IR-access"},
    {Lang::En, 0, TextId::AccessVia, "access via"},
    {Lang::En, 0, TextId::ReadSwitchingTimes, "read switching times "},
    {Lang::En, 0, TextId::ProgramSwitchingTimes, "programm switching times"},
    {Lang::En, 0, TextId::SetTimeAndDate, "set time and date"},
    {Lang::En, 0, TextId::IrTransferSucceeded, "transfer ended successfully"},
    {Lang::En, 0, TextId::IrTransferFailed, "transfer missed! connection ok? clock in auto mode?"},
    {Lang::En, 0, TextId::IrNoResponse, "no answer of IR-transfer"},
    {Lang::En, 0, TextId::NeedNewerAdapter,
     "For this time switch you need a later version of the programm interface!"},
    {Lang::En, 0, TextId::NeedOtherChipType, "You need an other type of memory chip"},
    // French
    {Lang::Fr, 0, TextId::HolidayFileName, "france.hdy"},
    {Lang::Fr, 0, TextId::PlaceFileName, "france.ord"},
    {Lang::Fr, 0, TextId::Monday, "lundi"},
    {Lang::Fr, 0, TextId::SaveChangesIn, "Enregistrer les modifications sous "},
    {Lang::Fr, 0, TextId::FileWord, "Fichier "},
    {Lang::Fr, 0, TextId::FirstDay, "1er "},
    {Lang::Fr, 0, TextId::Hrs, "h"},
    {Lang::Fr, 0, TextId::FreeNamePrefix, "tbcom"},
    {Lang::Fr, 0, TextId::MenuHelpFor, "&Aide "},
    {Lang::Fr, 0, TextId::EibNoValidPhysicalAddress, "no valid physical Adress"},
    {Lang::Fr, 0, TextId::EibLogInstallAst, "install AST"},
    {Lang::Fr, 0, TextId::IrTransferSucceeded, "transfer ended successfully"},
    // German: the two wordings of the transfer texts
    {Lang::De, 5, TextId::ChipAccessFailed, "Zugriff auf Speicherchip nicht erfolgreich"},
    {Lang::De, 1, TextId::ChipAccessFailed, "Zugriff auf Zendrik nicht erfolgreich"},
    {Lang::De, 5, TextId::ChipAccessFinished, "Zugriff auf Speicherchip beendet"},
    {Lang::De, 1, TextId::ChipAccessFinished, "Zugriff auf Zendrik beendet"},
    {Lang::De, 5, TextId::NoChipInAdapter, "Kein Speicherchip im Programmieradapter"},
    {Lang::De, 1, TextId::NoChipInAdapter, "Kein Zendrik im Programmieradapter"},
    {Lang::De, 5, TextId::MenuWriteChip, "Speicherchip &programmieren"},
    {Lang::De, 1, TextId::MenuWriteChip, "Zendrik &programmieren"},
    {Lang::De, 5, TextId::MenuReadChip, "Speicherchip &lesen"},
    {Lang::De, 1, TextId::MenuReadChip, "Zendrik &lesen"},
    {Lang::De, 5, TextId::SerialReadingChip, "lese Speicherchip"},
    {Lang::De, 5, TextId::SerialWritingChip, "schreibe in Speicherchip :"},
    {Lang::De, 5, TextId::NoChipInInterface, "Kein Speicherchip im Lumar-Interface"},
    {Lang::De, 1, TextId::NoChipInInterface, "Keine Zendrik im Programmieradapter"},
    {Lang::De, 5, TextId::ChipNotAnswering, "Speicherchip antwortet nicht"},
    {Lang::De, 1, TextId::ChipNotAnswering, "Zendrik antwortet nicht"},
    {Lang::De, 0, TextId::MenuHelpFor, "&Hilfe zu Zendrik"},
};

TextTable tableFor(Lang lang, int brand)
{
    TextTable t;
    if (lang == Lang::De)
        t.LoadGerman(brand);
    else if (lang == Lang::En)
        t.LoadEnglish(brand);
    else
        t.LoadFrench(brand);
    return t;
}

} // namespace

TEST(ProductTexts, QuotedTextsAreWordForWord)
{
    for (const Quote& q : kQuotes) {
        const std::vector<int> brands = q.brand == 0 ? std::vector<int>{1, 5, 12} : std::vector<int>{q.brand};
        for (int brand : brands) {
            const TextTable t = tableFor(q.lang, brand);
            EXPECT_EQ(t.text(q.id), QString::fromUtf8(q.text))
                << "entry " << static_cast<int>(q.id) + 1 << " language " << static_cast<int>(q.lang) << " brand "
                << brand;
        }
    }
}

TEST(ProductTexts, VersionTextInEveryLanguage)
{
    for (Lang lang : {Lang::De, Lang::En, Lang::Fr})
        EXPECT_EQ(tableFor(lang, 1).version(), QStringLiteral("Version  2.1 V1.5"));
}
