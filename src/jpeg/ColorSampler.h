// Turns a rectangle of a picture into the level-shifted Y, Cb and Cr samples the encoder works on
// (the JFIF conversion, with 128 subtracted from all three).
#pragma once

#include <cstddef>
#include <memory>

#include "jpeg/PixelSource.h"

namespace plenvik {

// One component's samples, row-major, width * height values. The storage is not cleared when made:
// whoever makes a plane writes every sample.
class SamplePlane {
public:
    SamplePlane() = default;
    SamplePlane(int width, int height) : width_(width), height_(height), samples_(new float[static_cast<std::size_t>(width) * height]) {}

    int width() const { return width_; }
    int height() const { return height_; }
    float* row(int y) { return samples_.get() + static_cast<std::size_t>(y) * width_; }
    const float* row(int y) const { return samples_.get() + static_cast<std::size_t>(y) * width_; }
    float at(int x, int y) const { return row(y)[x]; }

private:
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<float[]> samples_;
};

struct SampledImage {
    int width = 0;
    int height = 0;
    SamplePlane y, cb, cr;
};

// The width x height rectangle whose top-left corner is (left, top) in the source; pixels outside the
// source are black.
SampledImage sampleColors(const PixelSource& source, int width, int height, int left, int top);

// A plane reduced by the ratio of sampling factors: the result is ceil(width * h / hMax) by
// ceil(height * v / vMax), each sample the mean of the pixels it covers (edge pixels repeated).
SamplePlane downsample(const SamplePlane& plane, int h, int hMax, int v, int vMax);

}  // namespace plenvik
