// Whether a picture's temperatures can follow new measuring parameters: a
// picture saved with a temperature table but no calibration data converts
// only at its own parameters and refuses a change.
#pragma once

#include "picfold.h"
#include "thermframe.h"

#include <QString>

inline bool picture_follows_parameters(const QString& path)
{
    void* h = nullptr;
    if (!picfold_init(h)) return false;
    void* doc = nullptr;
    const bool follows = picfold_load_file_w(h, path.toStdWString(), true) && picfold_get_ir_data(h, doc) &&
                         thermframe_set_emiss(doc, 0.5f);
    picfold_uninit(h);
    return follows;
}
