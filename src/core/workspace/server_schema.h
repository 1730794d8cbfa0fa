#pragma once

#include "core/workspace/datum.h"

namespace ft::workspace {

// The datum's schema on a catalogue server: dorsajpn or dorsawrd.
const char* serverSchemaName(Datum datum);

} // namespace ft::workspace
