#pragma once

#include <hb-subset.h>
#include <hb.h>
#include <memory>

namespace tovren::pdf {

/// Owners of HarfBuzz objects, each released with its own destroy function.
template<auto destroy>
struct HbDeleter
{
    template<typename T>
    void operator()(T *object) const
    {
        destroy(object);
    }
};

using HbBlob = std::unique_ptr<hb_blob_t, HbDeleter<hb_blob_destroy>>;
using HbFace = std::unique_ptr<hb_face_t, HbDeleter<hb_face_destroy>>;
using HbFont = std::unique_ptr<hb_font_t, HbDeleter<hb_font_destroy>>;
using HbSubsetInput = std::unique_ptr<hb_subset_input_t, HbDeleter<hb_subset_input_destroy>>;

} // namespace tovren::pdf
