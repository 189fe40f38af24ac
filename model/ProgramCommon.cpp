#include "model/ProgramCommon.h"

// The sub-object has no behaviour of its own; this unit keeps the one-class-per-pair
// layout of the model folder.
