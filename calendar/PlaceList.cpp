#include "calendar/PlaceList.h"

#include "calendar/SequentialItems.h"
#include "model/SequentialReader.h"
#include "util/AtomicFile.h"

#include <climits>

namespace zendrik {

namespace {

// A place count the dialog's 16-bit index could still address.
constexpr int kMaxPlaces = 32767;

} // namespace

PlaceFileResult PlaceList::read(const QString& path)
{
    const PlaceFileResult r =
        ReadAndParse<PlaceFileResult>(path, [this](const QByteArray& data) { return parse(data); });
    // A language without its place file simply has no places yet.
    if (r == PlaceFileResult::Missing) {
        places_.clear();
        refused_.clear();
        announced_ = 0;
    }
    return r;
}

PlaceFileResult PlaceList::parse(const QByteArray& data)
{
    SequentialReader reader(data);
    const std::optional<int> count = ReadNumberIn(reader, 0, kMaxPlaces);
    if (!count)
        return PlaceFileResult::Malformed;

    std::vector<Place> places;
    QStringList refused;
    for (int i = 0; i < *count; ++i) {
        // A count larger than the records: the list ends with the file.
        if (reader.atEnd())
            break;
        const std::optional<QString> name = reader.readTextItem();
        if (!name)
            break;
        // Blank lines at the end, or a last record cut short, end the list too.
        bool cut = false;
        int numbers[3] = {};
        for (int& n : numbers) {
            if (reader.atEnd()) {
                cut = true;
                break;
            }
            const std::optional<int> value = ReadNumberIn(reader, INT_MIN, INT_MAX);
            if (!value)
                return PlaceFileResult::Malformed;
            n = *value;
        }
        if (cut)
            break;
        const Place place{*name, numbers[0], numbers[1], numbers[2]};
        // A record off the bars' scales is left out; the others are kept.
        if (place.isValid())
            places.push_back(place);
        else
            refused << *name;
    }
    if (!OnlyBlankItemsLeft(reader))
        return PlaceFileResult::Malformed;
    places_ = std::move(places);
    refused_ = std::move(refused);
    announced_ = *count;
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
    // Older readers split the record at a comma even inside the quotes.
    if (place.name.contains(QLatin1Char(',')))
        return PlaceFileResult::InvalidName;
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
