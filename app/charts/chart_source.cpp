#include "charts/chart_source.h"

#include "thermframe.h"

#include <algorithm>
#include <string>

namespace chart_source {

// No analysis object has more points than a picture of 4096 x 4096 pixels.
constexpr uint32_t kMaxPoints = 4096u * 4096u;

QString alias_of(void* ana)
{
    std::string alias;
    if (ana == nullptr || !thermframe_ana_get_alias(ana, alias)) {
        return QString();
    }
    return QString::fromStdString(alias);
}

QString short_name(const QString& name)
{
    const int cut = std::max(name.lastIndexOf('\\'), name.lastIndexOf('/'));
    return cut >= 0 ? name.mid(cut + 1) : name;
}

bool read_all_temps(void* ana, std::vector<float>& temps)
{
    uint32_t count = 0;
    if (ana == nullptr || !thermframe_ana_get_all_temp(ana, nullptr, count) || count == 0 || count > kMaxPoints) {
        return false;
    }
    temps.resize(count);
    uint32_t got = count;
    if (!thermframe_ana_get_all_temp(ana, temps.data(), got) || got == 0 || got > count) {
        return false;
    }
    temps.resize(got);
    return true;
}

void read_temps(void* ana, float& f_max, float& f_min, float& f_avg)
{
    uint16_t x = 0, y = 0, ad = 0;
    thermframe_ana_get_max_temp(ana, x, y, ad, f_max);
    thermframe_ana_get_min_temp(ana, x, y, ad, f_min);
    thermframe_ana_get_avg_temp(ana, ad, f_avg);
}

}  // namespace chart_source
