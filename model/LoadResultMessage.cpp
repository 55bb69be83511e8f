#include "model/LoadResultMessage.h"

#include "language/FileStateText.h"
#include "model/DeviceImage.h"
#include "model/DeviceTypes.h"

namespace zendrik {

namespace {

// After "Datei für <type>": where a file of another device family opens.
constexpr ExtraText kOpenWithItsType{
    "\nSie lässt sich öffnen, wenn Sie mit Datei → Neu diesen Gerätetyp wählen.",
    "\nTo open it, choose File → New and that device type.",
    "\nPour l'ouvrir, choisissez Fichier → Nouveau et ce type d'appareil."};
// The same on the command line, with the rows of that family.
constexpr ExtraText kOpenWith731Rows{"\nSie lässt sich mit --type 1 bis 18 öffnen (der Typ, für den sie gemacht ist).",
                                     "\nTo open it, give --type 1 to 18 (the type it was made for).",
                                     "\nPour l'ouvrir, indiquez --type 1 à 18 (le type pour lequel il a été fait)."};
constexpr ExtraText kOpenWith752Row{"\nSie lässt sich mit --type 19 öffnen.", "\nTo open it, give --type 19.",
                                    "\nPour l'ouvrir, indiquez --type 19."};
constexpr ExtraText kOpenWith738Row{"\nSie lässt sich mit --type 20 öffnen.", "\nTo open it, give --type 20.",
                                    "\nPour l'ouvrir, indiquez --type 20."};

const ExtraText& openHint(LoadHintFor where, const ExtraText& commandLine)
{
    return where == LoadHintFor::Desktop ? kOpenWithItsType : commandLine;
}

} // namespace

Prompt LoadResultMessage(int result, int brand, const QString& path, LoadHintFor where)
{
    switch (result) {
    case LoadInvalid:
        return Prompt::message(Icon::Critical, {TextId::InvalidFile});
    case LoadNotAFile:
        return FileStatePrompt(FileState::NotRegular, path);
    case LoadNoPermission:
        return FileStatePrompt(FileState::NoPermission, path);
    case LoadLinkLoop:
        return FileStatePrompt(FileState::LinkLoop, path);
    case LoadUnreadable:
        return FileStatePrompt(FileState::Unreadable, path);
    case LoadMissing:
        return Prompt::message(Icon::Critical, {TextId::FileNotFound});
    case LoadFamily731:
        return Prompt::message(Icon::Critical, {TextId::FileFor, QStringLiteral(" "), Family731Text(), openHint(where, kOpenWith731Rows)});
    case LoadFamily752:
        return Prompt::message(Icon::Critical, {TextId::FileFor, QStringLiteral(" "), *DeviceTypeText(19), openHint(where, kOpenWith752Row)});
    case LoadLargeImage:
        return Prompt::message(Icon::Critical, {TextId::FileFor, QStringLiteral(" "), *DeviceTypeText(20), openHint(where, kOpenWith738Row)});
    default:
        return Prompt{};
    }
}

} // namespace zendrik
