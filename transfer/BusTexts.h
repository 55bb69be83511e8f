#pragma once

#include "language/ExtraText.h"

namespace zendrik {

// Texts of the bus transfer beyond the device's text table.
inline constexpr ExtraText kBusAddressTableNotRestored{
    "Die Adresstabellen-Länge der lokalen BCU wurde nicht zurückgeschrieben.",
    "The address table length of the local BCU was not written back.",
    "La longueur de la table d'adresses du BCU local n'a pas été réécrite."};
inline constexpr ExtraText kBusNoSavedApplication{
    "Für dieses Gerät ist keine gesicherte Applikation vorhanden: ",
    "There is no saved application for this device: ",
    "Aucune application sauvegardée pour cet appareil : "};
inline constexpr ExtraText kBusApplicationFileMissing{"Datei fehlt", "file missing", "fichier manquant"};
inline constexpr ExtraText kBusApplicationFileInvalid{
    "keine 248 Werte von 0 bis 255", "not 248 values from 0 to 255", "pas 248 valeurs de 0 à 255"};
inline constexpr ExtraText kBusApplicationFileUnreadable{"nicht lesbar", "unreadable", "illisible"};
inline constexpr ExtraText kBusInvalidSearchRange{
    "Ungültiger Suchbereich: Bereich 0 bis 15, Linie 0 bis 12, Teilnehmer 1 bis 255.",
    "Invalid search range: area 0 to 15, line 0 to 12, device 1 to 255.",
    "Plage de recherche invalide : zone 0 à 15, ligne 0 à 12, appareil 1 à 255."};
inline constexpr ExtraText kBusNoLink{
    "Keine Busverbindung: ", "No bus connection: ", "Pas de connexion au bus : "};
inline constexpr ExtraText kBusRestorePending{
    "Die Applikation dieses Geräts ist noch wiederherzustellen.",
    "This device's application still has to be reinstalled.",
    "L'application de cet appareil doit encore être réinstallée."};
inline constexpr ExtraText kBusFound{"%1 Schaltuhr(en) gefunden", "%1 time switch(es) found",
                                      "%1 horloge(s) trouvée(s)"};

} // namespace zendrik
