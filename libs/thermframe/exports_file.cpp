// The analysis-object file, isotherms and temperature marks.
#include "thermframe.h"

#include "anas_file.h"
#include "export_guard.h"
#include "registry.h"
#include "basekit.h"
#include "sensekern.h"
#include "save_file.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

using namespace thermframe::detail;

namespace {

const int32_t kFileKinds[] = {ANA_POINT, ANA_LINE, ANA_ELLIPSE, ANA_RECT, ANA_POLYGON, ANA_POLYLINE};

struct Snapshot {
    std::string text;
    int32_t palette_type;
};

std::vector<Snapshot> snapshot_entries(FrameDoc& doc)
{
    std::vector<Snapshot> out;
    VyLockGuard guard(doc.registry_lock);
    if (!guard) {
        return out;
    }
    for (int32_t kind : kFileKinds) {
        auto list = doc.anas.find(kind);
        if (list == doc.anas.end()) {
            continue;
        }
        for (const AnaEntry* entry : list->second) {
            out.push_back(Snapshot{entry->text, entry->palette_type});
        }
    }
    return out;
}

// What sensekern reports of one object; fields it cannot tell keep the
// writer's defaults.
AnasRecord fill_record(void* sk, const Snapshot& entry)
{
    AnasRecord r;
    const char* text = entry.text.c_str();
    r.text = entry.text;
    char alias[kAliasCapacity] = {};
    uint32_t alias_length = sizeof(alias);
    if (sensekern_ana_get_alias(sk, text, alias, &alias_length) && alias_length < sizeof(alias)) {
        r.alias.assign(alias, alias_length);
    }
    sensekern_ana_get_line_color(sk, text, &r.line_color);
    ShowTextType mask;
    if (sensekern_ana_get_show_text_type(sk, text, &mask)) {
        r.show_text_type = static_cast<uint8_t>(mask);
    }
    sensekern_ana_is_show_max_point(sk, text, &r.show_max);
    sensekern_ana_is_show_min_point(sk, text, &r.show_min);
    sensekern_ana_is_use_self_palette(sk, text, &r.self_palette);
    if (r.self_palette) {
        r.auto_imaging = entry.palette_type != PALETTE_TYPE_MANUAL;
        sensekern_ana_get_imaging_range(sk, text, &r.range_low, &r.range_high);
        PALETTE palette;
        if (sensekern_ana_get_palette(sk, text, &palette)) {
            r.palette = static_cast<uint8_t>(palette);
        }
    }
    sensekern_get_cursor_info(sk, text, &r.show_cursor, nullptr, nullptr, nullptr, nullptr, nullptr);
    sensekern_ana_get_self_para(sk, text, &r.self_para, &r.emissivity, &r.distance);
    return r;
}

void apply_record(void* sk, const std::string& text, const AnasRecord& r)
{
    const char* t = text.c_str();
    sensekern_ana_set_line_color(sk, t, r.line_color);
    sensekern_ana_set_show_text_type(sk, t, static_cast<ShowTextType>(r.show_text_type));
    sensekern_ana_show_max_point(sk, t, r.show_max);
    sensekern_ana_show_min_point(sk, t, r.show_min);
    sensekern_ana_apply_self_palette(sk, t, r.self_palette);
    if (r.self_palette) {
        if (r.auto_imaging) {
            sensekern_ana_auto_imaging(sk, t);
        } else {
            sensekern_ana_set_imaging_range(sk, t, r.range_low, r.range_high);
        }
        sensekern_ana_set_palette(sk, t, static_cast<PALETTE>(r.palette));
    }
    sensekern_ana_show_cursor(sk, t, r.show_cursor);
    if (r.self_para) {
        sensekern_ana_set_self_para(sk, t, true, r.emissivity, r.distance);
    }
}

// The text of the object that holds an alias, or empty.
std::string holder_of_alias(FrameDoc& doc, const std::string& alias)
{
    VyLockGuard guard(doc.registry_lock);
    if (!guard) {
        return std::string();
    }
    auto it = doc.aliases.find(alias);
    return it == doc.aliases.end() ? std::string() : std::string(it->second->text);
}

}  // namespace

