#pragma once

#include "calendar/Feiertag.h"
#include "calendar/FeiertagSet.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace zendrik {

// Outcome of the holiday table's operations and of reading and writing its file.
enum class FeiertagResult {
    Ok,
    EmptyName,     // a holiday or set without a name is not added
    InvalidName,   // the name cannot be stored (line end, character)
    NameSeparator, // a comma or quote would split the name's line in the file
    InvalidValues, // the values make no date (see Feiertag::hasValidValues)
    Duplicate,     // the same holiday is in the table already
    DuplicateSet,  // a set of that name exists already
    NoSuchHoliday,
    NoSuchSet,
    TooManySets, // 30 sets
    SetFull,     // 59 members
    AlreadyMember,
    NotMember,
    Missing, // no holiday file of that name
    Unreadable,
    Malformed,       // counts, names or numbers missing, or more records than counted
    ValueOutOfRange, // a record without a date, a count or member index outside the tables
    NewerKind,       // a kind of holiday only a newer version knows: the file is not read
    WriteFailed,
};

// The holidays and holiday sets of the installation (one file per language:
// deutsch.hdy, english.hdy, france.hdy). Not part of a program.
class FeiertagTabelle {
public:
    const std::vector<Feiertag>& Feiertage() const { return feiertage_; }
    const std::vector<FeiertagSet>& Sets() const { return sets_; }
    int AnzFeiertage() const { return static_cast<int>(feiertage_.size()); }
    int AnzSets() const { return static_cast<int>(sets_.size()); }

    // The name of the first Easter-relative holiday whose offset is code - 82
    // (the value a movable priority time stores); empty when there is none.
    QString FeiertagName(int code) const;
    // Index of the set with this name, -1 when there is none.
    int findSet(const QString& name) const;

    FeiertagResult addFeiertag(const Feiertag& feiertag);
    // Removes a holiday and its membership in every set; the members after
    // it move down with the table.
    FeiertagResult removeFeiertag(int index);
    FeiertagResult addSet(const QString& name);
    FeiertagResult removeSet(int index);
    FeiertagResult addToSet(int set, int feiertag);
    FeiertagResult removeFromSet(int set, int feiertag);

    // The holiday file. Reading replaces the tables only when the whole file
    // is sound; on any fault they keep what they held.
    FeiertagResult read(const QString& path);
    FeiertagResult parse(const QByteArray& data);
    QByteArray fileText() const;
    // Writing never replaces a file of a newer version (NewerKind).
    FeiertagResult write(const QString& path, QString* error = nullptr) const;

private:
    std::vector<Feiertag> feiertage_;
    std::vector<FeiertagSet> sets_;
};

} // namespace zendrik
