// Construction, palette and mode switches of the imaging object.
#include "imaging.h"

#include "basekit.h"
#include "palette_tables.h"
#include "picture_cache.h"

namespace palettor::detail {

bool window_ok(int width, int height, const Window& w)
{
    return width > 0 && height > 0 && w.left <= w.right && w.top <= w.bottom && w.right < width &&
           w.bottom < height;
}

Imaging::Imaging(bool flag)
    : _VYBaseObject(kTag),
      compute_(!flag),
      full_table_(kFullTableSize, 0),
      index_table_(kIndexTableSize, 0),
      histogram_(kMapSize, 0),
      map_(kMapSize, 0),
      clipped_(kMapSize, 0),
      lookup_(std::make_unique<ColourLookup>()),
      picture_cache_(std::make_unique<FilteredPictureCache>())
{
    char directory[256] = {0};
    int length = sizeof(directory);
    if (vy_get_exe_path(directory, &length) == 0) {
        logline_init(directory, 7, 200);
        log_open_ = true;
    }
    set_palette(PAL_IRON);
}

Imaging::~Imaging()
{
    if (log_open_) {
        logline_uninit();
    }
}

bool Imaging::set_palette(int palette)
{
    int table = 0;
    bool reversed = false;
    if (!palette_source(palette, &table, &reversed)) {
        IMAGING_LOG(4, "Imaging::set_palette", "palette %d error", palette);
        return false;
    }
    if (palette == palette_) {
        return true;
    }
    VyLockGuard colours(table_lock_);
    if (!colours) {
        return false;
    }
    palette_ = palette;
    for (int i = 0; i < kPaletteSize; ++i) {
        const uint32_t colour = kStoredPalettes[table][reversed ? kMaxIndex - i : i];
        full_table_[i] = colour;
        index_table_[i] = colour;
    }
    for (int i = kPaletteSize; i < kIndexTableSize; ++i) {
        full_table_[i] = full_table_[kMaxIndex];
        index_table_[i] = index_table_[kMaxIndex];
    }
    // The copies above cover the first isotherm ramps; put the bands back.
    VyLockGuard bands(isotherm_lock_);
    if (bands) {
        build_all_ramps();
    }
    return true;
}

bool Imaging::set_algorithm_mode(int mode)
{
    if (mode < 0 || mode > 3) {
        IMAGING_LOG(4, "Imaging::set_imaging_algorithm_mode", "imaging algorithm = %d is error", mode);
        return false;
    }
    {
        VyLockGuard guard(main_lock_);
        if (!guard) {
            return false;
        }
        algorithm_mode_ = mode;
    }
    if (mode == 0) {
        VyLockGuard map(map_lock_);
        if (!map) {
            return false;
        }
        std::vector<float>().swap(smoothed_map_);
    }
    return true;
}

int Imaging::algorithm_mode()
{
    VyLockGuard guard(main_lock_);
    return guard ? algorithm_mode_ : 0;
}

void Imaging::set_fire_fighting(bool on)
{
    VyLockGuard guard(process_lock_);
    fire_fighting_ = on;
}

void Imaging::enable_image_process(bool on)
{
    VyLockGuard guard(process_lock_);
    image_process_ = on;
}

void Imaging::enable_stabilization(bool on)
{
    stabilization_ = on;
    first_frame_ = true;
    VyLockGuard map(map_lock_);
    peak_ad_ = 0;
    if (engine_) {
        engine_->set_stabilization(on);
    }
}

bool Imaging::init_image_process()
{
    VyLockGuard colours(table_lock_);
    VyLockGuard map(map_lock_);
    if (!colours || !map) {
        return false;
    }
    if (engine_) {
        return true;
    }
    auto engine = std::make_unique<ImageSharpenBlur>();
    engine->init();
    engine->set_stabilization(stabilization_);
    engine_ = std::move(engine);
    return true;
}

}  // namespace palettor::detail
