// How much gain evens a recording out to the target: the step to the target's loudness,
// lowered where it would push the true peak over the target's ceiling. Gain only: the sound
// is never compressed or limited, so a recording with a high peak ends up quieter.
#pragma once

#include "convert/loudness_meter.h"
#include "convert/player_form.h"

namespace korvane {

// Decibels; 0 for silence, whose loudness cannot be measured.
double EvenOutGain(const Loudness& measured, const LoudnessTarget& target);

} // namespace korvane
