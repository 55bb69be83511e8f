#pragma once

#include "language/ExtraText.h"

// The messages of the site checks: what only the whole site shows.
namespace zendrik::sitechecktexts {

inline constexpr ExtraText kSameBusAddress{
    "Gleiche Busadresse %1 wie „%2“ an der Verbindung %3: nur eines der Geräte erhält das Programm",
    "Same bus address %1 as \"%2\" on connection %3: only one of the devices receives its program",
    "Même adresse de bus %1 que « %2 » sur la liaison %3 : un seul des appareils reçoit son programme"};
inline constexpr ExtraText kProgramMissing{"Programmdatei %1 fehlt", "Program file %1 is missing",
                                           "Le fichier de programme %1 est introuvable"};
inline constexpr ExtraText kProgramOutside{
    "Programmdatei %1 liegt außerhalb des Ordners der Anlage und wird nicht geöffnet",
    "Program file %1 lies outside the site's folder and is not opened",
    "Le fichier de programme %1 se trouve hors du dossier du site et n'est pas ouvert"};
inline constexpr ExtraText kProgramUnreadable{"Programmdatei %1 kann nicht gelesen werden",
                                              "Program file %1 cannot be read",
                                              "Le fichier de programme %1 ne peut pas être lu"};
inline constexpr ExtraText kProgramUnfitting{"Programmdatei %1 passt nicht zum Gerätetyp %2",
                                             "Program file %1 does not fit device type %2",
                                             "Le fichier de programme %1 ne convient pas au type d'appareil %2"};
inline constexpr ExtraText kUnknownType{"Unbekannter Gerätetyp %1", "Unknown device type %1",
                                        "Type d'appareil inconnu %1"};
inline constexpr ExtraText kDstDiffers{"Sommer-/Winterzeit anders als bei „%1“: hier %2, dort %3",
                                       "Summer/winter time differs from \"%1\": here %2, there %3",
                                       "Heure d'été/d'hiver différente de « %1 » : ici %2, là %3"};
inline constexpr ExtraText kDstNone{"keine Umstellung", "no changeover", "pas de changement"};
inline constexpr ExtraText kDstEurope{"Regel Europa", "rule Europe", "règle Europe"};
inline constexpr ExtraText kDstBritain{"Regel Großbritannien", "rule Great Britain", "règle Grande-Bretagne"};
inline constexpr ExtraText kDstUsa{"Regel USA", "rule USA", "règle USA"};
inline constexpr ExtraText kDstTable{"Tabelle ab %1", "table from %1", "tableau à partir de %1"};
inline constexpr ExtraText kDstDays{"%1 (%2 Umstellung %3 und %4)", "%1 (%2 changeovers %3 and %4)",
                                    "%1 (%2 changements le %3 et le %4)"};
inline constexpr ExtraText kPlacesApart{"Astro-Ort weit entfernt von dem bei „%1“: hier %2, dort %3",
                                        "Astro place far from that of \"%1\": here %2, there %3",
                                        "Lieu astro éloigné de celui de « %1 » : ici %2, là %3"};
inline constexpr ExtraText kPlace{"%1° östl. Länge, %2° nördl. Breite, Zone %3", "%1° east, %2° north, zone %3",
                                  "%1° est, %2° nord, fuseau %3"};
inline constexpr ExtraText kHolidaysDiffer{
    "%1 Tage in %2 mit anderen Feier-/Vorrangtagen als bei „%3“, zuerst %4 (%5)",
    "%1 days of %2 with other holidays/priority days than \"%3\", first %4 (%5)",
    "%1 jours de %2 avec d'autres jours fériés/prioritaires que « %3 », d'abord le %4 (%5)"};
inline constexpr ExtraText kKeptHere{"hier Vorrangtag, dort nicht", "a priority day here, not there",
                                     "jour prioritaire ici, pas là"};
inline constexpr ExtraText kKeptThere{"dort Vorrangtag, hier nicht", "a priority day there, not here",
                                      "jour prioritaire là, pas ici"};
inline constexpr ExtraText kNeverTransferred{"Programm wurde noch nie in das Gerät geschrieben",
                                             "Program was never written into the device",
                                             "Le programme n'a jamais été écrit dans l'appareil"};
inline constexpr ExtraText kChangedSince{"Programm wurde seit der letzten Übertragung geändert",
                                         "Program was changed since its last transfer",
                                         "Le programme a été modifié depuis son dernier transfert"};
inline constexpr ExtraText kLastFailed{"Letzte Übertragung am %1 ist fehlgeschlagen",
                                       "Last transfer on %1 failed", "Le dernier transfert du %1 a échoué"};

} // namespace zendrik::sitechecktexts
