// Calibration engines kept after the frame that made them from a stored model
// has let them go. Making one (reading the calibration data, starting its
// script, computing the base temperature and the AD table) costs more than
// the rest of a picture's open; a picture opened again, or another one taken
// with the same model, sensor readings and parameters, takes the kept engine
// instead. Only engines that are still exactly what those inputs make are
// kept, so a taken engine converts as a newly made one would.
#pragma once

#include "frame.h"

namespace sensekern {
namespace detail {

// The engine made from this model at these parameters, or null; the caller
// owns it.
void* take_engine(const Model& model, const Params& params);
// Keeps an engine that is still as the model and parameters made it, or
// releases it when the stock is full (the oldest kept one goes first).
void give_back_engine(void* engine, Model&& model, const Params& params);

}  // namespace detail
}  // namespace sensekern
