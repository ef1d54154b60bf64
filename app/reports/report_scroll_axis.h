// One scroll bar of the report designer: its extent, offset and thumb, the
// hit areas along it and the steps that move it. Integer pixels throughout;
// a bar too short for its track scrolls by arrows and track clicks only.
#pragma once

class ReportScrollAxis {
public:
    // Parts of a bar, in the order they lie from the start to the end.
    enum Part { kNone = 0, kBackArrow, kBackTrack, kThumb, kForwardTrack, kForwardArrow };

    static constexpr int kBarWidth = 17;
    static constexpr int kArrowStep = 6;
    static constexpr int kDefaultThumb = 50;

    // Takes a new extent; an offset beyond the new maximum returns to 0.
    void set_extent(int content, int visible);
    void hide() { m_shown = false; }

    // Clamps to 0 ... maximum; true when the offset changed.
    bool scroll_to(int offset);
    bool scroll_by(int delta) { return scroll_to(m_offset + delta); }
    // One arrow or track step toward the start or the end.
    bool step(Part part);
    // A thumb drag of delta pixels along the bar.
    bool drag(int delta);

    // The part under pos on a bar of length pixels (the item's size along it).
    Part part_at(int pos, int length) const;
    // The thumb's distance from the start of a track span.
    int thumb_offset(int span) const;

    bool shown() const { return m_shown; }
    int offset() const { return m_shown ? m_offset : 0; }
    int content() const { return m_content; }
    int visible() const { return m_visible; }
    int max_offset() const { return m_content > m_visible ? m_content - m_visible : 0; }
    float ratio() const { return m_ratio; }
    int thumb() const { return m_thumb; }

private:
    bool m_shown = false;
    int m_offset = 0;
    int m_content = 0;
    int m_visible = 0;
    float m_ratio = 0.0f;
    int m_thumb = kDefaultThumb;
};
