// Rebuilding the occupied regions and laying out every label of a document.
#include "label_font.h"
#include "label_place.h"
#include "registry.h"
#include "sensekern.h"
#include "temp_text.h"
#include "text_widths.h"
#include "tf_log.h"

#include <QElapsedTimer>
#include <QGuiApplication>

namespace thermframe {
namespace detail {
namespace {

const int32_t kRegionKinds[] = {ANA_RECT, ANA_ELLIPSE, ANA_POLYGON, ANA_POLYLINE};
const int32_t kLayoutKinds[] = {ANA_RECT, ANA_LINE, ANA_ELLIPSE, ANA_POLYGON, ANA_POINT, ANA_POLYLINE};

// Fonts need a running QGuiApplication; without one labels are not laid out.
bool ensure_metrics(FrameDoc& doc)
{
    if (!doc.label_metrics && QGuiApplication::instance() != nullptr) {
        const QFont font = vy::label_font();
        doc.label_metrics.reset(new QFontMetrics(font));
        doc.label_font_key = font.key();
    }
    return doc.label_metrics != nullptr;
}

// Alias followed by the temperature text; false when sensekern has no alias.
bool label_text(FrameDoc& doc, const AnaEntry& entry, std::string& label)
{
    VyLockGuard guard(doc.sensekern_lock);
    if (!guard) {
        return false;
    }
    char alias[1024] = {};
    uint32_t length = sizeof(alias);
    if (!sensekern_ana_get_alias(doc.sensekern_handle(), entry.text, alias, &length) ||
        length >= sizeof(alias)) {
        return false;
    }
    label.assign(alias, length);
    std::string temps;
    if (read_temp_text(doc, entry.text, temps)) {
        label += temps;
    }
    return true;
}

// The label's width in the label font, remembered across documents.
int label_width(FrameDoc& doc, const std::string& label)
{
    return vy::TextWidths::shared().width(doc.label_font_key, *doc.label_metrics, QString::fromUtf8(label.c_str()));
}

}  // namespace

bool read_temp_text(FrameDoc& doc, const std::string& text, std::string& out)
{
    out.clear();
    void* sk = doc.sensekern_handle();
    ShowTextType mask_value;
    if (text.empty() || !sensekern_ana_get_show_text_type(sk, text.c_str(), &mask_value)) {
        return false;
    }
    const int mask = static_cast<int>(mask_value) & (SHOW_TEXT_MAX | SHOW_TEXT_MIN | SHOW_TEXT_AVG);
    if (mask == 0) {
        return false;
    }
    const bool point = text[0] == 'P';
    LabelTemps temps;
    tagPAD position;
    uint16_t ad;
    if ((point || (mask & SHOW_TEXT_MAX)) &&
        !sensekern_ana_get_max_temperature(sk, text.c_str(), &position, &temps.max)) {
        return false;
    }
    if (!point && (mask & SHOW_TEXT_MIN) &&
        !sensekern_ana_get_min_temperature(sk, text.c_str(), &position, &temps.min)) {
        return false;
    }
    if (!point && (mask & SHOW_TEXT_AVG) &&
        !sensekern_ana_get_avg_temperature(sk, text.c_str(), &ad, &temps.avg)) {
        return false;
    }
    out = format_temp_text(point, mask, temps);
    return true;
}

void relayout(FrameDoc& doc)
{
    doc.layout_stale.store(true);
}

void ensure_layout(FrameDoc& doc)
{
    if (doc.layout_holds.load() > 0 || !doc.layout_stale.exchange(false)) {
        return;
    }
    QElapsedTimer timer;
    timer.start();
    {
        VyLockGuard guard(doc.registry_lock);
        if (!guard) {
            return;
        }
        doc.occupied.clear();
        LabelWork work;
        for (int32_t kind : kRegionKinds) {
            auto list = doc.anas.find(kind);
            if (list == doc.anas.end()) {
                continue;
            }
            for (const AnaEntry* entry : list->second) {
                QRegion region = covered_region(kind, entry->window_nodes, work);
                if (!region.isEmpty()) {
                    doc.occupied.push_back(region);
                }
            }
        }
        if (!ensure_metrics(doc)) {
            return;
        }
        const QFontMetrics& metrics = *doc.label_metrics;
        const int arrow_width = label_width(doc, "<-");
        LabelWindow window{doc.wnd_width, doc.wnd_height, doc.rotation.load()};
        std::vector<QRegion> working = doc.occupied;
        for (int32_t kind : kLayoutKinds) {
            auto list = doc.anas.find(kind);
            if (list == doc.anas.end()) {
                continue;
            }
            for (AnaEntry* entry : list->second) {
                std::string label;
                if (entry->window_nodes.empty() || !label_text(doc, *entry, label)) {
                    continue;
                }
                LabelMetrics measured{label_width(doc, label), metrics.height(), arrow_width};
                LabelPlacement placement;
                if (place_label(kind, entry->window_nodes, entry->image_nodes, measured, window,
                                working, placement, work)) {
                    entry->label_side = placement.side;
                    entry->label_dx = placement.dx;
                    entry->label_dy = placement.dy;
                    entry->anchor_x = placement.anchor_x;
                    entry->anchor_y = placement.anchor_y;
                }
            }
        }
        if (work.spent()) {
            TF_INFO("relayout", " labels past %lld steps placed the simple way", static_cast<long long>(work.limit));
        }
    }
    TF_INFO("relayout", " update_all_ana_loc %lld", static_cast<long long>(timer.elapsed()));
}

}  // namespace detail
}  // namespace thermframe
