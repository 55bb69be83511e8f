#pragma once

#include "calendar/Place.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace zendrik {

// Outcome of reading, writing and editing a place file.
enum class PlaceFileResult {
    Ok,
    Missing,           // no file of that name
    Unreadable,        // the file exists but cannot be read
    Malformed,         // counts, names or numbers are missing or are no numbers
    ValueOutOfRange,   // a bar position outside its scroll bar
    EmptyName,         // adding without a name: nothing changed
    InvalidName,       // the name cannot be stored (quote, line end, character)
    NoSuchPlace,       // removing an index that is not in the list
    WriteFailed,       // the file could not be written; list and file unchanged
};

// The places of the astro dialog (deutsch.ord, english.ord, france.ord):
// a sequential text file with the number of places first, then one line per
// place with its quoted name and the three stored bar positions.
class PlaceList {
public:
    const std::vector<Place>& places() const { return places_; }
    int count() const { return static_cast<int>(places_.size()); }

    // Reads a whole file. The list changes only when the whole file is
    // sound; on any fault it keeps what it held.
    PlaceFileResult read(const QString& path);
    PlaceFileResult parse(const QByteArray& data);

    // The file as written: count first, then the records, CR LF line ends.
    QByteArray fileText() const;
    PlaceFileResult write(const QString& path, QString* error = nullptr) const;

    // "Hinzufügen" and "Löschen": change the list and rewrite the file; when
    // the file cannot be written the list stays as it was.
    PlaceFileResult addAndWrite(const QString& path, const Place& place, QString* error = nullptr);
    PlaceFileResult removeAndWrite(const QString& path, int index, QString* error = nullptr);

    // The same changes without touching a file.
    PlaceFileResult add(const Place& place);
    PlaceFileResult remove(int index);

private:
    PlaceFileResult changeAndWrite(const QString& path, QString* error,
                                   const std::function<PlaceFileResult(PlaceList&)>& change);

    std::vector<Place> places_;
};

} // namespace zendrik
