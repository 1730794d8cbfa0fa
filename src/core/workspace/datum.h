#pragma once

// The catalogues, settings and everything above them name the datum as
// workspace::Datum; it is the one type of core/formats/datum.h.

#include "core/formats/datum.h"

namespace ft::workspace {

using formats::Datum;
using formats::datumCode;
using formats::datumFromCode;
using formats::kDatums;
using formats::otherDatum;
using formats::PerDatum;

} // namespace ft::workspace
