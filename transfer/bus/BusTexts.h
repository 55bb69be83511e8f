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
// Below the status after a read: what came from the device, what stayed.
inline constexpr ExtraText kBusReadKeeps{
    "Gelesen: Schalt- und Prioritätszeiten und die SoWi-Tabelle. Verwendung, Kanalnamen, Programmnummer, "
    "Schreibschutz und Astro-Einstellungen sind die des geöffneten Programms (der Bus überträgt sie nicht). "
    "Das Programm hat einen neuen Namen.",
    "Read: switching and priority times and the summer/winter table. Description, channel names, program number, "
    "write protection and astro settings are those of the open program (the bus does not carry them). "
    "The program has a new name.",
    "Lu : horaires de commutation et de priorité et le tableau été/hiver. Utilisation, noms des canaux, numéro de "
    "programme, protection en écriture et réglages astronomiques sont ceux du programme ouvert (le bus ne les "
    "transmet pas). Le programme a un nouveau nom."};
inline constexpr ExtraText kBusRestorePending{
    "Die Applikation dieses Geräts ist noch wiederherzustellen.",
    "This device's application still has to be reinstalled.",
    "L'application de cet appareil doit encore être réinstallée."};
inline constexpr ExtraText kBusFound{"%1 Schaltuhr(en) gefunden", "%1 time switch(es) found",
                                     "%1 horloge(s) trouvée(s)"};
inline constexpr ExtraText kBusStopSearch{"Suche anhalten", "Stop search", "Arrêter la recherche"};
inline constexpr ExtraText kBusSearchStopped{"Suche angehalten", "Search stopped", "Recherche arrêtée"};
inline constexpr ExtraText kBusLink1Label{"Bus 1", "Bus 1", "Bus 1"};
inline constexpr ExtraText kBusLink2Label{"Bus 2", "Bus 2", "Bus 2"};
inline constexpr ExtraText kBusLinkShown{"Verbindung: ", "Connection: ", "Connexion : "};
inline constexpr ExtraText kBusBadKnxNetIpTarget{
    "keine gültige KNXnet/IP-Adresse (knxnetip:HOST[:PORT])",
    "not a valid KNXnet/IP address (knxnetip:HOST[:PORT])",
    "adresse KNXnet/IP invalide (knxnetip:HÔTE[:PORT])"};
inline constexpr ExtraText kBusBadRoutingTarget{
    "keine gültige KNXnet/IP-Routing-Gruppe (routing:GRUPPE[:PORT][#A.L.D], Gruppe 224.0.0.0 bis 239.255.255.255)",
    "not a valid KNXnet/IP routing group (routing:GROUP[:PORT][#A.L.D], group 224.0.0.0 to 239.255.255.255)",
    "groupe de routage KNXnet/IP invalide (routing:GROUPE[:PORT][#A.L.D], groupe 224.0.0.0 à 239.255.255.255)"};
// Finding KNXnet/IP interfaces.
inline constexpr ExtraText kKnxSearchInterfaces{
    "Schnittstellen suchen...", "Search interfaces...", "Rechercher des interfaces..."};
inline constexpr ExtraText kKnxSearchTitle{
    "KNXnet/IP-Schnittstellen", "KNXnet/IP interfaces", "Interfaces KNXnet/IP"};
inline constexpr ExtraText kKnxSearching{
    "Suche läuft (3 s) ...", "Searching (3 s) ...", "Recherche en cours (3 s) ..."};
inline constexpr ExtraText kKnxFound{
    "%1 Schnittstelle(n) gefunden. Eine Zeile wählen und übernehmen.",
    "%1 interface(s) found. Choose a row and take it.",
    "%1 interface(s) trouvée(s). Choisir une ligne et l'appliquer."};
inline constexpr ExtraText kKnxSearchAgain{"Erneut suchen", "Search again", "Rechercher à nouveau"};
inline constexpr ExtraText kKnxTake{"Übernehmen", "Take", "Appliquer"};
inline constexpr ExtraText kKnxColumnName{"Name", "Name", "Nom"};
inline constexpr ExtraText kKnxColumnAddress{"Adresse", "Address", "Adresse"};
inline constexpr ExtraText kKnxColumnServices{"Dienste", "Services", "Services"};
inline constexpr ExtraText kKnxColumnConnection{"Verbindung", "Connection", "Connexion"};
inline constexpr ExtraText kKnxSecureOnly{
    "KNX IP Secure (nicht unterstützt)", "KNX IP Secure (not supported)", "KNX IP Secure (non pris en charge)"};
inline constexpr ExtraText kKnxNoneFound{
    "Keine KNXnet/IP-Schnittstelle gefunden.", "No KNXnet/IP interface found.",
    "Aucune interface KNXnet/IP trouvée."};
inline constexpr ExtraText kKnxSearchNotSent{
    "Die Suche konnte nicht gesendet werden: keine Netzwerkschnittstelle mit IPv4-Adresse.",
    "The search could not be sent: no network interface with an IPv4 address.",
    "La recherche n'a pas pu être envoyée : aucune interface réseau avec une adresse IPv4."};
