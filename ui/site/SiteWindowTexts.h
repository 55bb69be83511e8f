#pragma once

#include "language/ExtraText.h"

// Our own texts of the site dock and its windows, in German, English and
// French. Menu captions get their Alt keys from the menu's mnemonic set.
namespace zendrik::sitewindowtexts {

// File menu.
inline constexpr ExtraText kMenuOpenSite{"Anlage &öffnen...", "Open si&te...", "Ouvrir un si&te..."};
inline constexpr ExtraText kMenuNewSite{"&Anlage neu...", "New &building site...", "Nou&veau site..."};

// The dock.
inline constexpr ExtraText kDockTitle{"Anlage: %1", "Site: %1", "Site : %1"};
inline constexpr ExtraText kColumnName{"Name", "Name", "Nom"};
inline constexpr ExtraText kColumnType{"Typ", "Type", "Type"};
inline constexpr ExtraText kColumnLocation{"Ort", "Location", "Emplacement"};
inline constexpr ExtraText kColumnAddress{"Adresse", "Address", "Adresse"};
inline constexpr ExtraText kColumnCheck{"Prüfung", "Check", "Vérification"};
inline constexpr ExtraText kColumnTransfer{"Übertragung", "Transfer", "Transfert"};
inline constexpr ExtraText kCheckNone{"keine", "none", "aucun"};
inline constexpr ExtraText kCheckNotRun{"–", "–", "–"};
inline constexpr ExtraText kButtonCheck{"Prüfen", "Check", "Vérifier"};
inline constexpr ExtraText kButtonWrite{"Übertragen", "Transfer", "Transférer"};
inline constexpr ExtraText kButtonRead{"Auslesen", "Read", "Lire"};
inline constexpr ExtraText kButtonChange{"Ändern", "Change", "Modifier"};
inline constexpr ExtraText kButtonHandover{"Übergabeprotokoll", "Handover record", "Procès-verbal"};
inline constexpr ExtraText kButtonAdd{"Gerät hinzufügen", "Add device", "Ajouter un appareil"};
inline constexpr ExtraText kButtonHelp{"Hilfe", "Help", "Aide"};
inline constexpr ExtraText kOpenHint{"Doppelklick öffnet das Programm des Geräts.",
                                     "A double click opens the device's program.",
                                     "Un double clic ouvre le programme de l'appareil."};

// Files.
inline constexpr ExtraText kSiteFilter{"Anlagen (*.zsite)", "Sites (*.zsite)", "Sites (*.zsite)"};
inline constexpr ExtraText kPdfFilter{"PDF (*.pdf)", "PDF (*.pdf)", "PDF (*.pdf)"};
inline constexpr ExtraText kProgramFilter{"Programme (*.zpg)", "Programs (*.zpg)", "Programmes (*.zpg)"};
inline constexpr ExtraText kSiteExists{"Die Anlage gibt es schon: %1", "The site exists already: %1",
                                       "Le site existe déjà : %1"};
inline constexpr ExtraText kSiteNotWritten{"Die Anlage wurde nicht gespeichert: %1", "The site was not saved: %1",
                                           "Le site n'a pas été enregistré : %1"};
inline constexpr ExtraText kNewSiteName{"Name der Anlage:", "Name of the site:", "Nom du site :"};
inline constexpr ExtraText kDeviceMarked{"%1 kann nicht geöffnet werden: %2", "%1 cannot be opened: %2",
                                         "Impossible d'ouvrir %1 : %2"};

// The findings window.
inline constexpr ExtraText kFindingsTitle{"Prüfung der Anlage %1", "Check of the site %1",
                                          "Vérification du site %1"};
inline constexpr ExtraText kColumnDevice{"Gerät", "Device", "Appareil"};
inline constexpr ExtraText kColumnSeverity{"Stufe", "Severity", "Gravité"};
inline constexpr ExtraText kColumnMessage{"Meldung", "Message", "Message"};
inline constexpr ExtraText kFindingsSummary{"%1: %2 Befund(e)", "%1: %2 finding(s)", "%1 : %2 constat(s)"};
inline constexpr ExtraText kNoFindings{"%1: keine Befunde", "%1: no findings", "%1 : aucun constat"};

// The run window.
inline constexpr ExtraText kWriteTitle{"Anlage übertragen", "Transfer the site", "Transférer le site"};
inline constexpr ExtraText kReadTitle{"Anlage auslesen", "Read the site", "Lire le site"};
inline constexpr ExtraText kAllDevices{"Alle Geräte", "All devices", "Tous les appareils"};
inline constexpr ExtraText kChangedOnly{"Nur geänderte", "Only changed ones", "Seulement les modifiés"};
inline constexpr ExtraText kColumnState{"Stand", "State", "État"};
inline constexpr ExtraText kColumnProgress{"Fortschritt", "Progress", "Progression"};
inline constexpr ExtraText kStart{"Start", "Start", "Démarrer"};
inline constexpr ExtraText kStop{"Stopp", "Stop", "Arrêter"};
inline constexpr ExtraText kClose{"Schließen", "Close", "Fermer"};
inline constexpr ExtraText kWaiting{"wartet", "waiting", "en attente"};
inline constexpr ExtraText kRunning{"läuft", "running", "en cours"};
inline constexpr ExtraText kStopping{"Stoppt nach dem laufenden Gerät...", "Stopping after the device in progress...",
                                     "Arrêt après l'appareil en cours..."};
inline constexpr ExtraText kRunSummary{"%1 ok, %2 fehlgeschlagen, %3 übersprungen", "%1 ok, %2 failed, %3 skipped",
                                       "%1 ok, %2 en échec, %3 ignoré(s)"};
inline constexpr ExtraText kReadInto{"Auslesen in: %1", "Reading into: %1", "Lecture vers : %1"};

// The change window.
inline constexpr ExtraText kChangeTitle{"Mehrere Programme ändern", "Change several programs",
                                        "Modifier plusieurs programmes"};
inline constexpr ExtraText kChangeKind{"Änderung:", "Change:", "Modification :"};
inline constexpr ExtraText kKindHolidays{"Feiertagsset", "Holiday set", "Groupe de jours fériés"};
inline constexpr ExtraText kKindDstRule{"Sommer-/Winterzeitregel", "Summer/winter time rule", "Règle été/hiver"};
inline constexpr ExtraText kKindDstZone{"SoWi-Tabelle aus Zeitzone", "DST table from time zone",
                                        "Table été/hiver d'après un fuseau"};
inline constexpr ExtraText kKindPlace{"Astro-Ort", "Astro place", "Lieu astro"};
inline constexpr ExtraText kKindAddTime{"Schaltzeit hinzufügen", "Add switching time", "Ajouter un horaire"};
inline constexpr ExtraText kKindChangeTime{"Schaltzeit ändern", "Change switching time", "Modifier un horaire"};
inline constexpr ExtraText kKindDeleteTime{"Schaltzeit löschen", "Delete switching time", "Supprimer un horaire"};
inline constexpr ExtraText kHolidaySet{"Set:", "Set:", "Groupe :"};
inline constexpr ExtraText kYears{"Jahre:", "Years:", "Années :"};
inline constexpr ExtraText kRule{"Regel:", "Rule:", "Règle :"};
inline constexpr ExtraText kZone{"Zeitzone:", "Time zone:", "Fuseau horaire :"};
inline constexpr ExtraText kFirstYear{"Ab Jahr:", "From year:", "À partir de :"};
inline constexpr ExtraText kPlace{"Ort:", "Place:", "Lieu :"};
inline constexpr ExtraText kEntry{"Schaltzeit:", "Switching time:", "Horaire :"};
inline constexpr ExtraText kEntryNew{"Neu:", "New:", "Nouveau :"};
inline constexpr ExtraText kEntryHint{"eine Zeile der Liste, z. B. „Mo-Fr  6:45 Uhr  C1  EIN“",
                                      "a row of the list, e.g. “Mo-Fr  6:45 hrs  C1  ON”",
                                      "une ligne de la liste, p. ex. « Lu-Ve  6:45 h  C1  MARCHE »"};
inline constexpr ExtraText kEntryTip{
    "Tage oder Datum, Uhrzeit, Kanäle, [Impuls], [1x], Zustand, [Priorität] – so wie die Liste sie zeigt; "
    "eine aus der Liste kopierte Zeile wird so genommen.",
    "Days or date, time, channels, [pulse], [1x], state, [priority] – as the list shows them; "
    "a row copied from the list is taken as it is.",
    "Jours ou date, heure, canaux, [impulsion], [1x], état, [priorité] – comme la liste les affiche ; "
    "une ligne copiée de la liste est reprise telle quelle."};
inline constexpr ExtraText kRuleNone{"keine Umstellung", "no change of time", "pas de changement d'heure"};
inline constexpr ExtraText kRuleEurope{"Europa", "Europe", "Europe"};
inline constexpr ExtraText kRuleBritain{"Großbritannien", "Great Britain", "Grande-Bretagne"};
inline constexpr ExtraText kRuleUsa{"USA", "USA", "États-Unis"};
inline constexpr ExtraText kPreview{"Vorschau", "Preview", "Aperçu"};
inline constexpr ExtraText kApply{"Anwenden", "Apply", "Appliquer"};
inline constexpr ExtraText kNoChange{"keine Änderung", "no change", "aucune modification"};
inline constexpr ExtraText kDoesNotFit{"passt nicht: %1", "does not fit: %1", "ne convient pas : %1"};
inline constexpr ExtraText kOpenProgramNote{"(offenes Programm: als ein Schritt rückgängig zu machen)",
                                            "(open program: can be undone as one step)",
                                            "(programme ouvert : annulable en une étape)"};
inline constexpr ExtraText kApplied{"%1 Programm(e) geändert", "%1 program(s) changed", "%1 programme(s) modifié(s)"};

// The device window.
inline constexpr ExtraText kAddTitle{"Gerät hinzufügen", "Add device", "Ajouter un appareil"};
inline constexpr ExtraText kDeviceName{"Name:", "Name:", "Nom :"};
inline constexpr ExtraText kDeviceLocation{"Ort:", "Location:", "Emplacement :"};
inline constexpr ExtraText kDeviceType{"Gerätetyp:", "Device type:", "Type d'appareil :"};
inline constexpr ExtraText kDeviceProgram{"Programmdatei:", "Program file:", "Fichier programme :"};
inline constexpr ExtraText kChoose{"Wählen...", "Choose...", "Choisir..."};
inline constexpr ExtraText kDeviceLink{"Verbindung:", "Link:", "Liaison :"};
inline constexpr ExtraText kLinkNone{"keine", "none", "aucune"};
inline constexpr ExtraText kLinkBus{"Bus", "Bus", "Bus"};
inline constexpr ExtraText kLinkChip{"Speicherchip", "Memory chip", "Puce mémoire"};
inline constexpr ExtraText kLinkIr{"Infrarot", "Infrared", "Infrarouge"};
inline constexpr ExtraText kBusAddress{"Physikalische Adresse:", "Physical address:", "Adresse physique :"};
inline constexpr ExtraText kBusConnection{"Busverbindung:", "Bus connection:", "Connexion bus :"};
inline constexpr ExtraText kPort{"Schnittstelle:", "Port:", "Port :"};
inline constexpr ExtraText kNeedName{"Bitte einen Namen angeben.", "Please give a name.", "Veuillez indiquer un nom."};
inline constexpr ExtraText kDuplicateName{"Ein Gerät dieses Namens gibt es schon: %1",
                                          "A device of this name exists already: %1",
                                          "Un appareil de ce nom existe déjà : %1"};
inline constexpr ExtraText kProgramOutside{"Die Programmdatei muss im Ordner der Anlage liegen: %1",
                                           "The program file must lie in the site's folder: %1",
                                           "Le fichier programme doit se trouver dans le dossier du site : %1"};
inline constexpr ExtraText kBadAddress{"Die physikalische Adresse ist ungültig (Bereich.Linie.Gerät): %1",
                                       "The physical address is invalid (area.line.device): %1",
                                       "L'adresse physique n'est pas valable (zone.ligne.appareil) : %1"};

// The hand-over record.
inline constexpr ExtraText kHandoverSaved{"Übergabeprotokoll gespeichert: %1", "Handover record saved: %1",
                                          "Procès-verbal enregistré : %1"};

} // namespace zendrik::sitewindowtexts
