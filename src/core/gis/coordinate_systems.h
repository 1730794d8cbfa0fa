#pragma once

// The coordinate reference systems a data set is exported in: the Japan
// Plane Rectangular coordinate system of its zone (the header's KEI, 1 to
// 19) on its catalogue's datum.

#include "core/workspace/datum.h"

namespace ft::gis {

// The world datum (世界測地系) has two realisations: JGD2011, the legal datum
// since 2011 and the default, and JGD2000 before it.
enum class WorldDatumRealisation { Jgd2011, Jgd2000 };

inline constexpr int kFirstZone = 1;
inline constexpr int kLastZone = 19;

// The EPSG code of zone 1 to 19: Tokyo datum (日本測地系) 30161-30179,
// JGD2011 6669-6687, JGD2000 2443-2461. Throws std::invalid_argument for a
// zone outside 1 to 19.
int epsgCodeOf(workspace::Datum datum, int zone, WorldDatumRealisation world);

} // namespace ft::gis
