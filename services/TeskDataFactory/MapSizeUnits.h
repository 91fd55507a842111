#pragma once
// Length-unit codes of the project's units settings, shared with the
// coordinate classes.
#include "services/Meriq10/MapSizeUnits.h"
