#include "editing/HolidayChoice.h"

#include "calendar/FeiertagTabelle.h"
#include "language/TextTable.h"

namespace zendrik {

QStringList HolidaySetItems(const FeiertagTabelle& table, const TextTable& texts)
{
    QStringList items;
    for (const FeiertagSet& set : table.Sets())
        items << set.SetName;
    items << texts(TextId::All);
    return items;
}

std::vector<int> HolidaysOfSetItem(const FeiertagTabelle& table, int setItem)
{
    std::vector<int> holidays;
    if (setItem >= 0 && setItem < table.AnzSets()) {
        for (int member : table.Sets()[static_cast<std::size_t>(setItem)].SetGlied) {
            if (member >= 0 && member < table.AnzFeiertage())
                holidays.push_back(member);
        }
        return holidays;
    }
    for (int i = 0; i < table.AnzFeiertage(); ++i)
        holidays.push_back(i);
    return holidays;
}

} // namespace zendrik
