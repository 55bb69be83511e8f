#pragma once

#include <QStringList>

#include <vector>

namespace zendrik {

class FeiertagTabelle;
class TextTable;

// The movable-holiday controls of the priority-time dialog. cbo_Ft_sets
// lists the holiday sets and, as its last item, the whole holiday list
// ("alle"); lst_bew_Feiertage lists the holidays of the chosen item.
QStringList HolidaySetItems(const FeiertagTabelle& table, const TextTable& texts);

// The indices into the holiday table that lst_bew_Feiertage shows for combo
// item `setItem`; member indices the table does not have are left out.
std::vector<int> HolidaysOfSetItem(const FeiertagTabelle& table, int setItem);

} // namespace zendrik
