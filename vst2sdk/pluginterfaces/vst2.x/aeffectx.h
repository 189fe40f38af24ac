// The VST 2 interface: see aeffect.h beside this file, which holds it whole.
#pragma once
#include "aeffect.h"
