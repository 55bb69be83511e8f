#include "calendar/Place.h"

#include "calendar/AstroScrollBars.h"

namespace zendrik {

Place Place::fromLocation(const QString& name, float laenge, float breite, int zone)
{
    return fromBars(name, BarOfLaenge(laenge), BarOfBreite(breite), BarOfZone(zone));
}

Place Place::fromBars(const QString& name, int laengeBar, int breiteBar, int zoneBar)
{
    return Place{name, kLaengeBarMax - laengeBar, kBreiteBarMax - breiteBar, kZoneBarMax - zoneBar};
}

int Place::laengeBar() const
{
    return kLaengeBarMax - laengeStored;
}

int Place::breiteBar() const
{
    return kBreiteBarMax - breiteStored;
}

int Place::zoneBar() const
{
    return kZoneBarMax - zoneStored;
}

float Place::laenge() const
{
    return LaengeOfBar(laengeBar());
}

float Place::breite() const
{
    return BreiteOfBar(breiteBar());
}

int Place::zone() const
{
    return ZoneOfBar(zoneBar());
}

bool Place::isValid() const
{
    return kLaengeRange.contains(laengeBar()) && kBreiteRange.contains(breiteBar()) && kZoneRange.contains(zoneBar());
}

} // namespace zendrik