// Notes of the KNXnet/IP routing link in protocol.txt.
inline constexpr ExtraText kKnxRoutingOpened{
    "KNXnet/IP-Routing über Gruppe, eigene Adresse: ", "KNXnet/IP routing through group, own address: ",
    "routage KNXnet/IP par le groupe, adresse propre : "};
inline constexpr ExtraText kKnxRoutingNoSocket{
    "Routing-Gruppe nicht erreichbar (UDP-Port belegt oder kein Multicast): ",
    "routing group not reachable (UDP port taken or no multicast): ",
    "groupe de routage injoignable (port UDP occupé ou pas de multicast) : "};
inline constexpr ExtraText kKnxRoutingBusy{
    "KNX-IP-Router ausgelastet (ROUTING_BUSY), Pause ", "KNX IP router busy (ROUTING_BUSY), holding back ",
    "routeur KNX IP surchargé (ROUTING_BUSY), pause "};
inline constexpr ExtraText kKnxRoutingLost{
    "KNX-IP-Router hat Telegramme verloren (ROUTING_LOST_MESSAGE), Anzahl (gesamt): ",
    "KNX IP router lost telegrams (ROUTING_LOST_MESSAGE), count (total): ",
    "le routeur KNX IP a perdu des télégrammes (ROUTING_LOST_MESSAGE), nombre (total) : "};
// Notes of the KNXnet/IP tunnel in protocol.txt.
inline constexpr ExtraText kKnxTunnelOpened{
    "KNXnet/IP-Tunnel offen, eigene Adresse ", "KNXnet/IP tunnel open, own address ",
    "tunnel KNXnet/IP ouvert, adresse propre "};
inline constexpr ExtraText kKnxNoServer{
    "KNXnet/IP-Server antwortet nicht: ", "KNXnet/IP server does not answer: ",
    "le serveur KNXnet/IP ne répond pas : "};
inline constexpr ExtraText kKnxRefused{
    "KNXnet/IP-Server lehnt den Tunnel ab, Status ", "KNXnet/IP server refuses the tunnel, status ",
    "le serveur KNXnet/IP refuse le tunnel, statut "};
inline constexpr ExtraText kKnxNoSocket{
    "kein UDP-Socket zum KNXnet/IP-Server: ", "no UDP socket to the KNXnet/IP server: ",
    "pas de socket UDP vers le serveur KNXnet/IP : "};
inline constexpr ExtraText kKnxNotAcknowledged{
    "KNXnet/IP-Tunnel abgebaut: Anfrage auch wiederholt nicht bestätigt",
    "KNXnet/IP tunnel dropped: request not acknowledged, also when repeated",
    "tunnel KNXnet/IP abandonné : requête non acquittée, même répétée"};
inline constexpr ExtraText kKnxNoHeartbeat{
    "KNXnet/IP-Tunnel abgebaut: keine Antwort auf die Verbindungsprüfung",
    "KNXnet/IP tunnel dropped: no answer to the connection check",
    "tunnel KNXnet/IP abandonné : pas de réponse au contrôle de connexion"};
inline constexpr ExtraText kKnxDroppedByServer{
    "KNXnet/IP-Server hat den Tunnel beendet", "KNXnet/IP server ended the tunnel",
    "le serveur KNXnet/IP a mis fin au tunnel"};
inline constexpr ExtraText kKnxMalformed{
    "fehlerhafte KNXnet/IP-Datagramme ignoriert: ", "malformed KNXnet/IP datagrams ignored: ",
    "datagrammes KNXnet/IP erronés ignorés : "};
inline constexpr ExtraText kKnxForeign{
    "fremde KNXnet/IP-Datagramme ignoriert: ", "foreign KNXnet/IP datagrams ignored: ",
    "datagrammes KNXnet/IP étrangers ignorés : "};
inline constexpr ExtraText kKnxTransportGivenUp{
    "Transportverbindung aufgegeben: keine Quittung (T_ACK) vom Gerät",
    "transport connection given up: no acknowledgement (T_ACK) from the device",
    "connexion de transport abandonnée : pas d'acquittement (T_ACK) de l'appareil"};
inline constexpr ExtraText kKnxTransportRepeated{
    "Telegramm wiederholt (keine Quittung vom Gerät): ", "telegram repeated (no acknowledgement from the device): ",
    "télégramme répété (pas d'acquittement de l'appareil) : "};
inline constexpr ExtraText kKnxTransportTimeout{
    "Transportverbindung nach 6 s ohne Telegramm beendet", "transport connection ended after 6 s without a telegram",
    "connexion de transport terminée après 6 s sans télégramme"};
inline constexpr ExtraText kKnxConfirmError{
    "negative Bestätigung (L_Data.con) der Schnittstelle", "negative confirmation (L_Data.con) from the interface",
    "confirmation négative (L_Data.con) de l'interface"};

} // namespace zendrik
