#include "core/gis/coordinate_systems.h"

#include <stdexcept>
#include <string>

namespace ft::gis {

int epsgCodeOf(workspace::Datum datum, int zone, WorldDatumRealisation world)
{
    if (zone < kFirstZone || zone > kLastZone)
        throw std::invalid_argument("no plane rectangular zone " + std::to_string(zone));
    // Each datum numbers its nineteen zones consecutively from zone I.
    constexpr int kTokyoZoneI = 30161;
    constexpr int kJgd2011ZoneI = 6669;
    constexpr int kJgd2000ZoneI = 2443;
    int zoneI = kTokyoZoneI;
    if (datum == workspace::Datum::World)
        zoneI = world == WorldDatumRealisation::Jgd2000 ? kJgd2000ZoneI : kJgd2011ZoneI;
    return zoneI + zone - kFirstZone;
}

} // namespace ft::gis
