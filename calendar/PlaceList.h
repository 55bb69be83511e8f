#pragma once

#include "calendar/Place.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace zendrik {

// Outcome of reading, writing and editing a place file.
enum class PlaceFileResult {
    Ok,
    Missing,         // no file of that name
    Unreadable,      // the file exists but cannot be read
    Malformed,       // counts, names or numbers are missing or are no numbers
    ValueOutOfRange, // a bar position outside its scroll bar
    EmptyName,       // adding without a name: nothing changed
    InvalidName,     // the name cannot be stored (quote, comma, line end, character)
    NoSuchPlace,     // removing an index that is not in the list
    WriteFailed,     // the file could not be written; list and file unchanged
};

// The places of the astro dialog (deutsch.ord, english.ord, france.ord):
// a sequential text file with the number of places first, then one line per
// place with its quoted name and the three stored bar positions.
class PlaceList {
public:
    const std::vector<Place>& places() const { return places_; }
    int count() const { return static_cast<int>(places_.size()); }

    // Reads a whole file. A missing file is an empty list (Missing). A file
    // that ends before the count of places is read up to its end; records
    // outside the bars the dialog offers are left out and named by
    // refused(). On any other fault (Malformed, Unreadable) the list keeps
    // what it held.
    PlaceFileResult read(const QString& path);
    PlaceFileResult parse(const QByteArray& data);

    // After reading: the names of the records left out, and how many places
    // the file announced (more than count() + refused when it ended early).
    const QStringList& refused() const { return refused_; }
    int announced() const { return announced_; }
    bool endedEarly() const { return announced_ > count() + static_cast<int>(refused_.size()); }

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
    QStringList refused_;
    int announced_ = 0;
};

} // namespace zendrik
