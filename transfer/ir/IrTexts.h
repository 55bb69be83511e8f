#pragma once

#include "language/ExtraText.h"

namespace zendrik {

// Texts of the infrared transfer beyond the device's text table.
inline constexpr ExtraText kIrFileNotRemoved{"%1 lässt sich nicht löschen: %2", "%1 cannot be deleted: %2",
                                             "Impossible de supprimer %1 : %2"};
inline constexpr ExtraText kIrToolNotStarted{"Das IR-Programm lässt sich nicht starten: %1",
                                             "The infrared tool cannot be started: %1",
                                             "Impossible de lancer le programme infrarouge : %1"};
inline constexpr ExtraText kIrNoTool{"kein IR-Programm eingestellt (Geräteeigenschaften)",
                                     "no infrared tool set (device properties)",
                                     "aucun programme infrarouge réglé (propriétés de l'appareil)"};
inline constexpr ExtraText kIrInvalidTime{"Keine gültige Uhrzeit: %1 (hh:mm:ss)", "Not a valid time: %1 (hh:mm:ss)",
                                          "Heure non valable : %1 (hh:mm:ss)"};
inline constexpr ExtraText kIrInvalidDate{"Kein gültiges Datum: %1 (tt.mm.jj)", "Not a valid date: %1 (dd.mm.yy)",
                                          "Date non valable : %1 (jj.mm.aa)"};
inline constexpr ExtraText kIrWaiting{"warte auf Rückmeldung von IR-Übertragung (höchstens %1 s)",
                                      "waiting for the infrared transfer (at most %1 s)",
                                      "attente du transfert infrarouge (au plus %1 s)"};
inline constexpr ExtraText kIrTimeoutLabel{"Wartezeit IR (s)", "Infrared wait (s)", "Attente infrarouge (s)"};
inline constexpr ExtraText kIrToolLabel{"IR-Programm", "Infrared tool", "Programme infrarouge"};

} // namespace zendrik
