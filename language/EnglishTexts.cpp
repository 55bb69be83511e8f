#include "language/EnglishTexts.h"

namespace zendrik {

// The English table in the product wording. Some texts keep the spelling
// the devices' documentation and earlier versions used ("programm
// interface", "delay to low"): users and service staff know them that way.
const std::array<const char*, kTextCount>& englishTexts()
{
    static const std::array<const char*, kTextCount> texts = {
        "english.hdy",                                                                     // HolidayFileName
        "english.ord",                                                                     // PlaceFileName
        "monday",                                                                          // Monday
        "tuesday",                                                                         // Tuesday
        "wednesday",                                                                       // Wednesday
        "thursday",                                                                        // Thursday
        "friday",                                                                          // Friday
        "saturday",                                                                        // Saturday
        "sunday",                                                                          // Sunday
        "daily",                                                                           // Daily
        "January",                                                                         // January
        "February",                                                                        // February
        "March",                                                                           // March
        "April",                                                                           // April
        "May",                                                                             // May
        "June",                                                                            // June
        "July",                                                                            // July
        "August",                                                                          // August
        "September",                                                                       // September
        "October",                                                                         // October
        "November",                                                                        // November
        "December",                                                                        // December
        "Channel 1",                                                                       // Channel1
        "Channel 2",                                                                       // Channel2
        "Channel 3",                                                                       // Channel3
        "Channel 4",                                                                       // Channel4
        "Channel 5",                                                                       // Channel5
        "Channel 6",                                                                       // Channel6
        "Channel 7",                                                                       // Channel7
        "Channel 8",                                                                       // Channel8
        "Program P1",                                                                      // ProgramP1
        "Program P2",                                                                      // ProgramP2
        "Program P3",                                                                      // ProgramP3
        "Program P4",                                                                      // ProgramP4
        "Program P5",                                                                      // ProgramP5
        "Program P6",                                                                      // ProgramP6
        "Program P7",                                                                      // ProgramP7
        "Program P8",                                                                      // ProgramP8
        "Program P9",                                                                      // ProgramP9
        "Permanent",                                                                       // Permanent
        "Ok",                                                                              // Ok
        "Cancel",                                                                          // Cancel
        "Save",                                                                            // Save
        "ON",                                                                              // On
        "OFF",                                                                             // Off
        "Print",                                                                           // Print
        "Exit",                                                                            // Exit
        "Change",                                                                          // Change
        "Save changes in ",                                                                // SaveChangesIn
        "No data available! Continue anyway?",                                             // NoDataContinue
        "Only saved data can be exported. Save now?",                                      // OnlySavedDataExport
        "unknown",                                                                         // Unknown
        "No valid file!",                                                                  // InvalidFile
        "invalid file name",                                                               // InvalidFileName
        "Access to zendrik not successful",                                                // ChipAccessFailed
        "Access to zendrik finished",                                                      // ChipAccessFinished
        "Format conflict EIB <-> conventional!",                                           // FormatConflict
        "File not found!",                                                                 // FileNotFound
        "Import file 'card.dat' not found!",                                               // ImportFileMissing
        "No file chosen!",                                                                 // NoFileChosen
        "File ",                                                                           // FileWord
        " already exists! Overwrite?",                                                     // AlreadyExistsOverwrite
        "no",                                                                              // No
        "Really delete ?",                                                                 // ReallyDelete
        "You can only delete if the last Changeovers are marked too !",                    // DeleteOnlyFromEnd
        "Switching times",                                                                 // SwitchingTimes
        "Priority times",                                                                  // PriorityTimes
        "DST table ",                                                                      // DstTable
        "Page ",                                                                           // Page
        "Begins on: ",                                                                     // BeginOn
        "Ends on: ",                                                                       // EndOn
        "Channels",                                                                        // Channels
        "Day",                                                                             // Day
        "Month",                                                                           // Month
        "Priority",                                                                        // Priority
        "Prio.",                                                                           // PrioShort
        "hrs",                                                                             // OClock
        " ",                                                                               // DaySuffix
        "1st",                                                                             // FirstDay
        ":",                                                                               // TimeSeparator
        "Enter priority times",                                                            // EnterPriorityTimesTitle
        "Change priority times",                                                           // ChangePriorityTimesTitle
        "Copy priority times",                                                             // CopyPriorityTimesTitle
        "Channel selection incomplete!",                                                   // ChannelsIncomplete
        "This program exist already !",                                                    // PriorityTimeExists
        "Priority time already exists with another switching state! Overwrite?",           // PriorityTimeOtherState
        "No more memory space!",                                                           // MemoryFull
        "none",                                                                            // NoPriority
        "Days of the week",                                                                // Weekdays
        "Minutes",                                                                         // Minutes
        "Hours",                                                                           // Hours
        "Pulse",                                                                           // Pulse
        "Enter switching times",                                                           // EnterSwitchingTimesTitle
        "Copy switching times",                                                            // CopySwitchingTimesTitle
        "Change switching times",                                                          // ChangeSwitchingTimesTitle
        " sec",                                                                            // Seconds
        "Value",                                                                           // Value
        "Decim.",                                                                          // Decimal
        "HEX",                                                                             // Hex
        "New",                                                                             // New
        "active after entry",                                                              // ActiveAfterEntry
        "Run",                                                                             // Execute
        "already entered",                                                                 // AlreadyEntered
        "This program already exists !",                                                   // SwitchingTimeExists
        "Switching time already exists with another switching state! Overwrite?",          // SwitchingTimeOtherState
        "A pulse already exists! Overwrite?",                                              // PulseExists
        "Date or days of the week not complete !",                                         // DateOrWeekdaysIncomplete
        "Forward on:",                                                                     // ForwardOn
        "Back on:",                                                                        // BackOn
        "Year",                                                                            // Year
        "at:",                                                                             // AtTime
        "Enter DST table ",                                                                // EnterDstTableTitle
        "Change DST table ",                                                               // ChangeDstTableTitle
        "Copy DST table ",                                                                 // CopyDstTableTitle
        "Time",                                                                            // TimeOfDay
        "once a year",                                                                     // OnceAYear
        "twice a year",                                                                    // TwiceAYear
        "all",                                                                             // All
        "Same date already present in no.",                                                // SameDateExistsInNo
        "Start and end date are the same",                                                 // StartEndDateSame
        "Edit Assistant",                                                                  // EditAssistant
        "Increase switching times by:",                                                    // IncreaseSwitchingTimesBy
        "Min",                                                                             // Min
        "1 minute",                                                                        // OneMinute
        "hrs",                                                                             // Hrs
        "1 hour",                                                                          // OneHour
        "1 day (date only)",                                                               // OneDayDateOnly
        "days (date only) ",                                                               // DaysDateOnly
        "Increase weekdays by 1",                                                          // IncreaseWeekdays
        "Increase month by 1",                                                             // IncreaseMonth
        "Increase prio by 1",                                                              // IncreasePrio
        "Toggle switching state",                                                          // ToggleState
        "Summer/winter time rule",                                                         // DstRule
        "Increase year by 1",                                                              // IncreaseYear
        "first ",                                                                          // NthFirst
        "second ",                                                                         // NthSecond
        "third ",                                                                          // NthThird
        "fourth ",                                                                         // NthFourth
        "last ",                                                                           // NthLast
        "Filter For Switching Program",                                                    // FilterTitle
        "Pulses",                                                                          // Pulses
        "Switching state",                                                                 // SwitchingState
        "Months",                                                                          // Months
        "from",                                                                            // From
        "of",                                                                              // FromAlt
        "to",                                                                              // To
        "all",                                                                             // Everything
        "all",                                                                             // EverythingAlt
        "ON or OFF",                                                                       // OnOrOff
        "pulses only",                                                                     // OnlyPulses
        "no pulses",                                                                       // NoPulses
        "weekly program only",                                                             // WeeklyProgramOnly
        "from",                                                                            // FilterAtLeast
        "up to",                                                                           // FilterAtMost
        "equal",                                                                           // FilterEqual
        "Hardware parameters",                                                             // DevicePropertiesTitle
        "Number of channels",                                                              // ChannelCount
        "1 ch.",                                                                           // OneChannelShort
        "2 ch.",                                                                           // TwoChannelsShort
        "3 ch.",                                                                           // ThreeChannelsShort
        "4 ch.",                                                                           // FourChannelsShort
        "8 channels",                                                                      // EightChannels
        "Memory size",                                                                     // MemorySize
        "150 switching times",                                                             // Entries150
        "324 switching times",                                                             // Entries324
        "Access to zendrik",                                                               // ChipAccess
        "via LPT ",                                                                        // ViaLpt
        "Delay factor",                                                                    // DelayFactor
        "Usage",                                                                           // Usage
        " lines",                                                                          // LinesSuffix
        "Print settings",                                                                  // PrintSettings
        "Header every ",                                                                   // HeaderEvery
        "no changeover",                                                                   // DstNone
        "like europe",                                                                     // DstEurope
        "like the UK",                                                                     // DstUk
        "like USA",                                                                        // DstUsa
        "by table",                                                                        // DstByTable
        "conventional",                                                                    // Conventional
        "EIB",                                                                             // Eib
        "Device type",                                                                     // DeviceType
        "Language of the time switch",                                                     // ClockLanguage
        "German/English",                                                                  // GermanEnglish
        "French",                                                                          // French
        "File dated: ",                                                                    // FileDated
        "File not saved ",                                                                 // FileUnsaved
        "Memory used: ",                                                                   // MemoryUsed
        "Info",                                                                            // Info
        "No programing adapter at LPT ",                                                   // NoAdapterAtLpt
        "try to increase delay !",                                                         // MaybeIncreaseDelay
        " or delay to low!",                                                               // OrDelayTooLow
        "No zendrik at the programing adapter",                                            // NoChipInAdapter
        "Error while writing address ",                                                    // ErrorSettingAddress
        "Error while writing in address ",                                                 // ErrorWritingAddress
        "Error while sending the read command ",                                           // ErrorSendingReadCommand
        "Save your existing files under a name other than ",                               // SaveUnderOtherName
        "You have entered a summer time table, but it is not activated! Activate it now?", // DstTableNotActivated
        "Choose another summer/winter time rule or enter a table!",                        // ChooseOtherDstRule
        "Switching time list ",                                                            // SwitchingList
        "Sample ",                                                                         // Sample
        "No.",                                                                             // ColNo
        "Date/Days",                                                                       // ColDateDays
        "Channels",                                                                        // ColChannels
        "Minutes",                                                                         // ColMinutes
        "Hours",                                                                           // ColHours
        "State",                                                                           // ColState
        " Mo",                                                                             // ShortMonday
        " Tu",                                                                             // ShortTuesday
        " We",                                                                             // ShortWednesday
        " Th",                                                                             // ShortThursday
        " Fr",                                                                             // ShortFriday
        " Sa",                                                                             // ShortSaturday
        " Su",                                                                             // ShortSunday
        "Priority list ",                                                                  // PriorityList
        "Perm.",                                                                           // PermShort
        " C",                                                                              // ChannelPrefix
        "No data to save",                                                                 // NoDataToSave
        "Swprg",                                                                           // FreeNamePrefix
        "&File",                                                                           // MenuFile
        "&New",                                                                            // MenuNew
        "&Open...",                                                                        // MenuOpen
        "&Save",                                                                           // MenuSave
        "Save &as...",                                                                     // MenuSaveAs
        "Open sa&mple...",                                                                 // MenuOpenSample
        "&Close sample",                                                                   // MenuCloseSample
        "&Print...",                                                                       // MenuPrint
        "Program zendrik",                                                                 // MenuWriteChip
        "&Read zendrik",                                                                   // MenuReadChip
        "&Exit",                                                                           // MenuExit
        "&Edit",                                                                           // MenuEdit
        "Enter &switching times...",                                                       // MenuEnterSwitchingTimes
        "Enter &priority times...",                                                        // MenuEnterPriorityTimes
        "Enter DST &table...",                                                             // MenuEnterDstTable
        "&Delete",                                                                         // MenuDelete
        "&Change",                                                                         // MenuChange
        "C&opy",                                                                           // MenuCopy
        "&Filter...",                                                                      // MenuFilter
        "&Window",                                                                         // MenuWindow
        "&Switching times",                                                                // MenuViewSwitchingTimes
        "&Priority times",                                                                 // MenuViewPriorityTimes
        "&DST table",                                                                      // MenuViewDstTable
        "Sa&mple switching times",                                                         // MenuViewSampleSwitchingTimes
        "Sampl&e priority times",                                                          // MenuViewSamplePriorityTimes
        "Sample DST table",                                                                // MenuViewSampleDstTable
        "&Settings",                                                                       // MenuSettings
        "Edit &assistant...",                                                              // MenuEditAssistant
        "&Hardware parameters...",                                                         // MenuDeviceProperties
        "&Help",                                                                           // MenuHelp
        "&Help for ",                                                                      // MenuHelpFor (the loader appends the title)
        "&Info",                                                                           // MenuInfo
        "redirect to",                                                                     // RedirectTo
        "filtered",                                                                        // Filtered
        "unfiltered",                                                                      // Unfiltered
        "Program number",                                                                  // ProgramNumber
        "Simulation year",                                                                 // SimulationYear
        "Redraw",                                                                          // Redraw
        "File for",                                                                        // FileFor
        "Program simulation",                                                              // ProgramSimulation
        "no valid physical Adress",                                                        // EibNoValidPhysicalAddress
        " *** time switch busy ",                                                          // EibClockNotReady
        " *** no answer from the time switch",                                             // EibNoAnswerFromClock
        " *** error in receive: ",                                                         // EibErrorInReceive
        " *** error in send: ",                                                            // EibErrorInSend
        " *** error at: ",                                                                 // EibErrorAt
        " *** timeout at: ",                                                               // EibTimeoutAt
        " *** wrong telegramm lenth ",                                                     // EibWrongTelegramLength
        " *** no valid data received",                                                     // EibNoValidData
        "no connection to the EIB ",                                                       // EibNoConnectionToBus
        "no connection to the device ",                                                    // EibNoConnectionToDevice
        "no bus access via COM ",                                                          // EibNoBusAccessViaCom
        "no mask response received",                                                       // EibNoMaskResponse
        "wrong mask version",                                                              // EibWrongMaskVersion
        "wrong device typ",                                                                // EibWrongDeviceProperties
        "no t_connect received  ",                                                         // EibNoTConnect
        "unknown error: ",                                                                 // EibUnknownError
        "install AST",                                                                     // EibLogInstallAst
        "change layer",                                                                    // EibLogChangeLayer
        "reset AST",                                                                       // EibLogResetAst
        "reset local BCU",                                                                 // EibLogResetLocalBcu
        "read address table length",                                                       // EibLogReadAddressTableLength
        "wait for address table length",                                                   // EibLogWaitAddressTableLength
        "set address table length to ",                                                    // EibLogSetAddressTableLength
        "send telegram",                                                                   // EibLogSendTelegram
        "send to local BCU",                                                               // EibLogSendToLocalBcu
        "expect confirmation",                                                             // EibLogExpectConfirmation
        "expect answer",                                                                   // EibLogExpectAnswer
        "Answer: ",                                                                        // EibLogAnswer
        "write DST ",                                                                      // EibLogWriteDst
        "write switching time ",                                                           // EibLogWriteSwitchingTime
        "read DST ",                                                                       // EibLogReadDst
        "read switching time ",                                                            // EibLogReadSwitchingTime
        "delete switching times ",                                                         // EibLogDeleteSwitchingTimes
        "checking device ",                                                                // EibLogCheckDevice
        " For details see file: 'protocol.txt'",                                           // EibSeeProtocolFile
        "answer from a wrong device",                                                      // EibAnswerFromWrongDevice
        "waiting for mask version ",                                                       // EibLogWaitMaskVersion
        "asking for mask version",                                                         // EibLogWaitMaskVersionAlt
        "ask memory content ",                                                             // EibLogQueryMemory
        "expect memory content",                                                           // EibLogExpectMemory
        "connecting device : ",                                                            // EibLogConnectTo
        "disconnect ",                                                                     // EibLogDisconnect
        "memory was not written",                                                          // EibMemoryNotWritten
        "save application ",                                                               // EibLogReadApplication
        "write application: ",                                                             // EibLogWriteApplication
        "prepare transfer",                                                                // EibLogPrepareTransfer
        "restore original state",                                                          // EibLogRestore
        "Interface for Bus Access",                                                        // BusInterface
        "Interface :",                                                                     // InterfaceLabel
        "COM 1",                                                                           // Com1
        "COM 2",                                                                           // Com2
        "Search Timer",                                                                    // SearchClock
        "Area :",                                                                          // AreaLabel
        "Line :",                                                                          // LineLabel
        "from device :",                                                                   // FromDevice
        "to device :",                                                                     // ToDevice
        "Start Search",                                                                    // StartSearch
        "Result of Search",                                                                // SearchResult
        "Exchange Time Switch Program with Timer with",                                    // ProgramInOutClockWith
        "Physical Address",                                                                // PhysicalAddress
        "Program",                                                                         // ProgramDevice
        "Reinstall",                                                                       // Restore
        "Read",                                                                            // Read
        "Status",                                                                          // Status
        "Status",                                                                          // StatusAlt
        "ready to start",                                                                  // Ready
        "Bus access",                                                                      // BusAccess
        "not successful",                                                                  // NotSuccessful
        "Bus Access to Timer",                                                             // BusAccessToClock
        " using COM ",                                                                     // ViaCom
        "serial transmission",                                                             // SerialTransferTitle
        "read zendrik",                                                                    // SerialReadingChip
        "write to zendrik: ",                                                              // SerialWritingChip
        "unknown Message",                                                                 // UnknownMessage
        "there is no zendrik in the programm interface",                                   // NoChipInInterface
        "no answer from the zendrik",                                                      // ChipNotAnswering
        "transmission error at COM ",                                                      // TransmissionErrorOnCom
        "no answer from the programm interface at COM ",                                   // NoAnswerFromAdapter
        "Astro times",                                                                     // AstroTimes
        "Enter &astronomical data... ",                                                    // MenuEnterAstro
        "Enter The Astronomical Data ",                                                    // AstroTitle
        "Longitude",                                                                       // Longitude
        "Latitude",                                                                        // Latitude
        "Time zone",                                                                       // TimeZone
        "Name of the place",                                                               // PlaceName
        "Offset for sunrise",                                                              // SunriseOffset
        "Offset for sunset",                                                               // SunsetOffset
        " North",                                                                          // North
        " South",                                                                          // South
        " East",                                                                           // East
        " West",                                                                           // West
        " degrees",                                                                        // Degrees
        "Place",                                                                           // Place
        "Add",                                                                             // Add
        "Delete",                                                                          // Delete
        "Time",                                                                            // Time
        "change to",                                                                       // ChangeTo
        "move by",                                                                         // MoveBy
        "Pulse length",                                                                    // PulseLength
        "Astro times",                                                                     // AstroTimesCaption
        "on",                                                                              // AstroOnDay
        "Switch off at:",                                                                  // SwitchOffAt
        "Switch on at:",                                                                   // SwitchOnAt
        "Astro times act on",                                                              // AstroTimesActOn
        "No astro times available! Export anyway?",                                        // NoAstroTimesExport
        "Holidays...",                                                                     // MenuHolidays
        "Easter",                                                                          // Easter
        " day(s) before Easter",                                                           // DaysBeforeEaster
        " day(s) after Easter",                                                            // DaysAfterEaster
        "Holidays",                                                                        // Holidays
        "New holiday",                                                                     // NewHoliday
        "Every year",                                                                      // EveryYear
        "on",                                                                              // OnDate
        "day(s)",                                                                          // DaysUnit
        " Does your time switch support movable holidays",                                 // SupportsMovableHolidaysQuestion
        "movable holidays are supported",                                                  // MovableHolidaysSupported
        "movable holidays are not supported",                                              // MovableHolidaysNotSupported
        "Holiday settings",                                                                // HolidaySettingsTitle
        " Name of the holiday",                                                            // HolidayName
        "Holidays",                                                                        // HolidaysList
        "Holiday sets",                                                                    // HolidaySets
        "Kind of holiday",                                                                 // HolidayKind
        "Add set",                                                                         // AddSet
        " Delete set",                                                                     // DeleteSet
        "fixed",                                                                           // HolidayFixed
        "free",                                                                            // HolidayFree
        "relative to Easter",                                                              // HolidayEasterRelative
        "before",                                                                          // Before
        "after",                                                                           // After
        "Name of the set",                                                                 // SetName
        "Years for free holidays",                                                         // YearsForFreeHolidays
        "years",                                                                           // YearsUnit
        "Meter pulse",                                                                     // MeterPulse
        "no meter pulse",                                                                  // NoMeterPulse
        "on channel 1",                                                                    // OnChannel1
        "on channel 2",                                                                    // OnChannel2
        "on channel 3",                                                                    // OnChannel3
        "on channel 4",                                                                    // OnChannel4
        "at the start of the period",                                                      // AtPeriodStart
        "at the end of the period",                                                        // AtPeriodEnd
        "Measure with relay = ON",                                                         // MeasureRelayOn
        "Measure with relay = OFF",                                                        // MeasureRelayOff
        "Measuring period =",                                                              // MeterPeriodEq
        "Pulse length =",                                                                  // PulseLengthEq
        "IR-access",                                                                       // IrAccess
        "access via",                                                                      // AccessVia
        "read switching times ",                                                           // ReadSwitchingTimes
        "programm switching times",                                                        // ProgramSwitchingTimes
        "set time and date",                                                               // SetTimeAndDate
        " Time (hh:mm:ss)",                                                                // TimeHhMmSs
        "Date (dd.mm.yy)",                                                                 // DateDdMmYy
        "transfer ended successfully",                                                     // IrTransferSucceeded
        "transfer missed! connection ok? clock in auto mode?",                             // IrTransferFailed
        "no answer of IR-transfer",                                                        // IrNoResponse
        "Channel",                                                                         // ChannelWord
        "Switching state at sunrise",                                                      // StateAtSunrise
        "Switching state at sunset",                                                       // StateAtSunset
        "in the morning not before",                                                       // NoSwitchBefore
        "in the evening not after",                                                        // NoSwitchAfter
        "Operating hours:",                                                                // OperatingHours
        "Compute yearly operating hours",                                                  // ComputeYearOperatingHours
        "Yearly operating hours:",                                                         // YearOperatingHours
        "For this time switch you need a later version of the programm interface!",        // NeedNewerAdapter
        "You need an other type of memory chip",                                           // NeedOtherChipType
    };
    return texts;
}

std::span<const MemoryChipText> englishMemoryChipTexts()
{
    static const MemoryChipText texts[] = {
        {TextId::ChipAccessFailed, "Access to memory chip not successful"},
        {TextId::ChipAccessFinished, "Access to memory chip finished"},
        {TextId::ChipAccess, "Access to memory chip"},
        {TextId::NoChipInAdapter, "No memory chip at the programing adapter"},
        {TextId::MenuWriteChip, "Program memory chip"},
        {TextId::MenuReadChip, "&Read memory chip"},
        {TextId::SerialReadingChip, "read memory chip"},
        {TextId::SerialWritingChip, "write to memory chip: "},
        {TextId::NoChipInInterface, "there is no memory chip in the Lumar interface"},
        {TextId::ChipNotAnswering, "no answer from the memory chip"},
    };
    return texts;
}

} // namespace zendrik
