#pragma once

#include "calendar/AstroEingabe.h"
#include "calendar/PlaceList.h"
#include "language/ExtraText.h"

#include <QString>

namespace zendrik {

class TextTable;

// Our own texts of the astro dialog, the place list and the astro cell editor.
inline constexpr ExtraText kAstroLatitudeNote{
    "Breite bis 60° Nord oder Süd: näher am Pol rechnet die Sonnenformel zu ungenau.",
    "Latitude up to 60° north or south: nearer the poles the sun routine is not accurate enough.",
    "Latitude jusqu'à 60° nord ou sud : plus près du pôle le calcul du soleil n'est pas assez précis."};
inline constexpr ExtraText kAstroNoDevice{"Dieses Gerät schaltet nicht nach der Sonne.",
                                          "This device does not switch by the sun.",
                                          "Cet appareil ne commute pas selon le soleil."};
inline constexpr ExtraText kAstroNotAnAstroChannel{
    "Astrozeiten gibt es nur für die Kanäle C1 bis C4.", "Astro times exist for channels C1 to C4 only.",
    "Les heures astronomiques n'existent que pour les canaux C1 à C4."};
inline constexpr ExtraText kAstroNotDeviceChannel{
    "Die Astroschaltuhr hat die Kanäle C1 und C2; ihre Astrozeiten gelten für beide.",
    "The astro time switch has the channels C1 and C2; its astro times apply to both.",
    "L'horloge astronomique a les canaux C1 et C2 ; ses heures astronomiques valent pour les deux."};
inline constexpr ExtraText kAstroChannelLabel{"Astrokanal: %1", "Astro channel: %1", "Canal astro : %1"};
inline constexpr ExtraText kAstroTypeLongitude{"Grad Ost (West negativ)", "degrees east (west negative)",
                                               "degrés est (ouest négatif)"};
inline constexpr ExtraText kAstroTypeLatitude{"Grad Nord (Süd negativ)", "degrees north (south negative)",
                                              "degrés nord (sud négatif)"};
inline constexpr ExtraText kAstroTypeZone{"Stunden", "hours", "heures"};
inline constexpr ExtraText kAstroToday{"Heute (%1): Sonnenaufgang %2 %3, Sonnenuntergang %4 %5",
                                       "Today (%1): sunrise %2 %3, sunset %4 %5",
                                       "Aujourd'hui (%1) : lever %2 %3, coucher %4 %5"};
inline constexpr ExtraText kAstroNoSwitching{"keine Schaltung", "no switching", "pas de commutation"};
inline constexpr ExtraText kAstroCurveTitle{"Schaltzeiten über das Jahr (Winterzeit)",
                                            "Switching times over the year (winter time)",
                                            "Heures de commutation sur l'année (heure d'hiver)"};
inline constexpr ExtraText kAstroFixedStates{
    "Das Gerät schaltet bei Sonnenaufgang AUS und bei Sonnenuntergang EIN; andere Zustände kann es nicht speichern.",
    "The device switches OFF at sunrise and ON at sunset; it cannot keep other states.",
    "L'appareil coupe au lever du soleil et enclenche au coucher ; il ne peut garder d'autres états."};
inline constexpr ExtraText kAstroLimitsNote{
    "Die Grenzen werden in die Tabelle geschrieben, die das Gerät erhält (mit Sommerzeit, für %1 und die folgenden Jahre).",
    "The limits are written into the table the device receives (summer time included, for %1 and the following years).",
    "Les limites sont écrites dans la table que reçoit l'appareil (heure d'été comprise, pour %1 et les années suivantes)."};
inline constexpr ExtraText kAstroOffsetHint{"%1: Minuten von %2 bis %3", "%1: minutes from %2 to %3",
                                            "%1 : minutes de %2 à %3"};
inline constexpr ExtraText kAstroLimitHint{"%1: eine Uhrzeit von 0:00 bis 23:59", "%1: a time from 0:00 to 23:59",
                                           "%1 : une heure de 0:00 à 23:59"};
inline constexpr ExtraText kAstroSearchPlace{"Ort suchen…", "Search place…", "Chercher un lieu…"};

inline constexpr ExtraText kPlaceNameInvalid{
    "Der Name des Ortes darf weder \" noch , enthalten und keine Zeichen außerhalb von Windows-1252.",
    "The place name may contain neither \" nor , and no characters outside Windows-1252.",
    "Le nom du lieu ne peut contenir ni \" ni , ni de caractères hors Windows-1252."};
inline constexpr ExtraText kPlacesRefused{
    "Diese Orte der Datei %1 liegen außerhalb der Schieberegler und wurden nicht übernommen: %2",
    "These places of the file %1 lie outside the scroll bars and were not taken: %2",
    "Ces lieux du fichier %1 sont hors des barres de défilement et n'ont pas été repris : %2"};
inline constexpr ExtraText kPlacesEndedEarly{
    "Die Datei %1 nennt %2 Orte, endet aber nach %3.", "The file %1 announces %2 places but ends after %3.",
    "Le fichier %1 annonce %2 lieux mais se termine après %3."};
inline constexpr ExtraText kPlaceFileBad{"Die Ortsdatei %1 ist fehlerhaft und wurde nicht gelesen.",
                                         "The place file %1 is damaged and was not read.",
                                         "Le fichier des lieux %1 est endommagé et n'a pas été lu."};
inline constexpr ExtraText kPlaceFileNotWritten{"Die Ortsdatei %1 konnte nicht geschrieben werden: %2",
                                                "The place file %1 could not be written: %2",
                                                "Le fichier des lieux %1 n'a pas pu être écrit : %2"};
inline constexpr ExtraText kPlaceOffScale{
    "Die Einstellung liegt außerhalb der Schieberegler.", "The setting lies outside the scroll bars.",
    "Le réglage est hors des barres de défilement."};

inline constexpr ExtraText kAstroEditOutsideDay{
    "%1 Zeit(en) lägen ohne die Sommerstunde außerhalb des Tages und wurden nicht geändert.",
    "%1 time(s) would leave their day without the summer hour and were not changed.",
    "%1 heure(s) sortiraient de leur jour sans l'heure d'été et n'ont pas été modifiées."};
inline constexpr ExtraText kAstroEditOnlyTimes{
    "Nur die Zeiten der Spalten \"Ausschalten um:\" und \"Einschalten um:\" lassen sich ändern.",
    "Only the times of the columns \"Switch off at:\" and \"Switch on at:\" can be changed.",
    "Seules les heures des colonnes d'arrêt et de mise en marche peuvent être modifiées."};

// The message for a channel the dialog cannot work on (empty for Ok).
QString AstroChannelMessage(AstroChannelCheck check, const TextTable& texts);
// The message for a place-file result, naming the file (empty for Ok and Missing).
QString PlaceFileMessage(PlaceFileResult result, const QString& file, const QString& error, const TextTable& texts);
// The notes after reading a sound file: records left out, an early end (empty when none).
QString PlaceReadNotes(const PlaceList& list, const QString& file, const TextTable& texts);

} // namespace zendrik
