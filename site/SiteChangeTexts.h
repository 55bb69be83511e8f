#pragma once

#include "language/ExtraText.h"

// The reasons a change to many programs leaves a device out.
namespace zendrik::sitechangetexts {

inline constexpr ExtraText kNoSuchDevice{"Kein Gerät dieses Namens in der Anlage", "No device of that name on the site",
                                         "Aucun appareil de ce nom dans le site"};
inline constexpr ExtraText kProgramNotOpened{"Programmdatei kann nicht geöffnet werden: %1",
                                             "Program file cannot be opened: %1",
                                             "Le fichier de programme ne peut pas être ouvert : %1"};
inline constexpr ExtraText kNoAstro{"Das Gerät schaltet nicht nach der Sonne", "The device does not switch by the sun",
                                    "L'appareil ne commute pas selon le soleil"};
inline constexpr ExtraText kNoAstroChannel{"Kein Kanal des Programms folgt der Sonne",
                                           "No channel of the program follows the sun",
                                           "Aucun canal du programme ne suit le soleil"};
inline constexpr ExtraText kNoHolidays{"Der Feiertagssatz hat in diesen Jahren keine Tage",
                                       "The holiday set has no days in these years",
                                       "L'ensemble de jours fériés n'a aucun jour dans ces années"};
inline constexpr ExtraText kOneYearOnly{
    "Das Gerät speichert bei Vorrangzeiten kein Jahr: Feiertage nur für ein Jahr auf einmal",
    "The device keeps no year with priority times: holidays for one year at a time only",
    "L'appareil ne garde pas d'année pour les temps prioritaires : jours fériés pour une année à la fois"};
inline constexpr ExtraText kYearOutOfRange{"Das Jahr %1 kann nicht gespeichert werden", "The year %1 cannot be stored",
                                           "L'année %1 ne peut pas être enregistrée"};
inline constexpr ExtraText kMemoryFull{"Nicht genug freier Speicher: %1 Einträge nötig, %2 frei",
                                       "Not enough free memory: %1 entries needed, %2 free",
                                       "Mémoire libre insuffisante : %1 entrées nécessaires, %2 libres"};
inline constexpr ExtraText kBadRule{"Regel %1 gibt es nicht (0 bis 3)", "There is no rule %1 (0 to 3)",
                                    "La règle %1 n'existe pas (0 à 3)"};
inline constexpr ExtraText kBadZone{"Zeitzone %1 gibt keine Tabelle ab %2", "Time zone %1 gives no table from %2",
                                    "Le fuseau horaire %1 ne donne pas de tableau à partir de %2"};
inline constexpr ExtraText kNoPlace{"Kein Ort angegeben", "No place given", "Aucun lieu indiqué"};
inline constexpr ExtraText kTimeThere{"Die Schaltzeit ist schon im Programm", "The switching time is in the program already",
                                      "L'horaire est déjà dans le programme"};
inline constexpr ExtraText kTimeConflict{"Eine Schaltzeit zur selben Zeit schaltet anders: %1",
                                         "A switching time at the same moment switches otherwise: %1",
                                         "Un horaire au même moment commute autrement : %1"};
inline constexpr ExtraText kTimeNotFound{"Die Schaltzeit ist nicht im Programm", "The switching time is not in the program",
                                         "L'horaire n'est pas dans le programme"};
inline constexpr ExtraText kNoNewTime{"Die neue Schaltzeit fehlt", "The new switching time is missing",
                                      "Le nouvel horaire manque"};
inline constexpr ExtraText kNotWritten{"Programmdatei nicht geschrieben: %1", "Program file not written: %1",
                                       "Fichier de programme non écrit : %1"};

} // namespace zendrik::sitechangetexts