bool thermframe_save_anas_to_file(void* handle, std::string path)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        const std::vector<Snapshot> entries = snapshot_entries(doc);
        if (entries.empty() || path.empty()) {
            return false;
        }
        std::vector<uint8_t> bytes(kAnasHeaderSize);
        AnasFileHeader header;
        header.width = doc.width.load();
        header.height = doc.height.load();
        uint8_t record[kAnasRecordSize];
        for (const Snapshot& entry : entries) {
            AnasRecord filled;
            if (!with_sensekern(doc, [&](void* sk) {
                    filled = fill_record(sk, entry);
                    return true;
                }) ||
                !encode_record(filled, record)) {
                return false;
            }
            bytes.insert(bytes.end(), record, record + kAnasRecordSize);
            ++header.count;
        }
        encode_header(header, bytes.data());

        QSaveFile file(QString::fromUtf8(path.c_str()));
        if (!file.open(QIODevice::WriteOnly)) {
            TF_ERROR("thermframe_save_anas_to_file", "cannot open %s: %s", path.c_str(),
                     file.errorString().toUtf8().constData());
            return false;
        }
        const qint64 written = file.write(reinterpret_cast<const char*>(bytes.data()),
                                          static_cast<qint64>(bytes.size()));
        QString error;
        bool saved = written == static_cast<qint64>(bytes.size());
        if (!saved) {
            error = file.errorString();
            file.cancelWriting();
        } else {
            saved = vy::commit_save_file(file, &error);
        }
        if (!saved) {
            TF_ERROR("thermframe_save_anas_to_file", "writing %s failed: %s", path.c_str(),
                     error.toUtf8().constData());
            return false;
        }
        return true;
    });
}

bool thermframe_load_anas_from_file(void* handle, std::string path)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        QFile file;
        int fd = -1;
        if (vy_open_input_file(path.c_str(), &fd, nullptr) != VY_OK) {
            TF_ERROR("thermframe_load_anas_from_file", "%s is not a readable file: %s", path.c_str(),
                     std::strerror(errno));
            return false;
        }
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return false;
        }
        uint8_t raw[kAnasRecordSize];
        AnasFileHeader header;
        if (file.read(reinterpret_cast<char*>(raw), kAnasHeaderSize) !=
            static_cast<qint64>(kAnasHeaderSize)) {
            TF_INFO("thermframe_load_anas_from_file", "%s: short header", path.c_str());
            return false;
        }
        const HeaderCheck check = decode_header(raw, header);
        if (check != HeaderCheck::ok) {
            TF_INFO("thermframe_load_anas_from_file", "%s: refused header (%d)", path.c_str(),
                    static_cast<int>(check));
            return false;
        }
        uint16_t width = 0;
        uint16_t height = 0;
        thermframe_get_resolution(handle, width, height);
        width = doc.width.load();
        height = doc.height.load();
        const bool rescale = header.width != width || header.height != height;
        const double sx = static_cast<double>(width) / header.width;
        const double sy = static_cast<double>(height) / header.height;

        // Labels are laid out once after the last record: every add would
        // otherwise lay out all labels again, which makes a load quadratic.
        LayoutHold hold(doc);
        for (uint32_t i = 0; i < header.count; ++i) {
            if (file.read(reinterpret_cast<char*>(raw), kAnasRecordSize) !=
                static_cast<qint64>(kAnasRecordSize)) {
                break;
            }
            AnasRecord record;
            decode_record(raw, record);
            if (!record_enums_valid(record)) {
                TF_INFO("thermframe_load_anas_from_file", "%s: record %u refused: label mask %u, palette %u",
                        path.c_str(), i, record.show_text_type, record.palette);
                continue;
            }
            std::string text = record.text;
            if (rescale && !rescale_ana_text(record.text, sx, sy, text)) {
                continue;
            }
            CheckedAna checked;
            if (!check_ana(text, checked)) {
                continue;
            }
            if (!record.alias.empty()) {
                const std::string holder = holder_of_alias(doc, record.alias);
                if (!holder.empty()) {
                    thermframe_delete_ana(handle, holder);
                }
            }
            if (!thermframe_add_ana(handle, text)) {
                continue;
            }
            if (!record.alias.empty()) {
                thermframe_ana_set_alias(handle, text, record.alias);
            }
            with_sensekern(doc, [&](void* sk) {
                apply_record(sk, text, record);
                return true;
            });
        }
        hold.release();
        relayout(doc);
        return true;
    });
}

bool thermframe_isotherm_add(void* handle, void*& isotherm, float low, float high,
                             uint32_t colour, bool flag)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.lists_lock);
        if (!guard) {
            return false;
        }
        void* sk_isotherm = nullptr;
        if (!sensekern_add_isotherm(doc.sensekern_handle(), low, high, colour, flag, &sk_isotherm) ||
            sk_isotherm == nullptr) {
            return false;
        }
        auto* entry = new IsothermEntry{sk_isotherm, low, high, colour, flag};
        doc.isotherms.push_back(entry);
        isotherm = entry;
        return true;
    });
}

