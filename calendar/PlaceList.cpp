#include "calendar/PlaceList.h"

#include "calendar/SequentialItems.h"
#include "util/AtomicFile.h"
#include "model/SequentialReader.h"

#include <climits>

namespace zendrik {

namespace {

// A place count the dialog's 16-bit index could still address.
constexpr int kMaxPlaces = 32767;

} // namespace

PlaceFileResult PlaceList::read(const QString& path)
{
    return ReadAndParse<PlaceFileResult>(path, [this](const QByteArray& data) { return parse(data); });
}

PlaceFileResult PlaceList::parse(const QByteArray& data)
{
    SequentialReader reader(data);
    const std::optional<int> count = ReadNumberIn(reader, 0, kMaxPlaces);
    if (!count)
        return PlaceFileResult::Malformed;

    std::vector<Place> places;
    for (int i = 0; i < *count; ++i) {
        const std::optional<QString> name = reader.readTextItem();
        if (!name)
            return PlaceFileResult::Malformed;
        int numbers[3] = {};
        for (int& n : numbers) {
            const std::optional<int> value = ReadNumberIn(reader, INT_MIN, INT_MAX);
            if (!value)
                return PlaceFileResult::Malformed;
            n = *value;
        }
        const Place place{*name, numbers[0], numbers[1], numbers[2]};
        if (!place.isValid())
            return PlaceFileResult::ValueOutOfRange;
        places.push_back(place);
    }
    if (!OnlyBlankItemsLeft(reader))
        return PlaceFileResult::Malformed;
    places_ = std::move(places);
    return PlaceFileResult::Ok;
}

QByteArray PlaceList::fileText() const
{
    QByteArray out = QByteArray::number(count()) + "\r\n";
    for (const Place& p : places_) {
        out += QuotedItem(p.name) + ',' + QByteArray::number(p.laengeStored) + ','
            + QByteArray::number(p.breiteStored) + ',' + QByteArray::number(p.zoneStored) + "\r\n";
    }
    return out;
}

PlaceFileResult PlaceList::write(const QString& path, QString* error) const
{
    return WriteFileAtomically(path, fileText(), error) ? PlaceFileResult::Ok : PlaceFileResult::WriteFailed;
}

PlaceFileResult PlaceList::add(const Place& place)
{
    switch (CheckQuotedName(place.name)) {
    case NameCheck::Ok:
        break;
    case NameCheck::Empty:
        return PlaceFileResult::EmptyName;
    default:
        return PlaceFileResult::InvalidName;
    }
    if (!place.isValid())
        return PlaceFileResult::ValueOutOfRange;
    if (count() >= kMaxPlaces)
        return PlaceFileResult::ValueOutOfRange;
    places_.push_back(place);
    return PlaceFileResult::Ok;
}

PlaceFileResult PlaceList::remove(int index)
{
    if (index < 0 || index >= count())
        return PlaceFileResult::NoSuchPlace;
    places_.erase(places_.begin() + index);
    return PlaceFileResult::Ok;
}

PlaceFileResult PlaceList::changeAndWrite(const QString& path, QString* error,
                                          const std::function<PlaceFileResult(PlaceList&)>& change)
{
    PlaceList changed = *this;
    if (const PlaceFileResult r = change(changed); r != PlaceFileResult::Ok)
        return r;
    if (const PlaceFileResult r = changed.write(path, error); r != PlaceFileResult::Ok)
        return r;
    *this = std::move(changed);
    return PlaceFileResult::Ok;
}

PlaceFileResult PlaceList::addAndWrite(const QString& path, const Place& place, QString* error)
{
    return changeAndWrite(path, error, [&](PlaceList& list) { return list.add(place); });
}

PlaceFileResult PlaceList::removeAndWrite(const QString& path, int index, QString* error)
{
    return changeAndWrite(path, error, [&](PlaceList& list) { return list.remove(index); });
}

} // namespace zendrik
