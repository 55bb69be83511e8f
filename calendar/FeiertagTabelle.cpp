#include "calendar/FeiertagTabelle.h"

#include "calendar/SequentialItems.h"
#include "model/Entry.h"
#include "model/SequentialReader.h"
#include "util/AtomicFile.h"

#include <algorithm>
#include <climits>

namespace zendrik {

namespace {

// The dialog indexes the table with 16-bit numbers.
constexpr int kMaxFeiertage = 32767;

// Older versions of the file wrote names unquoted, and other programs still
// read them that way: a comma or quote in a name would shift every later
// item, so neither is taken.
FeiertagResult NameResult(const QString& name)
{
    if (name.contains(QLatin1Char(',')))
        return FeiertagResult::NameSeparator;
    switch (CheckQuotedName(name)) {
    case NameCheck::Ok:
        return FeiertagResult::Ok;
    case NameCheck::Empty:
        return FeiertagResult::EmptyName;
    case NameCheck::Quote:
        return FeiertagResult::NameSeparator;
    default:
        return FeiertagResult::InvalidName;
    }
}

// A name as read from the file. A hand-edited file can leave a stray quote
// in an unquoted name; written back inside quotes it would end the name
// early and shift every later item, so the quote is dropped on reading.
QString ReadName(const QString& item)
{
    QString name = item;
    name.remove(QLatin1Char('"'));
    return name;
}

QByteArray Number(int n)
{
    return QByteArray::number(n);
}

} // namespace

QString FeiertagTabelle::FeiertagName(int code) const
{
    for (const Feiertag& f : feiertage_) {
        if (f.Art == FeiertagOstern && f.Tag == code - kEasterOffsetBias)
            return f.Name;
    }
    return {};
}

int FeiertagTabelle::findSet(const QString& name) const
{
    for (int i = 0; i < AnzSets(); ++i) {
        if (sets_[static_cast<std::size_t>(i)].SetName == name)
            return i;
    }
    return -1;
}

FeiertagResult FeiertagTabelle::addFeiertag(const Feiertag& feiertag)
{
    if (const FeiertagResult r = NameResult(feiertag.Name); r != FeiertagResult::Ok)
        return r;
    if (!feiertag.hasValidValues())
        return FeiertagResult::InvalidValues;
    if (feiertag.Art == FeiertagOstern
        && (feiertag.Tag < kMinEasterEntryOffset || feiertag.Tag > kMaxEasterEntryOffset))
        return FeiertagResult::InvalidValues;
    if (std::find(feiertage_.begin(), feiertage_.end(), feiertag) != feiertage_.end())
        return FeiertagResult::Duplicate;
    if (AnzFeiertage() >= kMaxFeiertage)
        return FeiertagResult::ValueOutOfRange;
    feiertage_.push_back(feiertag);
    return FeiertagResult::Ok;
}

FeiertagResult FeiertagTabelle::removeFeiertag(int index)
{
    if (index < 0 || index >= AnzFeiertage())
        return FeiertagResult::NoSuchHoliday;
    feiertage_.erase(feiertage_.begin() + index);
    for (FeiertagSet& set : sets_) {
        std::vector<int> kept;
        for (const int member : set.SetGlied) {
            if (member != index)
                kept.push_back(member > index ? member - 1 : member);
        }
        set.SetGlied = std::move(kept);
    }
    return FeiertagResult::Ok;
}

FeiertagResult FeiertagTabelle::addSet(const QString& name)
{
    if (const FeiertagResult r = NameResult(name); r != FeiertagResult::Ok)
        return r;
    if (findSet(name) >= 0)
        return FeiertagResult::DuplicateSet;
    if (AnzSets() >= kMaxFeiertagSets)
        return FeiertagResult::TooManySets;
    sets_.push_back(FeiertagSet{name, {}});
    return FeiertagResult::Ok;
}

FeiertagResult FeiertagTabelle::removeSet(int index)
{
    if (index < 0 || index >= AnzSets())
        return FeiertagResult::NoSuchSet;
    sets_.erase(sets_.begin() + index);
    return FeiertagResult::Ok;
}

FeiertagResult FeiertagTabelle::addToSet(int set, int feiertag)
{
    if (set < 0 || set >= AnzSets())
        return FeiertagResult::NoSuchSet;
    if (feiertag < 0 || feiertag >= AnzFeiertage())
        return FeiertagResult::NoSuchHoliday;
    std::vector<int>& members = sets_[static_cast<std::size_t>(set)].SetGlied;
    if (std::find(members.begin(), members.end(), feiertag) != members.end())
        return FeiertagResult::AlreadyMember;
    if (static_cast<int>(members.size()) >= kMaxSetGlieder)
        return FeiertagResult::SetFull;
    members.push_back(feiertag);
    return FeiertagResult::Ok;
}

FeiertagResult FeiertagTabelle::removeFromSet(int set, int feiertag)
{
    if (set < 0 || set >= AnzSets())
        return FeiertagResult::NoSuchSet;
    std::vector<int>& members = sets_[static_cast<std::size_t>(set)].SetGlied;
    const auto it = std::find(members.begin(), members.end(), feiertag);
    if (it == members.end())
        return FeiertagResult::NotMember;
    members.erase(it);
    return FeiertagResult::Ok;
}

FeiertagResult FeiertagTabelle::read(const QString& path)
{
    return ReadAndParse<FeiertagResult>(path, [this](const QByteArray& data) { return parse(data); });
}

FeiertagResult FeiertagTabelle::parse(const QByteArray& data)
{
    SequentialReader reader(data);
    const std::optional<long long> anzFeiertage = reader.readSignedInteger();
    const std::optional<long long> anzSets = reader.readSignedInteger();
    if (!anzFeiertage || !anzSets)
        return FeiertagResult::Malformed;
    if (*anzFeiertage < 0 || *anzFeiertage > kMaxFeiertage || *anzSets < 0 || *anzSets > kMaxFeiertagSets)
        return FeiertagResult::ValueOutOfRange;

    std::vector<Feiertag> feiertage;
    for (long long i = 0; i < *anzFeiertage; ++i) {
        const std::optional<QString> name = reader.readTextItem();
        if (!name)
            return FeiertagResult::Malformed;
        int values[4] = {};
        for (int& v : values) {
            const std::optional<int> n = ReadNumberIn(reader, INT_MIN, INT_MAX);
            if (!n)
                return FeiertagResult::Malformed;
            v = *n;
        }
        const Feiertag f{ReadName(*name), values[0], values[1], values[2], values[3]};
        // Older versions know fewer kinds and refuse the file for a kind
        // they do not know; this one says why when a newer version wrote it.
        if (f.Art > kLetzteFeiertagArt)
            return FeiertagResult::NewerKind;
        if (!f.hasValidValues())
            return FeiertagResult::ValueOutOfRange;
        feiertage.push_back(f);
    }

    std::vector<FeiertagSet> sets;
    for (long long s = 0; s < *anzSets; ++s) {
        FeiertagSet set;
        const std::optional<QString> name = reader.readTextItem();
        if (!name)
            return FeiertagResult::Malformed;
        set.SetName = ReadName(*name);
        const std::optional<long long> count = reader.readSignedInteger();
        if (!count)
            return FeiertagResult::Malformed;
        if (*count < 0 || *count > kMaxSetGlieder)
            return FeiertagResult::ValueOutOfRange;
        for (long long m = 0; m < *count; ++m) {
            const std::optional<long long> member = reader.readSignedInteger();
            if (!member)
                return FeiertagResult::Malformed;
            if (*member < 0 || *member >= *anzFeiertage)
                return FeiertagResult::ValueOutOfRange;
            set.SetGlied.push_back(static_cast<int>(*member));
        }
        sets.push_back(std::move(set));
    }
    if (!OnlyBlankItemsLeft(reader))
        return FeiertagResult::Malformed;

    feiertage_ = std::move(feiertage);
    sets_ = std::move(sets);
    return FeiertagResult::Ok;
}

QByteArray FeiertagTabelle::fileText() const
{
    QByteArray out = Number(AnzFeiertage()) + ',' + Number(AnzSets()) + "\r\n";
    for (const Feiertag& f : feiertage_) {
        out += QuotedItem(f.Name) + ',' + Number(f.Art) + ',' + Number(f.Wochentag) + ',' + Number(f.Tag) + ','
            + Number(f.Monat) + "\r\n";
    }
    for (const FeiertagSet& set : sets_) {
        out += QuotedItem(set.SetName) + "\r\n";
        out += Number(static_cast<int>(set.SetGlied.size())) + "\r\n";
        for (const int member : set.SetGlied)
            out += Number(member) + "\r\n";
    }
    return out;
}

FeiertagResult FeiertagTabelle::write(const QString& path, QString* error) const
{
    // A file of a newer version was not read: writing over it would lose it.
    if (FeiertagTabelle existing; existing.read(path) == FeiertagResult::NewerKind)
        return FeiertagResult::NewerKind;
    return WriteFileAtomically(path, fileText(), error) ? FeiertagResult::Ok : FeiertagResult::WriteFailed;
}

} // namespace zendrik
