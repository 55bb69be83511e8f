#pragma once

#include "language/ExtraText.h"

namespace zendrik {

// Texts of a site's hand-over record.
inline constexpr ExtraText kSiteHandoverTitle{"Übergabeprotokoll Anlage", "Site handover record",
                                              "Procès-verbal de remise de l'installation"};
inline constexpr ExtraText kSiteHandoverDevices{"Geräte der Anlage", "Devices of the site", "Appareils de l'installation"};
inline constexpr ExtraText kSiteColumnName{"Name", "Name", "Nom"};
inline constexpr ExtraText kSiteColumnLocation{"Ort", "Location", "Emplacement"};
inline constexpr ExtraText kSiteColumnType{"Typ", "Type", "Type"};
inline constexpr ExtraText kSiteColumnAddress{"Adresse", "Address", "Adresse"};
inline constexpr ExtraText kSiteColumnLastTransfer{"letzte Übertragung", "last transfer", "dernier transfert"};
inline constexpr ExtraText kSiteColumnResult{"Ergebnis", "Result", "Résultat"};
inline constexpr ExtraText kSiteHandoverDevice{"Gerät", "Device", "Appareil"};
inline constexpr ExtraText kSiteHandoverConfirmation{
    "Die Schaltprogramme der aufgeführten Geräte wurden wie in diesem Protokoll beschrieben übertragen und übergeben.",
    "The switching programs of the devices listed were transferred and handed over as described in this record.",
    "Les programmes de commutation des appareils énumérés ont été transférés et remis comme décrit dans ce "
    "procès-verbal."};
// The column "Ergebnis": what the last transfer proves.
inline constexpr ExtraText kSiteResultConfirmed{"übertragen, bestätigt", "transferred, confirmed", "transféré, confirmé"};
inline constexpr ExtraText kSiteResultWritten{"übertragen", "transferred", "transféré"};
inline constexpr ExtraText kSiteResultReadSame{"gelesen, gleich", "read, same", "lu, identique"};
inline constexpr ExtraText kSiteResultNever{"noch nicht übertragen", "not transferred yet", "pas encore transféré"};
inline constexpr ExtraText kSiteResultChanged{"seitdem geändert", "changed since", "modifié depuis"};
inline constexpr ExtraText kSiteResultFailed{"fehlgeschlagen", "failed", "échec"};
inline constexpr ExtraText kSiteResultDiffers{"Gerät weicht ab", "device differs", "l'appareil diffère"};
// The record is never written over the site file itself.
inline constexpr ExtraText kSiteHandoverOverSiteFile{"Das Protokoll würde die Anlagendatei überschreiben: %1",
                                                     "The record would overwrite the site file: %1",
                                                     "Le procès-verbal écraserait le fichier de l'installation : %1"};
// A device without a record of its own, on the command line.
inline constexpr ExtraText kSiteHandoverNoRecord{"ohne Protokoll: %1", "without a record: %1",
                                                 "sans procès-verbal : %1"};

} // namespace zendrik
