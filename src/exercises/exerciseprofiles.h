#pragma once

#include "exercises/exercise.h"

namespace tivoral::exerciseprofiles {

// What each exercise tells the frame about itself, side by side.
const ExerciseProfile& dosensatz();
const ExerciseProfile& puzzle();
const ExerciseProfile& mosaic();
const ExerciseProfile& verrutscher();
const ExerciseProfile& dictation();

} // namespace tivoral::exerciseprofiles
