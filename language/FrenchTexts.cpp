#include "language/FrenchTexts.h"

namespace zendrik {

// The French table. It has a single wording for every brand: the memory
// chip is called by what it is ("puce mémoire").
const std::array<const char*, kTextCount>& frenchTexts()
{
    static const std::array<const char*, kTextCount> texts = {
        "france.hdy",                                                                                    // HolidayFileName
        "france.ord",                                                                                    // PlaceFileName
        "lundi",                                                                                         // Monday
        "mardi",                                                                                         // Tuesday
        "mercredi",                                                                                      // Wednesday
        "jeudi",                                                                                         // Thursday
        "vendredi",                                                                                      // Friday
        "samedi",                                                                                        // Saturday
        "dimanche",                                                                                      // Sunday
        "tous les jours",                                                                                // Daily
        "janvier",                                                                                       // January
        "février",                                                                                       // February
        "mars",                                                                                          // March
        "avril",                                                                                         // April
        "mai",                                                                                           // May
        "juin",                                                                                          // June
        "juillet",                                                                                       // July
        "août",                                                                                          // August
        "septembre",                                                                                     // September
        "octobre",                                                                                       // October
        "novembre",                                                                                      // November
        "décembre",                                                                                      // December
        "Canal 1",                                                                                       // Channel1
        "Canal 2",                                                                                       // Channel2
        "Canal 3",                                                                                       // Channel3
        "Canal 4",                                                                                       // Channel4
        "Canal 5",                                                                                       // Channel5
        "Canal 6",                                                                                       // Channel6
        "Canal 7",                                                                                       // Channel7
        "Canal 8",                                                                                       // Channel8
        "Programme P1",                                                                                  // ProgramP1
        "Programme P2",                                                                                  // ProgramP2
        "Programme P3",                                                                                  // ProgramP3
        "Programme P4",                                                                                  // ProgramP4
        "Programme P5",                                                                                  // ProgramP5
        "Programme P6",                                                                                  // ProgramP6
        "Programme P7",                                                                                  // ProgramP7
        "Programme P8",                                                                                  // ProgramP8
        "Programme P9",                                                                                  // ProgramP9
        "Permanent",                                                                                     // Permanent
        "Ok",                                                                                            // Ok
        "Annuler",                                                                                       // Cancel
        "Enregistrer",                                                                                   // Save
        "MARCHE",                                                                                        // On
        "ARRÊT",                                                                                         // Off
        "Imprimer",                                                                                      // Print
        "Quitter",                                                                                       // Exit
        "Modifier",                                                                                      // Change
        "Enregistrer les modifications sous ",                                                           // SaveChangesIn
        "Aucune donnée ! Continuer quand même ?",                                                        // NoDataContinue
        "Seules les données enregistrées peuvent être exportées. Enregistrer maintenant ?",              // OnlySavedDataExport
        "inconnu",                                                                                       // Unknown
        "Fichier non valide !",                                                                          // InvalidFile
        "nom de fichier non valide",                                                                     // InvalidFileName
        "Échec de l'accès à la puce mémoire",                                                            // ChipAccessFailed
        "Accès à la puce mémoire terminé",                                                               // ChipAccessFinished
        "Conflit de format EIB <-> conventionnel !",                                                     // FormatConflict
        "Fichier introuvable !",                                                                         // FileNotFound
        "Fichier d'importation 'card.dat' introuvable !",                                                // ImportFileMissing
        "Aucun fichier choisi !",                                                                        // NoFileChosen
        "Fichier ",                                                                                      // FileWord
        " existe déjà ! Écraser ?",                                                                      // AlreadyExistsOverwrite
        "non",                                                                                           // No
        "Supprimer vraiment les données ?",                                                              // ReallyDelete
        "Suppression possible seulement en incluant les dernières lignes",                               // DeleteOnlyFromEnd
        "Horaires de commutation",                                                                       // SwitchingTimes
        "Périodes prioritaires",                                                                         // PriorityTimes
        "Table été/hiver ",                                                                              // DstTable
        "Page ",                                                                                         // Page
        "Début le : ",                                                                                   // BeginOn
        "Fin le : ",                                                                                     // EndOn
        "Canaux",                                                                                        // Channels
        "Jour",                                                                                          // Day
        "Mois",                                                                                          // Month
        "Priorité",                                                                                      // Priority
        "Prio.",                                                                                         // PrioShort
        "h",                                                                                             // OClock
        " ",                                                                                             // DaySuffix
        "1er ",                                                                                          // FirstDay
        ":",                                                                                             // TimeSeparator
        "Saisie de périodes prioritaires",                                                               // EnterPriorityTimesTitle
        "Modification de périodes prioritaires",                                                         // ChangePriorityTimesTitle
        "Copie de périodes prioritaires",                                                                // CopyPriorityTimesTitle
        "Choix des canaux incomplet !",                                                                  // ChannelsIncomplete
        "Cette période prioritaire existe déjà !",                                                       // PriorityTimeExists
        "Cette période prioritaire existe déjà avec un autre état ! Écraser ?",                          // PriorityTimeOtherState
        "Plus de mémoire disponible !",                                                                  // MemoryFull
        "aucune",                                                                                        // NoPriority
        "Jours de la semaine",                                                                           // Weekdays
        "Minutes",                                                                                       // Minutes
        "Heures",                                                                                        // Hours
        "Impulsion",                                                                                     // Pulse
        "Saisie d'horaires de commutation",                                                              // EnterSwitchingTimesTitle
        "Copie d'horaires de commutation",                                                               // CopySwitchingTimesTitle
        "Modification d'horaires de commutation",                                                        // ChangeSwitchingTimesTitle
        " s",                                                                                            // Seconds
        "Valeur",                                                                                        // Value
        "Déc.",                                                                                          // Decimal
        "HEX",                                                                                           // Hex
        "Nouveau",                                                                                       // New
        "actif après saisie",                                                                            // ActiveAfterEntry
        "Exécuter",                                                                                      // Execute
        "déjà saisi",                                                                                    // AlreadyEntered
        "Cet horaire existe déjà !",                                                                     // SwitchingTimeExists
        "Cet horaire existe déjà avec un autre état ! Écraser ?",                                        // SwitchingTimeOtherState
        "Une impulsion existe déjà ! Écraser ?",                                                         // PulseExists
        "Date ou jours de la semaine incomplets !",                                                      // DateOrWeekdaysIncomplete
        "Avancer le :",                                                                                  // ForwardOn
        "Reculer le :",                                                                                  // BackOn
        "Année",                                                                                         // Year
        "à :",                                                                                           // AtTime
        "Saisie de la table été/hiver ",                                                                 // EnterDstTableTitle
        "Modification de la table été/hiver ",                                                           // ChangeDstTableTitle
        "Copie de la table été/hiver ",                                                                  // CopyDstTableTitle
        "Heure",                                                                                         // TimeOfDay
        "1x par an",                                                                                     // OnceAYear
        "2x par an",                                                                                     // TwiceAYear
        "tous",                                                                                          // All
        "Même date déjà présente au n°",                                                                 // SameDateExistsInNo
        "Dates de début et de fin identiques",                                                           // StartEndDateSame
        "Saisie automatique",                                                                            // EditAssistant
        "Augmenter les horaires de :",                                                                   // IncreaseSwitchingTimesBy
        "Min",                                                                                           // Min
        "1 minute",                                                                                      // OneMinute
        "h",                                                                                             // Hrs
        "1 heure",                                                                                       // OneHour
        "1 jour (date seule)",                                                                           // OneDayDateOnly
        "jours (date seule) ",                                                                           // DaysDateOnly
        "Jours de la semaine + 1",                                                                       // IncreaseWeekdays
        "Mois + 1",                                                                                      // IncreaseMonth
        "Priorité + 1",                                                                                  // IncreasePrio
        "Inverser l'état",                                                                               // ToggleState
        "Règle heure d'été/d'hiver",                                                                     // DstRule
        "Année + 1",                                                                                     // IncreaseYear
        "premier ",                                                                                      // NthFirst
        "deuxième ",                                                                                     // NthSecond
        "troisième ",                                                                                    // NthThird
        "quatrième ",                                                                                    // NthFourth
        "dernier ",                                                                                      // NthLast
        "Filtre des horaires de commutation",                                                            // FilterTitle
        "Impulsions",                                                                                    // Pulses
        "État",                                                                                          // SwitchingState
        "Mois",                                                                                          // Months
        "de",                                                                                            // From
        "sur",                                                                                           // FromAlt
        "à",                                                                                             // To
        "tout",                                                                                          // Everything
        "tout",                                                                                          // EverythingAlt
        "MARCHE ou ARRÊT",                                                                               // OnOrOff
        "impulsions seules",                                                                             // OnlyPulses
        "sans impulsions",                                                                               // NoPulses
        "programme hebdomadaire seul",                                                                   // WeeklyProgramOnly
        "à partir de",                                                                                   // FilterAtLeast
        "jusqu'à",                                                                                       // FilterAtMost
        "égal",                                                                                          // FilterEqual
        "Propriétés de l'appareil",                                                                      // DevicePropertiesTitle
        "Nombre de canaux",                                                                              // ChannelCount
        "1 can.",                                                                                        // OneChannelShort
        "2 can.",                                                                                        // TwoChannelsShort
        "3 can.",                                                                                        // ThreeChannelsShort
        "4 can.",                                                                                        // FourChannelsShort
        "8 canaux",                                                                                      // EightChannels
        "Taille mémoire",                                                                                // MemorySize
        "150 horaires",                                                                                  // Entries150
        "324 horaires",                                                                                  // Entries324
        "Accès à la puce mémoire",                                                                       // ChipAccess
        "par LPT ",                                                                                      // ViaLpt
        "Facteur de retard",                                                                             // DelayFactor
        "Utilisation",                                                                                   // Usage
        " lignes",                                                                                       // LinesSuffix
        "Paramètres d'impression",                                                                       // PrintSettings
        "En-tête toutes les ",                                                                           // HeaderEvery
        "pas de changement d'heure",                                                                     // DstNone
        "comme l'Europe",                                                                                // DstEurope
        "comme le Royaume-Uni",                                                                          // DstUk
        "comme les USA",                                                                                 // DstUsa
        "selon la table",                                                                                // DstByTable
        "conventionnel",                                                                                 // Conventional
        "EIB",                                                                                           // Eib
        "Type d'appareil",                                                                               // DeviceType
        "Langue de l'horloge",                                                                           // ClockLanguage
        "allemand/anglais",                                                                              // GermanEnglish
        "français",                                                                                      // French
        "Fichier du : ",                                                                                 // FileDated
        "Fichier non enregistré ",                                                                       // FileUnsaved
        "Mémoire utilisée : ",                                                                           // MemoryUsed
        "Info",                                                                                          // Info
        "Pas d'adaptateur de programmation sur LPT ",                                                    // NoAdapterAtLpt
        "augmentez éventuellement le facteur de retard !",                                               // MaybeIncreaseDelay
        " ou facteur de retard trop faible !",                                                           // OrDelayTooLow
        "Pas de puce mémoire dans l'adaptateur de programmation",                                        // NoChipInAdapter
        "Erreur lors du réglage de l'adresse ",                                                          // ErrorSettingAddress
        "Erreur lors de l'écriture à l'adresse ",                                                        // ErrorWritingAddress
        "Erreur lors de l'envoi de la commande de lecture ",                                             // ErrorSendingReadCommand
        "Enregistrez vos fichiers existants sous un autre nom que ",                                     // SaveUnderOtherName
        "Vous avez saisi une table d'heure d'été, mais elle n'est pas activée ! L'activer maintenant ?", // DstTableNotActivated
        "Choisissez une autre règle heure d'été/d'hiver ou saisissez une table !",                       // ChooseOtherDstRule
        "Liste des horaires ",                                                                           // SwitchingList
        "Modèle ",                                                                                       // Sample
        "N°",                                                                                            // ColNo
        "Date/Jours",                                                                                    // ColDateDays
        "Canaux",                                                                                        // ColChannels
        "Minutes",                                                                                       // ColMinutes
        "Heures",                                                                                        // ColHours
        "État",                                                                                          // ColState
        " Lu",                                                                                           // ShortMonday
        " Ma",                                                                                           // ShortTuesday
        " Me",                                                                                           // ShortWednesday
        " Je",                                                                                           // ShortThursday
        " Ve",                                                                                           // ShortFriday
        " Sa",                                                                                           // ShortSaturday
        " Di",                                                                                           // ShortSunday
        "Liste des priorités ",                                                                          // PriorityList
        "Perm.",                                                                                         // PermShort
        " C",                                                                                            // ChannelPrefix
        "Aucune donnée à enregistrer",                                                                   // NoDataToSave
        "tbcom",                                                                                         // FreeNamePrefix
        "&Fichier",                                                                                      // MenuFile
        "&Nouveau",                                                                                      // MenuNew
        "&Ouvrir...",                                                                                    // MenuOpen
        "&Enregistrer",                                                                                  // MenuSave
        "Enregistrer &sous...",                                                                          // MenuSaveAs
        "Ouvrir un &modèle...",                                                                          // MenuOpenSample
        "Fermer le mo&dèle",                                                                             // MenuCloseSample
        "&Imprimer...",                                                                                  // MenuPrint
        "&Programmer la puce mémoire",                                                                   // MenuWriteChip
        "&Lire la puce mémoire",                                                                         // MenuReadChip
        "&Quitter",                                                                                      // MenuExit
        "É&dition",                                                                                      // MenuEdit
        "Saisir des &horaires...",                                                                       // MenuEnterSwitchingTimes
        "Saisir des &périodes prioritaires...",                                                          // MenuEnterPriorityTimes
        "Saisir la &table été/hiver...",                                                                 // MenuEnterDstTable
        "&Supprimer",                                                                                    // MenuDelete
        "&Modifier",                                                                                     // MenuChange
        "&Copier",                                                                                       // MenuCopy
        "&Filtrer...",                                                                                   // MenuFilter
        "&Fenêtre",                                                                                      // MenuWindow
        "&Horaires de commutation",                                                                      // MenuViewSwitchingTimes
        "&Périodes prioritaires",                                                                        // MenuViewPriorityTimes
        "&Table été/hiver",                                                                              // MenuViewDstTable
        "&Modèle horaires",                                                                              // MenuViewSampleSwitchingTimes
        "Mo&dèle périodes prioritaires",                                                                 // MenuViewSamplePriorityTimes
        "Modèle table été/hiver",                                                                        // MenuViewSampleDstTable
        "&Paramètres",                                                                                   // MenuSettings
        "Saisie &automatique...",                                                                        // MenuEditAssistant
        "&Propriétés de l'appareil...",                                                                  // MenuDeviceProperties
        "&Aide",                                                                                         // MenuHelp
        "&Aide ",                                                                                        // MenuHelpFor (the French menu names no title)
        "&Info",                                                                                         // MenuInfo
        "rediriger vers",                                                                                // RedirectTo
        "filtré",                                                                                        // Filtered
        "non filtré",                                                                                    // Unfiltered
        "Numéro de programme",                                                                           // ProgramNumber
        "Année de simulation",                                                                           // SimulationYear
        "Redessiner",                                                                                    // Redraw
        "Fichier pour",                                                                                  // FileFor
        "Simulation du programme",                                                                       // ProgramSimulation
        "no valid physical Adress",                                                                      // EibNoValidPhysicalAddress
        " *** horloge pas prête ",                                                                       // EibClockNotReady
        " *** pas de réponse de l'horloge",                                                              // EibNoAnswerFromClock
        " *** erreur en réception : ",                                                                   // EibErrorInReceive
        " *** erreur en émission : ",                                                                    // EibErrorInSend
        " *** erreur lors de : ",                                                                        // EibErrorAt
        " *** délai dépassé lors de : ",                                                                 // EibTimeoutAt
        " *** longueur de télégramme erronée ",                                                          // EibWrongTelegramLength
        " *** aucune donnée valide reçue",                                                               // EibNoValidData
        "pas de connexion à l'EIB ",                                                                     // EibNoConnectionToBus
        "pas de connexion à l'appareil ",                                                                // EibNoConnectionToDevice
        "pas d'accès au bus par COM ",                                                                   // EibNoBusAccessViaCom
        "aucune réponse de masque reçue",                                                                // EibNoMaskResponse
        "version de masque erronée",                                                                     // EibWrongMaskVersion
        "type d'appareil erroné",                                                                        // EibWrongDeviceProperties
        "aucun t_connect reçu  ",                                                                        // EibNoTConnect
        "erreur inconnue : ",                                                                            // EibUnknownError
        "install AST",                                                                                   // EibLogInstallAst
        "changement de couche",                                                                          // EibLogChangeLayer
        "reset AST",                                                                                     // EibLogResetAst
        "reset BCU locale",                                                                              // EibLogResetLocalBcu
        "lecture longueur table d'adresses",                                                             // EibLogReadAddressTableLength
        "attente longueur table d'adresses",                                                             // EibLogWaitAddressTableLength
        "longueur table d'adresses mise à ",                                                             // EibLogSetAddressTableLength
        "envoi télégramme",                                                                              // EibLogSendTelegram
        "envoi à la BCU locale",                                                                         // EibLogSendToLocalBcu
        "attente confirmation",                                                                          // EibLogExpectConfirmation
        "attente réponse",                                                                               // EibLogExpectAnswer
        "Réponse : ",                                                                                    // EibLogAnswer
        "écriture été/hiver ",                                                                           // EibLogWriteDst
        "écriture horaire ",                                                                             // EibLogWriteSwitchingTime
        "lecture été/hiver ",                                                                            // EibLogReadDst
        "lecture horaire ",                                                                              // EibLogReadSwitchingTime
        "effacement horaires ",                                                                          // EibLogDeleteSwitchingTimes
        "vérification appareil ",                                                                        // EibLogCheckDevice
        " Détails dans le fichier : 'protocol.txt'",                                                     // EibSeeProtocolFile
        "réponse d'un mauvais appareil",                                                                 // EibAnswerFromWrongDevice
        "attente version de masque ",                                                                    // EibLogWaitMaskVersion
        "demande version de masque",                                                                     // EibLogWaitMaskVersionAlt
        "demande contenu mémoire ",                                                                      // EibLogQueryMemory
        "attente contenu mémoire",                                                                       // EibLogExpectMemory
        "connexion à : ",                                                                                // EibLogConnectTo
        "déconnexion ",                                                                                  // EibLogDisconnect
        "mémoire non écrite",                                                                            // EibMemoryNotWritten
        "sauvegarde application ",                                                                       // EibLogReadApplication
        "écriture application : ",                                                                       // EibLogWriteApplication
        "préparation du transfert",                                                                      // EibLogPrepareTransfer
        "restauration de l'état initial",                                                                // EibLogRestore
        "Interface d'accès au bus",                                                                      // BusInterface
        "Interface :",                                                                                   // InterfaceLabel
        "COM 1",                                                                                         // Com1
        "COM 2",                                                                                         // Com2
        "Rechercher une horloge",                                                                        // SearchClock
        "Zone :",                                                                                        // AreaLabel
        "Ligne :",                                                                                       // LineLabel
        "de l'appareil :",                                                                               // FromDevice
        "à l'appareil :",                                                                                // ToDevice
        "Lancer la recherche",                                                                           // StartSearch
        "Résultat de la recherche",                                                                      // SearchResult
        "Échanger le programme avec l'horloge",                                                          // ProgramInOutClockWith
        "Adresse physique",                                                                              // PhysicalAddress
        "Programmer",                                                                                    // ProgramDevice
        "Réinstaller",                                                                                   // Restore
        "Lire",                                                                                          // Read
        "État",                                                                                          // Status
        "État",                                                                                          // StatusAlt
        "prêt",                                                                                          // Ready
        "Accès au bus",                                                                                  // BusAccess
        "échec",                                                                                         // NotSuccessful
        "Accès bus à l'horloge",                                                                         // BusAccessToClock
        " par COM ",                                                                                     // ViaCom
        "Transmission série",                                                                            // SerialTransferTitle
        "lecture de la puce mémoire",                                                                    // SerialReadingChip
        "écriture dans la puce mémoire :",                                                               // SerialWritingChip
        "message inconnu",                                                                               // UnknownMessage
        "Pas de puce mémoire dans l'adaptateur",                                                         // NoChipInInterface
        "La puce mémoire ne répond pas",                                                                 // ChipNotAnswering
        "erreur de transmission sur COM ",                                                               // TransmissionErrorOnCom
        "pas de réponse de l'adaptateur de programmation sur COM ",                                      // NoAnswerFromAdapter
        "Horaires astro",                                                                                // AstroTimes
        "Saisir les données &astronomiques... ",                                                         // MenuEnterAstro
        "Saisie des données astronomiques",                                                              // AstroTitle
        "Longitude",                                                                                     // Longitude
        "Latitude",                                                                                      // Latitude
        "Fuseau horaire",                                                                                // TimeZone
        "Nom du lieu",                                                                                   // PlaceName
        "Décalage au lever du soleil",                                                                   // SunriseOffset
        "Décalage au coucher du soleil",                                                                 // SunsetOffset
        " Nord",                                                                                         // North
        " Sud",                                                                                          // South
        " Est",                                                                                          // East
        " Ouest",                                                                                        // West
        " degrés",                                                                                       // Degrees
        "Lieu",                                                                                          // Place
        "Ajouter",                                                                                       // Add
        "Supprimer",                                                                                     // Delete
        "Heure",                                                                                         // Time
        "modifier en",                                                                                   // ChangeTo
        "décaler de",                                                                                    // MoveBy
        "Durée d'impulsion",                                                                             // PulseLength
        "Horaires astro",                                                                                // AstroTimesCaption
        "le",                                                                                            // AstroOnDay
        "Arrêt à :",                                                                                     // SwitchOffAt
        "Marche à :",                                                                                    // SwitchOnAt
        "Horaires astro pour",                                                                           // AstroTimesActOn
        "Aucun horaire astro ! Exporter quand même ?",                                                   // NoAstroTimesExport
        "Jours fériés...",                                                                               // MenuHolidays
        "Pâques",                                                                                        // Easter
        " jour(s) avant Pâques",                                                                         // DaysBeforeEaster
        " jour(s) après Pâques",                                                                         // DaysAfterEaster
        "Jours fériés",                                                                                  // Holidays
        "Nouveau jour férié",                                                                            // NewHoliday
        "Chaque année",                                                                                  // EveryYear
        "le",                                                                                            // OnDate
        "jour(s)",                                                                                       // DaysUnit
        " Votre horloge gère-t-elle les jours fériés mobiles",                                           // SupportsMovableHolidaysQuestion
        "jours fériés mobiles gérés",                                                                    // MovableHolidaysSupported
        "jours fériés mobiles non gérés",                                                                // MovableHolidaysNotSupported
        "Paramètres des jours fériés",                                                                   // HolidaySettingsTitle
        " Nom du jour férié",                                                                            // HolidayName
        "Jours fériés",                                                                                  // HolidaysList
        "Groupes de jours fériés",                                                                       // HolidaySets
        "Type de jour férié",                                                                            // HolidayKind
        "Ajouter un groupe",                                                                             // AddSet
        " Supprimer le groupe",                                                                          // DeleteSet
        "fixe",                                                                                          // HolidayFixed
        "libre",                                                                                         // HolidayFree
        "par rapport à Pâques",                                                                          // HolidayEasterRelative
        "avant",                                                                                         // Before
        "après",                                                                                         // After
        "Nom du groupe",                                                                                 // SetName
        "Années pour les jours fériés libres",                                                           // YearsForFreeHolidays
        "ans",                                                                                           // YearsUnit
        "Impulsion de comptage",                                                                         // MeterPulse
        "pas d'impulsion de comptage",                                                                   // NoMeterPulse
        "sur canal 1",                                                                                   // OnChannel1
        "sur canal 2",                                                                                   // OnChannel2
        "sur canal 3",                                                                                   // OnChannel3
        "sur canal 4",                                                                                   // OnChannel4
        "au début de la période",                                                                        // AtPeriodStart
        "à la fin de la période",                                                                        // AtPeriodEnd
        "Mesure avec relais = MARCHE",                                                                   // MeasureRelayOn
        "Mesure avec relais = ARRÊT",                                                                    // MeasureRelayOff
        "Période de mesure =",                                                                           // MeterPeriodEq
        "Durée d'impulsion =",                                                                           // PulseLengthEq
        "Accès IR",                                                                                      // IrAccess
        " Accès par",                                                                                    // AccessVia
        "Lire les horaires",                                                                             // ReadSwitchingTimes
        "Programmer les horaires",                                                                       // ProgramSwitchingTimes
        "Régler l'heure et la date",                                                                     // SetTimeAndDate
        " Heure (hh:mm:ss)",                                                                             // TimeHhMmSs
        "Date (jj.mm.aa)",                                                                               // DateDdMmYy
        "transfer ended successfully",                                                                   // IrTransferSucceeded
        "Échec du transfert ! Connexion ok ? Horloge en mode auto ?",                                    // IrTransferFailed
        "pas de réponse du transfert IR",                                                                // IrNoResponse
        "Canal",                                                                                         // ChannelWord
        "État au lever du soleil",                                                                       // StateAtSunrise
        "État au coucher du soleil",                                                                     // StateAtSunset
        "le matin pas avant",                                                                            // NoSwitchBefore
        "le soir pas après",                                                                             // NoSwitchAfter
        "Heures de fonctionnement :",                                                                    // OperatingHours
        "Calculer les heures annuelles",                                                                 // ComputeYearOperatingHours
        "Heures de fonctionnement annuelles :",                                                          // YearOperatingHours
        "Pour cette horloge, il vous faut un adaptateur de programmation plus récent !",                 // NeedNewerAdapter
        "Il vous faut un autre type de carte mémoire !",                                                 // NeedOtherChipType
    };
    return texts;
}

} // namespace zendrik
