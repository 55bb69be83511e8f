#pragma once

#include "language/ExtraText.h"

namespace zendrik {

// Texts of a run over the devices of a site.
inline constexpr ExtraText kSiteRunNoSuchDevice{
    "kein Gerät dieses Namens in der Anlage: %1", "no device of that name in the site: %1",
    "aucun appareil de ce nom dans le site : %1"};
inline constexpr ExtraText kSiteRunOk{"ok", "ok", "ok"};
inline constexpr ExtraText kSiteRunDiffers{"weicht ab", "differs", "diffère"};
inline constexpr ExtraText kSiteRunFailed{"fehlgeschlagen", "failed", "échec"};
inline constexpr ExtraText kSiteRunSkipped{"übersprungen", "skipped", "ignoré"};
inline constexpr ExtraText kSiteRunNotRun{"nicht ausgeführt", "not run", "non exécuté"};
inline constexpr ExtraText kSiteRunNeedsGuidance{
    "braucht die Anleitung des Desktop-Programms", "needs the desktop's guidance",
    "nécessite le guidage du programme de bureau"};
inline constexpr ExtraText kSiteRunDeclined{
    "vom Benutzer übersprungen", "skipped by the user", "ignoré par l'utilisateur"};
inline constexpr ExtraText kSiteRunNoLink{
    "kein Übertragungsweg eingetragen", "no way of transfer set", "aucun mode de transfert défini"};
inline constexpr ExtraText kSiteRunBadAddress{
    "keine gültige physikalische Adresse: %1", "not a valid physical address: %1",
    "adresse physique invalide : %1"};
inline constexpr ExtraText kSiteRunProgramNotOpened{
    "Programmdatei nicht geöffnet: %1", "program file not opened: %1", "fichier programme non ouvert : %1"};
inline constexpr ExtraText kSiteRunLinkNotOpened{
    "Busverbindung %1 nicht verfügbar: %2", "bus connection %1 not available: %2",
    "connexion au bus %1 indisponible : %2"};
inline constexpr ExtraText kSiteRunReadBackDiffers{
    "Rücklesen weicht vom geschriebenen Programm ab", "read-back differs from the program written",
    "la relecture diffère du programme écrit"};
inline constexpr ExtraText kSiteRunNotSaved{
    "gelesenes Programm nicht gespeichert: %1", "program read not saved: %1",
    "programme lu non enregistré : %1"};
inline constexpr ExtraText kSiteRunChipInstruction{
    "Speicherchip für %1 einsetzen", "Insert the memory chip for %1",
    "Insérer la puce mémoire pour %1"};
inline constexpr ExtraText kSiteRunIrInstruction{
    "Infrarot-Adapter an %1 halten", "Hold the infrared adapter to %1",
    "Placer l'adaptateur infrarouge devant %1"};
inline constexpr ExtraText kSiteRunRestorePending{
    "Applikation noch wiederherzustellen", "application still to be reinstalled",
    "application encore à réinstaller"};
inline constexpr ExtraText kSiteRunLogNotWritten{
    "Protokoll der Anlage nicht geschrieben: %1", "site log not written: %1",
    "journal du site non écrit : %1"};

} // namespace zendrik
