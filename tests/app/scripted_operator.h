#pragma once

// Kept so that tests including it by this name go on compiling; the scripted
// operator lives with the other shared test helpers.
#include "support/scripted_operator.h"
