// What the charts read of an analysis object in its frame document.
#pragma once

#include <QString>

#include <vector>

namespace chart_source {

// The object's alias (empty when it has none or the handle is stale).
QString alias_of(void* ana);
// The text after the last backslash or slash of a source name.
QString short_name(const QString& name);
// Reads every temperature of the object into temps (resized to the count,
// capacity kept between calls); false when the object has none or the read
// fails.
bool read_all_temps(void* ana, std::vector<float>& temps);
// Maximum, minimum and average; each stays at its preset when its read fails.
void read_temps(void* ana, float& f_max, float& f_min, float& f_avg);

}  // namespace chart_source
