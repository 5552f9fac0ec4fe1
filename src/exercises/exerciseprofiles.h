#pragma once

#include "exercises/exercise.h"

namespace tivoral::exerciseprofiles {

// What each of the four exercises tells the frame about itself, side by side.
const ExerciseProfile& dosensatz();
const ExerciseProfile& puzzle();
const ExerciseProfile& mosaic();
const ExerciseProfile& verrutscher();

} // namespace tivoral::exerciseprofiles
