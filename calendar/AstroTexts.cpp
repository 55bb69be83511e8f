#include "calendar/AstroTexts.h"

#include "language/TextTable.h"

namespace zendrik {

QString AstroChannelMessage(AstroChannelCheck check, const TextTable& texts)
{
    switch (check) {
    case AstroChannelCheck::Ok:
        return QString();
    case AstroChannelCheck::NoAstroDevice:
        return texts(kAstroNoDevice);
    case AstroChannelCheck::NotAstroDeviceChannel:
        return texts(kAstroNotDeviceChannel);
    case AstroChannelCheck::NotAnAstroChannel:
        break;
    }
    return texts(kAstroNotAnAstroChannel);
}

QString PlaceFileMessage(PlaceFileResult result, const QString& file, const QString& error, const TextTable& texts)
{
    switch (result) {
    case PlaceFileResult::Ok:
    case PlaceFileResult::Missing:
    case PlaceFileResult::EmptyName:
        return QString();
    case PlaceFileResult::Unreadable:
    case PlaceFileResult::Malformed:
        return texts(kPlaceFileBad).arg(file);
    case PlaceFileResult::ValueOutOfRange:
        return texts(kPlaceOffScale);
    case PlaceFileResult::InvalidName:
        return texts(kPlaceNameInvalid);
    case PlaceFileResult::NoSuchPlace:
        return texts(TextId::Place);
    case PlaceFileResult::WriteFailed:
        break;
    }
    return texts(kPlaceFileNotWritten).arg(file, error);
}

QString PlaceReadNotes(const PlaceList& list, const QString& file, const TextTable& texts)
{
    QStringList notes;
    if (!list.refused().isEmpty())
        notes << texts(kPlacesRefused).arg(file, list.refused().join(QStringLiteral(", ")));
    if (list.endedEarly()) {
        const int read = list.count() + static_cast<int>(list.refused().size());
        notes << texts(kPlacesEndedEarly).arg(file).arg(list.announced()).arg(read);
    }
    return notes.join(u'\n');
}

} // namespace zendrik
