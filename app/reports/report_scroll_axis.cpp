#include "reports/report_scroll_axis.h"

#include <QtGlobal>

#include <cstdint>

namespace {
// Arrow boxes and margins the track leaves free on a bar.
constexpr int kTrackMargin = 84;
}  // namespace

void ReportScrollAxis::set_extent(int content, int visible)
{
    m_shown = true;
    m_content = qMax(0, content);
    m_visible = qMax(0, visible);
    if (m_offset > m_content - m_visible) m_offset = 0;
    const int range = max_offset();
    const int track = m_visible - kTrackMargin;
    if (track <= 0) {
        // No room for a track: the thumb cannot be dragged.
        m_thumb = 0;
        m_ratio = 0.0f;
    } else if (range >= track) {
        m_thumb = kDefaultThumb;
        m_ratio = static_cast<float>(range) / static_cast<float>(track);
    } else {
        m_ratio = 1.0f;
        m_thumb = 2 * m_visible - m_content - 34;
    }
}

bool ReportScrollAxis::scroll_to(int offset)
{
    const int clamped = qBound(0, offset, max_offset());
    if (clamped == m_offset) return false;
    m_offset = clamped;
    return true;
}

bool ReportScrollAxis::step(Part part)
{
    const int track_step = m_content / 20;
    switch (part) {
    case kBackArrow: return scroll_by(-kArrowStep);
    case kForwardArrow: return scroll_by(kArrowStep);
    case kBackTrack: return scroll_by(-track_step);
    case kForwardTrack: return scroll_by(track_step);
    default: return false;
    }
}

bool ReportScrollAxis::drag(int delta)
{
    if (m_ratio <= 0.00001f) return false;
    return scroll_to(static_cast<int>(static_cast<float>(m_offset) + static_cast<float>(delta) * m_ratio));
}

int ReportScrollAxis::thumb_offset(int span) const
{
    const int range = max_offset();
    if (range <= 0 || span <= 0) return 0;
    return static_cast<int>(int64_t(span) * m_offset / range);
}

ReportScrollAxis::Part ReportScrollAxis::part_at(int pos, int length) const
{
    const int position = thumb_offset(length - m_thumb - 59);
    if (pos < 21) return kBackArrow;
    if (pos < position + 20) return kBackTrack;
    if (pos <= m_thumb + 21 + position) return kThumb;
    if (pos <= length - 37) return kForwardTrack;
    if (pos > length - kBarWidth) return kNone;
    return kForwardArrow;
}