namespace {

IsothermEntry* find_isotherm(FrameDoc& doc, const void* isotherm)
{
    auto it = std::find(doc.isotherms.begin(), doc.isotherms.end(), isotherm);
    return it == doc.isotherms.end() ? nullptr : *it;
}

}  // namespace

bool thermframe_isotherm_update(void* handle, void* isotherm, float low, float high,
                                uint32_t colour, bool flag)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.lists_lock);
        if (!guard) {
            return false;
        }
        IsothermEntry* entry = find_isotherm(doc, isotherm);
        if (entry == nullptr || !sensekern_update_isotherm(doc.sensekern_handle(),
                                                           entry->sensekern_isotherm, low, high,
                                                           colour, flag)) {
            return false;
        }
        entry->low = low;
        entry->high = high;
        entry->color = colour;
        entry->flag = flag;
        return true;
    });
}

bool thermframe_isotherm_delete_at(void* handle, void*& isotherm)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.lists_lock);
        if (!guard) {
            return false;
        }
        IsothermEntry* entry = find_isotherm(doc, isotherm);
        if (entry == nullptr ||
            !sensekern_delete_isotherm(doc.sensekern_handle(), entry->sensekern_isotherm)) {
            return false;
        }
        doc.isotherms.erase(std::find(doc.isotherms.begin(), doc.isotherms.end(), entry));
        delete entry;
        return true;
    });
}

bool thermframe_isotherm_delete_all(void* handle)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.lists_lock);
        if (!guard || !sensekern_delete_all_isotherm(doc.sensekern_handle())) {
            return false;
        }
        for (IsothermEntry* entry : doc.isotherms) {
            delete entry;
        }
        doc.isotherms.clear();
        return true;
    });
}

bool thermframe_isotherm_update_all(void* handle)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.lists_lock);
        if (!guard) {
            return false;
        }
        void* sk = doc.sensekern_handle();
        sensekern_delete_all_isotherm(sk);
        for (IsothermEntry* entry : doc.isotherms) {
            void* fresh = nullptr;
            if (!sensekern_add_isotherm(sk, entry->low, entry->high, entry->color, entry->flag,
                                        &fresh)) {
                TF_ERROR("thermframe_isotherm_update_all", "band %g..%g refused",
                         static_cast<double>(entry->low), static_cast<double>(entry->high));
            }
            entry->sensekern_isotherm = fresh;
        }
        return true;
    });
}

bool thermframe_isotherm_get_count(void* handle, int32_t& count)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.lists_lock);
        if (!guard) {
            return false;
        }
        count = static_cast<int32_t>(doc.isotherms.size());
        return true;
    });
}

bool thermframe_isotherm_get_handle(void* handle, int32_t index, void*& isotherm, float& low,
                                    float& high, uint32_t& colour, bool& flag)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.lists_lock);
        if (!guard || static_cast<uint32_t>(index) >= doc.isotherms.size()) {
            return false;
        }
        const IsothermEntry* entry = doc.isotherms[static_cast<uint32_t>(index)];
        isotherm = const_cast<IsothermEntry*>(entry);
        low = entry->low;
        high = entry->high;
        colour = entry->color;
        flag = entry->flag;
        return true;
    });
}

bool thermframe_add_temp_mark(void* handle, uint16_t x, uint16_t y, float temperature)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.lists_lock);
        if (!guard) {
            return false;
        }
        doc.marks.push_back(TempMark{x, y, temperature});
        return true;
    });
}

bool thermframe_clear_temp_mark(void* handle)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.lists_lock);
        if (!guard) {
            return false;
        }
        doc.marks.clear();
        return true;
    });
}

bool thermframe_get_temp_mark_count(void* handle, int32_t& count)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.lists_lock);
        if (!guard) {
            return false;
        }
        count = static_cast<int32_t>(doc.marks.size());
        return true;
    });
}

bool thermframe_get_temp_mark_info(void* handle, int32_t index, uint16_t& x, uint16_t& y,
                                   float& temperature)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.lists_lock);
        if (!guard || index < 0 || static_cast<size_t>(index) >= doc.marks.size()) {
            return false;
        }
        const TempMark& mark = doc.marks[static_cast<size_t>(index)];
        x = mark.x;
        y = mark.y;
        temperature = mark.temperature;
        return true;
    });
}
