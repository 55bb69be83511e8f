#include "language/GermanTexts.h"

namespace zendrik {

// The German table in the maker's product wording (the memory-chip wording
// of brand 5 follows below and replaces the entries it names).
const std::array<const char*, kTextCount>& germanTexts()
{
    static const std::array<const char*, kTextCount> texts = {
        "deutsch.hdy",                                                                                        // HolidayFileName
        "deutsch.ord",                                                                                        // PlaceFileName
        "Montag",                                                                                             // Monday
        "Dienstag",                                                                                           // Tuesday
        "Mittwoch",                                                                                           // Wednesday
        "Donnerstag",                                                                                         // Thursday
        "Freitag",                                                                                            // Friday
        "Samstag",                                                                                            // Saturday
        "Sonntag",                                                                                            // Sunday
        "täglich",                                                                                            // Daily
        "Januar",                                                                                             // January
        "Februar",                                                                                            // February
        "März",                                                                                               // March
        "April",                                                                                              // April
        "Mai",                                                                                                // May
        "Juni",                                                                                               // June
        "Juli",                                                                                               // July
        "August",                                                                                             // August
        "September",                                                                                          // September
        "Oktober",                                                                                            // October
        "November",                                                                                           // November
        "Dezember",                                                                                           // December
        "Kanal 1",                                                                                            // Channel1
        "Kanal 2",                                                                                            // Channel2
        "Kanal 3",                                                                                            // Channel3
        "Kanal 4",                                                                                            // Channel4
        "Kanal 5",                                                                                            // Channel5
        "Kanal 6",                                                                                            // Channel6
        "Kanal 7",                                                                                            // Channel7
        "Kanal 8",                                                                                            // Channel8
        "Programm P1",                                                                                        // ProgramP1
        "Programm P2",                                                                                        // ProgramP2
        "Programm P3",                                                                                        // ProgramP3
        "Programm P4",                                                                                        // ProgramP4
        "Programm P5",                                                                                        // ProgramP5
        "Programm P6",                                                                                        // ProgramP6
        "Programm P7",                                                                                        // ProgramP7
        "Programm P8",                                                                                        // ProgramP8
        "Programm P9",                                                                                        // ProgramP9
        "Permanent",                                                                                          // Permanent
        "Ok",                                                                                                 // Ok
        "Abbrechen",                                                                                          // Cancel
        "Speichern",                                                                                          // Save
        "EIN",                                                                                                // On
        "AUS",                                                                                                // Off
        "Drucken",                                                                                            // Print
        "Beenden",                                                                                            // Exit
        "Ändern",                                                                                             // Change
        "Änderungen speichern in ",                                                                           // SaveChangesIn
        "Keine Daten vorhanden ! Trotzdem fortfahren ?",                                                      // NoDataContinue
        "Nur gespeicherte Daten können exportiert werden. Jetzt speichern ?",                                 // OnlySavedDataExport
        "unbekannt",                                                                                          // Unknown
        "Keine gültige Datei !",                                                                              // InvalidFile
        "kein gültiger Filename",                                                                             // InvalidFileName
        "Zugriff auf Zendrik nicht erfolgreich",                                                              // ChipAccessFailed
        "Zugriff auf Zendrik beendet",                                                                        // ChipAccessFinished
        "Formatkonflikt EIB <-> konventionell!",                                                              // FormatConflict
        "Datei nicht vorhanden !",                                                                            // FileNotFound
        "Importdatei 'card.dat' nicht vorhanden !",                                                           // ImportFileMissing
        "Keine Datei gewählt !",                                                                              // NoFileChosen
        "Datei ",                                                                                             // FileWord
        " besteht bereits! Überschreiben ?",                                                                  // AlreadyExistsOverwrite
        "nein",                                                                                               // No
        "Daten wirklich löschen ?",                                                                           // ReallyDelete
        "Löschen nur unter Einbeziehung der hinteren Einträge möglich",                                       // DeleteOnlyFromEnd
        "Schaltzeiten",                                                                                       // SwitchingTimes
        "Prioritätszeiten",                                                                                   // PriorityTimes
        "SoWi-Tabelle ",                                                                                      // DstTable
        "Seite ",                                                                                             // Page
        "Beginn am: ",                                                                                        // BeginOn
        "Ende am: ",                                                                                          // EndOn
        "Kanäle",                                                                                             // Channels
        "Tag",                                                                                                // Day
        "Monat",                                                                                              // Month
        "Priorität",                                                                                          // Priority
        "Prio.",                                                                                              // PrioShort
        "Uhr",                                                                                                // OClock
        ". ",                                                                                                 // DaySuffix
        "1. ",                                                                                                // FirstDay
        ":",                                                                                                  // TimeSeparator
        "Eingabe von Prioritätszeiten",                                                                       // EnterPriorityTimesTitle
        "Ändern von Prioritätszeiten",                                                                        // ChangePriorityTimesTitle
        "Kopieren von Prioritätszeiten",                                                                      // CopyPriorityTimesTitle
        "Kanalwahl unvollständig !",                                                                          // ChannelsIncomplete
        "Prioritätszeit bereits vorhanden !",                                                                 // PriorityTimeExists
        "Prioritätszeit existiert bereits mit anderem Schaltzustand ! Überschreiben ?",                       // PriorityTimeOtherState
        "Kein weiterer Speicher mehr frei !",                                                                 // MemoryFull
        "keine",                                                                                              // NoPriority
        "Wochentage",                                                                                         // Weekdays
        "Minuten",                                                                                            // Minutes
        "Stunden",                                                                                            // Hours
        "Impuls",                                                                                             // Pulse
        "Eingabe von Schaltzeiten",                                                                           // EnterSwitchingTimesTitle
        "Kopieren von Schaltzeiten",                                                                          // CopySwitchingTimesTitle
        "Ändern von Schaltzeiten",                                                                            // ChangeSwitchingTimesTitle
        " sec",                                                                                               // Seconds
        "Wert",                                                                                               // Value
        "Dezim.",                                                                                             // Decimal
        "HEX",                                                                                                // Hex
        "Neu",                                                                                                // New
        "aktiv nach Eingabe",                                                                                 // ActiveAfterEntry
        "Ausführen",                                                                                          // Execute
        "bereits eingegeben",                                                                                 // AlreadyEntered
        "Schaltzeit bereits vorhanden !",                                                                     // SwitchingTimeExists
        "Schaltzeit existiert bereits mit anderem Schaltzustand! Überschreiben?",                             // SwitchingTimeOtherState
        "Ein Impuls existiert bereits ! Überschreiben ?",                                                     // PulseExists
        "Datum oder Wochentage unvollständig !",                                                              // DateOrWeekdaysIncomplete
        "Vorstellen am:",                                                                                     // ForwardOn
        "Zurückstellen am:",                                                                                  // BackOn
        "Jahr",                                                                                               // Year
        "um:",                                                                                                // AtTime
        "Eingabe der SoWi-Tabelle ",                                                                          // EnterDstTableTitle
        "Ändern der SoWi-Tabelle ",                                                                           // ChangeDstTableTitle
        "Kopieren der SoWi-Tabelle ",                                                                         // CopyDstTableTitle
        "Uhrzeit",                                                                                            // TimeOfDay
        "1x im Jahr",                                                                                         // OnceAYear
        "2x im Jahr",                                                                                         // TwiceAYear
        "alle",                                                                                               // All
        "Gleiches Datum bereits vorhanden in Nr.",                                                            // SameDateExistsInNo
        "Anfangs- und Enddatum gleich",                                                                       // StartEndDateSame
        "Eingabeautomatik",                                                                                   // EditAssistant
        "Schaltzeiten erhöhen um:",                                                                           // IncreaseSwitchingTimesBy
        "Min",                                                                                                // Min
        "1 Minute",                                                                                           // OneMinute
        "Std",                                                                                                // Hrs
        "1 Stunde",                                                                                           // OneHour
        "1 Tag (nur Datum)",                                                                                  // OneDayDateOnly
        "Tage (nur Datum) ",                                                                                  // DaysDateOnly
        "Wochentage um 1 erhöhen",                                                                            // IncreaseWeekdays
        "Monat um 1 erhöhen",                                                                                 // IncreaseMonth
        "Prio um 1 erhöhen",                                                                                  // IncreasePrio
        "Schaltzustand umschalten",                                                                           // ToggleState
        "Sommerzeit-/Winterzeit-Regel",                                                                       // DstRule
        "Jahr um 1 erhöhen",                                                                                  // IncreaseYear
        "ersten ",                                                                                            // NthFirst
        "zweiten ",                                                                                           // NthSecond
        "dritten ",                                                                                           // NthThird
        "vierten ",                                                                                           // NthFourth
        "letzten ",                                                                                           // NthLast
        "Filter für Schaltzeiten",                                                                            // FilterTitle
        "Impulse",                                                                                            // Pulses
        "Schaltzustand",                                                                                      // SwitchingState
        "Monate",                                                                                             // Months
        "von",                                                                                                // From
        "von",                                                                                                // FromAlt
        "bis",                                                                                                // To
        "alles",                                                                                              // Everything
        "alles",                                                                                              // EverythingAlt
        "EIN oder AUS",                                                                                       // OnOrOff
        "nur Impulse",                                                                                        // OnlyPulses
        "keine Impulse",                                                                                      // NoPulses
        "nur Wochenprogramm",                                                                                 // WeeklyProgramOnly
        "ab",                                                                                                 // FilterAtLeast
        "bis",                                                                                                // FilterAtMost
        "gleich",                                                                                             // FilterEqual
        "Geräteeigenschaften",                                                                                // DevicePropertiesTitle
        "Kanalzahl",                                                                                          // ChannelCount
        "1 Kan.",                                                                                             // OneChannelShort
        "2 Kan.",                                                                                             // TwoChannelsShort
        "3 Kan.",                                                                                             // ThreeChannelsShort
        "4 Kan.",                                                                                             // FourChannelsShort
        "8 Kanäle",                                                                                           // EightChannels
        "Speichergröße",                                                                                      // MemorySize
        "150 Schaltzeiten",                                                                                   // Entries150
        "324 Schaltzeiten",                                                                                   // Entries324
        "Zugriff auf Zendrik",                                                                                // ChipAccess
        "über LPT ",                                                                                          // ViaLpt
        "Verzögerungsfaktor",                                                                                 // DelayFactor
        "Verwendung",                                                                                         // Usage
        " Zeilen",                                                                                            // LinesSuffix
        "Druckeinstellungen",                                                                                 // PrintSettings
        "Kopfzeile alle ",                                                                                    // HeaderEvery
        "keine Umschaltung",                                                                                  // DstNone
        "wie Europa",                                                                                         // DstEurope
        "wie Großbritannien",                                                                                 // DstUk
        "wie USA",                                                                                            // DstUsa
        "laut Tabelle",                                                                                       // DstByTable
        "konventionell",                                                                                      // Conventional
        "EIB",                                                                                                // Eib
        "Gerätetyp",                                                                                          // DeviceType
        "Sprache der Uhr",                                                                                    // ClockLanguage
        "deutsch/englisch",                                                                                   // GermanEnglish
        "französisch",                                                                                        // French
        "Datei vom : ",                                                                                       // FileDated
        "Datei ungespeichert ",                                                                               // FileUnsaved
        "belegter Speicher: ",                                                                                // MemoryUsed
        "Info",                                                                                               // Info
        "Kein Programmieradapter an LPT ",                                                                    // NoAdapterAtLpt
        "evtl. Verzögerungsfaktor erhöhen !",                                                                 // MaybeIncreaseDelay
        " oder Verzögerungsfaktor zu niedrig !",                                                              // OrDelayTooLow
        "Kein Zendrik im Programmieradapter",                                                                 // NoChipInAdapter
        "Fehler beim Setzen der Adresse ",                                                                    // ErrorSettingAddress
        "Fehler beim Schreiben in Adresse ",                                                                  // ErrorWritingAddress
        "Fehler beim Senden des Lesebefehls ",                                                                // ErrorSendingReadCommand
        "Speichern Sie Ihre bereits vorhandenen Dateien unter einem anderen Namen als ",                      // SaveUnderOtherName
        "Sie haben eine Sommerzeittabelle eingegeben. Diese ist jedoch nicht aktiviert ! Jetzt aktivieren ?", // DstTableNotActivated
        "Wählen sie eine andere Sommerzeit-/Winterzeitregel oder geben Sie eine Tabelle ein !",               // ChooseOtherDstRule
        "Schaltzeitliste ",                                                                                   // SwitchingList
        "Vorlage ",                                                                                           // Sample
        "Nr.",                                                                                                // ColNo
        "Datum/Tage",                                                                                         // ColDateDays
        "Kanäle",                                                                                             // ColChannels
        "Minuten",                                                                                            // ColMinutes
        "Stunden",                                                                                            // ColHours
        "Zust.",                                                                                              // ColState
        " Mo",                                                                                                // ShortMonday
        " Di",                                                                                                // ShortTuesday
        " Mi",                                                                                                // ShortWednesday
        " Do",                                                                                                // ShortThursday
        " Fr",                                                                                                // ShortFriday
        " Sa",                                                                                                // ShortSaturday
        " So",                                                                                                // ShortSunday
        "Prioritätsliste ",                                                                                   // PriorityList
        "Perm.",                                                                                              // PermShort
        " C",                                                                                                 // ChannelPrefix
        "Keine Daten zu speichern",                                                                           // NoDataToSave
        "SzTab",                                                                                              // FreeNamePrefix
        "&Datei",                                                                                             // MenuFile
        "&Neu",                                                                                               // MenuNew
        "Ö&ffnen...",                                                                                         // MenuOpen
        "&Speichern",                                                                                         // MenuSave
        "Speichern &unter...",                                                                                // MenuSaveAs
        "&Vorlage öffnen...",                                                                                 // MenuOpenSample
        "Vorlag&e schließen",                                                                                 // MenuCloseSample
        "&Drucken...",                                                                                        // MenuPrint
        "Zendrik &programmieren",                                                                             // MenuWriteChip
        "Zendrik &lesen",                                                                                     // MenuReadChip
        "&Beenden",                                                                                           // MenuExit
        "&Bearbeiten",                                                                                        // MenuEdit
        "&Schaltzeiten eingeben...",                                                                          // MenuEnterSwitchingTimes
        "&Prioritätszeiten eingeben...",                                                                      // MenuEnterPriorityTimes
        "So&Wi-Tabelle eingeben...",                                                                          // MenuEnterDstTable
        "&Löschen",                                                                                           // MenuDelete
        "&Ändern",                                                                                            // MenuChange
        "&Kopieren",                                                                                          // MenuCopy
        "&Filtern...",                                                                                        // MenuFilter
        "&Fenster",                                                                                           // MenuWindow
        "&Schaltzeiten",                                                                                      // MenuViewSwitchingTimes
        "&Prioritätszeiten",                                                                                  // MenuViewPriorityTimes
        "So&Wi-Tabelle",                                                                                      // MenuViewDstTable
        "&Vorlage Schaltzeiten",                                                                              // MenuViewSampleSwitchingTimes
        "V&orlage Prioritätszeiten",                                                                          // MenuViewSamplePriorityTimes
        "Vorlage SoWi-Tabelle",                                                                               // MenuViewSampleDstTable
        "&Einstellungen",                                                                                     // MenuSettings
        "Eingabe&automatik...",                                                                               // MenuEditAssistant
        "&Geräteeigenschaften...",                                                                            // MenuDeviceProperties
        "&Hilfe",                                                                                             // MenuHelp
        "&Hilfe zu ",                                                                                         // MenuHelpFor (the loader appends the title)
        "&Info",                                                                                              // MenuInfo
        "umleiten in",                                                                                        // RedirectTo
        "gefiltert",                                                                                          // Filtered
        "ungefiltert",                                                                                        // Unfiltered
        "Programmnummer",                                                                                     // ProgramNumber
        "Simulationsjahr",                                                                                    // SimulationYear
        "Neu zeichnen",                                                                                       // Redraw
        "Datei für",                                                                                          // FileFor
        "Programmsimulation",                                                                                 // ProgramSimulation
        "no valid physical Adress",                                                                           // EibNoValidPhysicalAddress
        " *** Uhr nicht bereit ",                                                                             // EibClockNotReady
        " *** keine Antwort von Uhr",                                                                         // EibNoAnswerFromClock
        " *** Fehler in receive: ",                                                                           // EibErrorInReceive
        " *** Fehler in send: ",                                                                              // EibErrorInSend
        " *** Fehler bei: ",                                                                                  // EibErrorAt
        " *** Timeout bei: ",                                                                                 // EibTimeoutAt
        " *** Falsche Telegrammlänge ",                                                                       // EibWrongTelegramLength
        " *** Keine gültigen Daten erhalten",                                                                 // EibNoValidData
        "keine Verbindung zum EIB ",                                                                          // EibNoConnectionToBus
        "keine Verbindung zum Teilnehmer ",                                                                   // EibNoConnectionToDevice
        "kein Buszugriff möglich über COM ",                                                                  // EibNoBusAccessViaCom
        "no mask response received",                                                                          // EibNoMaskResponse
        "Falsche Maskenversion",                                                                              // EibWrongMaskVersion
        "Falsche Geräteeigenschaften",                                                                        // EibWrongDeviceProperties
        "kein t_connect erhalten  ",                                                                          // EibNoTConnect
        "unbekanter Fehler: ",                                                                                // EibUnknownError
        "installiere AST",                                                                                    // EibLogInstallAst
        "wechsle Layer",                                                                                      // EibLogChangeLayer
        "reset AST",                                                                                          // EibLogResetAst
        "reset local BCU",                                                                                    // EibLogResetLocalBcu
        "lese Adresstable-Länge",                                                                             // EibLogReadAddressTableLength
        "warte auf Adresstable-Länge",                                                                        // EibLogWaitAddressTableLength
        "setze Adresstable-Länge auf ",                                                                       // EibLogSetAddressTableLength
        "sende Telegramm",                                                                                    // EibLogSendTelegram
        "sende an locale BCU",                                                                                // EibLogSendToLocalBcu
        "erwarte Bestätigung",                                                                                // EibLogExpectConfirmation
        "erwarte Antwort",                                                                                    // EibLogExpectAnswer
        "Antwort: ",                                                                                          // EibLogAnswer
        "schreibe SoWi ",                                                                                     // EibLogWriteDst
        "schreibe Schaltzeit ",                                                                               // EibLogWriteSwitchingTime
        "lese SoWi ",                                                                                         // EibLogReadDst
        "lese Schaltzeit ",                                                                                   // EibLogReadSwitchingTime
        "lösche Schaltzeiten ",                                                                               // EibLogDeleteSwitchingTimes
        "Prüfe Teilnehmer ",                                                                                  // EibLogCheckDevice
        " For details see file: 'protocol.txt'",                                                              // EibSeeProtocolFile
        "Antwort von falschem Tln",                                                                           // EibAnswerFromWrongDevice
        "warte auf Maskenversion ",                                                                           // EibLogWaitMaskVersion
        "warte auf Maskenversion",                                                                            // EibLogWaitMaskVersionAlt
        "frage Speicherinhalt ",                                                                              // EibLogQueryMemory
        "erwarte Speicherinhalt",                                                                             // EibLogExpectMemory
        "Baue Verbindung auf zu: ",                                                                           // EibLogConnectTo
        "Breche Verbindung ab ",                                                                              // EibLogDisconnect
        "Speicher wurde nicht beschrieben",                                                                   // EibMemoryNotWritten
        "Lese Applikation ",                                                                                  // EibLogReadApplication
        "Schreibe Applikation: ",                                                                             // EibLogWriteApplication
        "bereite Übertragung vor",                                                                            // EibLogPrepareTransfer
        "stelle Urzustand her",                                                                               // EibLogRestore
        "Schnittstelle für Buszugriff",                                                                       // BusInterface
        "Schnittstelle :",                                                                                    // InterfaceLabel
        "COM 1",                                                                                              // Com1
        "COM 2",                                                                                              // Com2
        "Schaltuhr suchen",                                                                                   // SearchClock
        "Bereich :",                                                                                          // AreaLabel
        "Linie :",                                                                                            // LineLabel
        "von Teilnehmer :",                                                                                   // FromDevice
        "bis Teilnehmer :",                                                                                   // ToDevice
        "Suche starten",                                                                                      // StartSearch
        "Suchergebnis",                                                                                       // SearchResult
        "Zeitschaltprogramm in/von Schaltuhr mit",                                                            // ProgramInOutClockWith
        "Physikalische Adresse",                                                                              // PhysicalAddress
        "Programmieren",                                                                                      // ProgramDevice
        "Wiederherstellen",                                                                                   // Restore
        "Lesen",                                                                                              // Read
        "Status",                                                                                             // Status
        "Status",                                                                                             // StatusAlt
        "bereit",                                                                                             // Ready
        "Buszugriff",                                                                                         // BusAccess
        "nicht erfolgreich",                                                                                  // NotSuccessful
        "Buszugriff auf Schaltuhr",                                                                           // BusAccessToClock
        " über COM ",                                                                                         // ViaCom
        "Serielle Übertragung",                                                                               // SerialTransferTitle
        "lese Zendrik",                                                                                       // SerialReadingChip
        "schreibe in Zendrik :",                                                                              // SerialWritingChip
        "unbekannte Meldung",                                                                                 // UnknownMessage
        "Keine Zendrik im Programmieradapter",                                                                // NoChipInInterface
        "Zendrik antwortet nicht",                                                                            // ChipNotAnswering
        "Übertragungsfehler auf COM ",                                                                        // TransmissionErrorOnCom
        "Keine Antwort von Programmieradapter an COM ",                                                       // NoAnswerFromAdapter
        "Astrozeiten",                                                                                        // AstroTimes
        "&Astronomische Daten eingeben... ",                                                                  // MenuEnterAstro
        "Eingabe der astronomischen Daten",                                                                   // AstroTitle
        "Längengrad",                                                                                         // Longitude
        "Breitengrad",                                                                                        // Latitude
        "Zeitzone",                                                                                           // TimeZone
        "Name des Ortes",                                                                                     // PlaceName
        "Offset für Sonnenaufgang",                                                                           // SunriseOffset
        "Offset für Sonnenuntergang",                                                                         // SunsetOffset
        " Nord",                                                                                              // North
        " Süd",                                                                                               // South
        " Ost",                                                                                               // East
        " West",                                                                                              // West
        " Grad",                                                                                              // Degrees
        "Ort",                                                                                                // Place
        "Hinzufügen",                                                                                         // Add
        "Löschen",                                                                                            // Delete
        "Zeit",                                                                                               // Time
        "ändern in",                                                                                          // ChangeTo
        "verschieben um",                                                                                     // MoveBy
        "Impulslänge",                                                                                        // PulseLength
        "Astrozeiten",                                                                                        // AstroTimesCaption
        "am",                                                                                                 // AstroOnDay
        "Ausschalten um:",                                                                                    // SwitchOffAt
        "Einschalten um:",                                                                                    // SwitchOnAt
        "Astrozeitzen wirken auf",                                                                            // AstroTimesActOn
        "Keine Astrozeiten vorhanden ! Trotzdem exportieren ?",                                               // NoAstroTimesExport
        "Feiertage...",                                                                                       // MenuHolidays
        "Ostern",                                                                                             // Easter
        " Tag(e) vor Ostern",                                                                                 // DaysBeforeEaster
        " Tag(e) nach Ostern",                                                                                // DaysAfterEaster
        "Feiertage",                                                                                          // Holidays
        "Neuer Feiertag",                                                                                     // NewHoliday
        "Jedes Jahr",                                                                                         // EveryYear
        "am",                                                                                                 // OnDate
        "Tag(e)",                                                                                             // DaysUnit
        " Unterstützt Ihre Schaltuhr bewegliche Feiertage",                                                   // SupportsMovableHolidaysQuestion
        "bewegliche Feiertage werden unterstützt",                                                            // MovableHolidaysSupported
        "bewegliche Feiertage werden nicht unterstützt",                                                      // MovableHolidaysNotSupported
        "Feiertagseinstellungen",                                                                             // HolidaySettingsTitle
        " Name des Feiertags",                                                                                // HolidayName
        "Feiertage",                                                                                          // HolidaysList
        "Feiertagssets",                                                                                      // HolidaySets
        "Art des Feiertags",                                                                                  // HolidayKind
        "Set hinzufügen",                                                                                     // AddSet
        " Set löschen",                                                                                       // DeleteSet
        "fest",                                                                                               // HolidayFixed
        "frei",                                                                                               // HolidayFree
        "Bezug auf Ostern",                                                                                   // HolidayEasterRelative
        "vor",                                                                                                // Before
        "nach",                                                                                               // After
        "Name des Sets",                                                                                      // SetName
        "Jahre für freie Feiertage",                                                                          // YearsForFreeHolidays
        "Jahre",                                                                                              // YearsUnit
        "Messimpuls",                                                                                         // MeterPulse
        "kein Messimpuls",                                                                                    // NoMeterPulse
        "auf Kanal 1",                                                                                        // OnChannel1
        "auf Kanal 2",                                                                                        // OnChannel2
        "auf Kanal 3",                                                                                        // OnChannel3
        "auf Kanal 4",                                                                                        // OnChannel4
        "zu Beginn der Periode",                                                                              // AtPeriodStart
        "am Ende der Periode",                                                                                // AtPeriodEnd
        "Messen mit Relais = EIN",                                                                            // MeasureRelayOn
        "Messen mit Relais = AUS",                                                                            // MeasureRelayOff
        "Messperiode =",                                                                                      // MeterPeriodEq
        "Impulslänge =",                                                                                      // PulseLengthEq
        "IR-Zugriff",                                                                                         // IrAccess
        " Zugriff über",                                                                                      // AccessVia
        "Schaltzeiten lesen",                                                                                 // ReadSwitchingTimes
        "Schaltzeiten programmieren",                                                                         // ProgramSwitchingTimes
        "Uhrzeit und Datum stellen",                                                                          // SetTimeAndDate
        " Uhrzeit (hh:mm:ss)",                                                                                // TimeHhMmSs
        "Datum (tt.mm.jj)",                                                                                   // DateDdMmYy
        "Übertragung erfolgreich beendet",                                                                    // IrTransferSucceeded
        "Übertragung fehlgeschlagen ! Verbindung ok ? Uhr im Automodus ?",                                    // IrTransferFailed
        "keine Rückmeldung von IR-Übertragung",                                                               // IrNoResponse
        "Kanal",                                                                                              // ChannelWord
        "Schaltzustand für Sonnenaufgang",                                                                    // StateAtSunrise
        "Schaltzustand für Sonnenuntergang",                                                                  // StateAtSunset
        "morgens nicht schalten vor",                                                                         // NoSwitchBefore
        "abends nicht schalten nach",                                                                         // NoSwitchAfter
        "Betriebsstunden:",                                                                                   // OperatingHours
        "Jahresbetriebsstunden berechnen",                                                                    // ComputeYearOperatingHours
        "Jahresbetriebsstunden:",                                                                             // YearOperatingHours
        "Für diese Schaltuhr benötigen sie einen neueren Programmieradapter!",                                // NeedNewerAdapter
        "Sie benötigenen einen anderen Speicherkartentyp!",                                                   // NeedOtherChipType
    };
    return texts;
}

std::span<const MemoryChipText> germanMemoryChipTexts()
{
    static const MemoryChipText texts[] = {
        {TextId::ChipAccessFailed, "Zugriff auf Speicherchip nicht erfolgreich"},
        {TextId::ChipAccessFinished, "Zugriff auf Speicherchip beendet"},
        {TextId::ChipAccess, "Zugriff auf Speicherchip"},
        {TextId::NoChipInAdapter, "Kein Speicherchip im Programmieradapter"},
        {TextId::MenuWriteChip, "Speicherchip &programmieren"},
        {TextId::MenuReadChip, "Speicherchip &lesen"},
        {TextId::SerialReadingChip, "lese Speicherchip"},
        {TextId::SerialWritingChip, "schreibe in Speicherchip :"},
        {TextId::NoChipInInterface, "Kein Speicherchip im Lumar-Interface"},
        {TextId::ChipNotAnswering, "Speicherchip antwortet nicht"},
    };
    return texts;
}

} // namespace zendrik
