#include "conversion/import/BitmapPalette.h"

#include "conversion/Epa2Image.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <span>
#include <vector>

namespace kalvero {
namespace {

constexpr int Refinements = 10;
constexpr Rgb Epa2Grey{130, 130, 130};
constexpr Rgb White{255, 255, 255};

float Squared(const Lab& p, const Lab& q) {
    const float dl = p.l - q.l;
    const float da = p.a - q.a;
    const float db = p.b - q.b;
    return dl * dl + da * da + db * db;
}

float Channel(const Lab& colour, int axis) {
    return axis == 0 ? colour.l : axis == 1 ? colour.a : colour.b;
}

// The mean light of some pixels, as a colour to decide with.
class LightSum {
public:
    void add(const LinearRgb& c) {
        r_ += c.r;
        g_ += c.g;
        b_ += c.b;
        ++count_;
    }
    bool empty() const { return count_ == 0; }
    Swatch mean() const {
        const auto n = static_cast<double>(count_);
        return SwatchFromLinear(
            {static_cast<float>(r_ / n), static_cast<float>(g_ / n), static_cast<float>(b_ / n)});
    }

private:
    double r_ = 0;
    double g_ = 0;
    double b_ = 0;
    long count_ = 0;
};

using Points = std::vector<Swatch>;

struct Box {
    Points::iterator begin;
    Points::iterator end;
    Swatch mean;
    float spread; // sum of squared Lab distances to the mean
};

Box MakeBox(Points::iterator begin, Points::iterator end) {
    LightSum sum;
    std::for_each(begin, end, [&](const Swatch& p) { sum.add(p.linear); });
    Box box{begin, end, sum.mean(), 0};
    std::for_each(begin, end, [&](const Swatch& p) { box.spread += Squared(p.lab, box.mean.lab); });
    return box;
}

int WidestAxis(const Box& box) {
    int widest = 0;
    float widestRange = -1;
    for (int axis = 0; axis < 3; ++axis) {
        const auto [low, high] =
            std::minmax_element(box.begin, box.end, [axis](const Swatch& l, const Swatch& r) {
                return Channel(l.lab, axis) < Channel(r.lab, axis);
            });
        const float range = Channel(high->lab, axis) - Channel(low->lab, axis);
        if (range > widestRange) {
            widest = axis;
            widestRange = range;
        }
    }
    return widest;
}

// Where a box sorted along axis is split: at the median, moved to the nearest
// change of value so that one colour never ends up in two boxes.
Points::iterator SplitPoint(const Box& box, int axis) {
    const auto differs = [axis](Points::iterator at) {
        return Channel((at - 1)->lab, axis) != Channel(at->lab, axis);
    };
    const auto middle = box.begin + (box.end - box.begin) / 2;
    for (auto distance = 0L; distance < box.end - box.begin; ++distance) {
        if (middle + distance < box.end && differs(middle + distance)) {
            return middle + distance;
        }
        if (middle - distance > box.begin && differs(middle - distance)) {
            return middle - distance;
        }
    }
    return middle;
}

// Median cut: the box with the most spread is halved at the median of its
// widest Lab axis, until there are count boxes or none has spread left.
std::vector<Swatch> MedianCut(Points points, std::size_t count) {
    std::vector<Box> boxes{MakeBox(points.begin(), points.end())};
    while (boxes.size() < count) {
        const auto most =
            std::max_element(boxes.begin(), boxes.end(),
                             [](const Box& l, const Box& r) { return l.spread < r.spread; });
        if (most->spread <= 0) {
            break;
        }
        const Box box = *most;
        const int axis = WidestAxis(box);
        std::sort(box.begin, box.end, [axis](const Swatch& l, const Swatch& r) {
            return Channel(l.lab, axis) < Channel(r.lab, axis);
        });
        const auto middle = SplitPoint(box, axis);
        *most = MakeBox(box.begin, middle);
        boxes.push_back(MakeBox(middle, box.end));
    }
    std::vector<Swatch> centres;
    std::transform(boxes.begin(), boxes.end(), std::back_inserter(centres),
                   [](const Box& box) { return box.mean; });
    return centres;
}

// Lloyd's k-means: every pixel goes to its nearest colour, free or fixed, and
// each free colour moves to the mean light of its pixels. A free colour left
// without pixels moves to the pixel served worst; one still without pixels at
// the end (a fixed colour serves them) is dropped.
std::vector<Swatch> Refine(const SwatchImage& picture, std::vector<Swatch> free,
                           std::span<const Swatch> fixed) {
    for (int round = 0;; ++round) {
        std::vector<LightSum> sums(free.size());
        const Swatch* worst = &picture.pixels.front();
        float worstDistance = 0;
        for (const Swatch& pixel : picture.pixels) {
            float nearest = std::numeric_limits<float>::infinity();
            for (const Swatch& colour : fixed) {
                nearest = std::min(nearest, Squared(pixel.lab, colour.lab));
            }
            LightSum* owner = nullptr;
            for (std::size_t i = 0; i < free.size(); ++i) {
                const float distance = Squared(pixel.lab, free[i].lab);
                if (distance < nearest) {
                    nearest = distance;
                    owner = &sums[i];
                }
            }
            if (owner != nullptr) {
                owner->add(pixel.linear);
            }
            if (nearest > worstDistance) {
                worst = &pixel;
                worstDistance = nearest;
            }
        }
        if (round == Refinements) {
            std::vector<Swatch> used;
            for (std::size_t i = 0; i < free.size(); ++i) {
                if (!sums[i].empty()) {
                    used.push_back(free[i]);
                }
            }
            return used;
        }
        for (std::size_t i = 0; i < free.size(); ++i) {
            if (!sums[i].empty()) {
                free[i] = sums[i].mean();
            } else if (worstDistance > 0) {
                free[i] = *worst;
                worstDistance = 0;
            }
        }
    }
}

std::uint8_t NearestSixBitShade(std::uint8_t value) {
    std::uint8_t best = SixBitShade(value);
    for (const int step : {-4, 4}) {
        const int other = value + step;
        if (other >= 0 && other <= 255 &&
            std::abs(SixBitShade(static_cast<std::uint8_t>(other)) - value) <
                std::abs(best - value)) {
            best = SixBitShade(static_cast<std::uint8_t>(other));
        }
    }
    return best;
}

bool BlackInSixBits(const Rgb& colour) {
    return colour.r < 4 && colour.g < 4 && colour.b < 4;
}

// Up to count colours for the picture beside the fixed ones, each rounded to
// its nearest 6-bit shade, darkest first; black where it needs fewer.
std::vector<Rgb> PickColours(const SwatchImage& picture, std::size_t count,
                             std::span<const Swatch> fixed) {
    std::vector<Rgb> colours;
    for (const Swatch& colour : Refine(picture, MedianCut(picture.pixels, count), fixed)) {
        const Rgb exact = RgbFromLinear(colour.linear);
        colours.push_back({NearestSixBitShade(exact.r), NearestSixBitShade(exact.g),
                           NearestSixBitShade(exact.b)});
    }
    colours.insert(colours.begin(), count - colours.size(), Rgb{0, 0, 0});
    std::stable_sort(colours.begin(), colours.end(), [](const Rgb& l, const Rgb& r) {
        return SwatchFromRgb(l).lab.l < SwatchFromRgb(r).lab.l;
    });
    return colours;
}

// The entries pixels may take: all sixteen, or all but entry 6.
std::vector<int> OfferedEntries(bool allColours) {
    std::vector<int> entries;
    for (int entry = 0; entry < PaletteSize; ++entry) {
        if (allColours || entry != Epa2MiscolouredEntry) {
            entries.push_back(entry);
        }
    }
    return entries;
}

// The colours, in order, into the offered entries that are still free.
void PlaceColours(std::array<Rgb, PaletteSize>& palette, const std::vector<Rgb>& colours,
                  std::initializer_list<int> taken, bool allColours) {
    auto next = colours.begin();
    for (const int entry : OfferedEntries(allColours)) {
        if (std::find(taken.begin(), taken.end(), entry) == taken.end()) {
            palette[static_cast<std::size_t>(entry)] = *next++;
        }
    }
}

} // namespace

std::uint8_t SixBitShade(std::uint8_t value) {
    const int six = value >> 2;
    return static_cast<std::uint8_t>(six << 2 | six >> 4);
}

std::vector<Rgb> PictureColours(const SwatchImage& picture, std::size_t count) {
    return PickColours(picture, count, {});
}

std::array<Rgb, PaletteSize> ChooseBitmapPalette(const SwatchImage& picture, bool allColours) {
    const std::array<Swatch, 2> fixed{SwatchFromRgb(Epa2Grey), SwatchFromRgb(White)};
    std::vector<Rgb> colours = PickColours(picture, allColours ? 14 : 13, fixed);
    std::array<Rgb, PaletteSize> palette{};
    palette[Epa2GreyEntry] = Epa2Grey;
    palette[Epa2WhiteEntry] = White;
    palette[Epa2BlueIfBlackEntry] = BlackInSixBits(colours.back()) ? White : colours.back();
    colours.pop_back();
    PlaceColours(palette, colours, {Epa2GreyEntry, Epa2BlueIfBlackEntry, Epa2WhiteEntry},
                 allColours);
    return palette;
}

std::array<Rgb, PaletteSize> ChooseFullScreenPalette(const SwatchImage& picture, bool allColours) {
    std::array<Rgb, PaletteSize> palette{};
    PlaceColours(palette, PickColours(picture, allColours ? 16 : 15, {}), {}, allColours);
    return palette;
}

std::vector<std::uint8_t> PaletteIndices(const SwatchImage& picture, Dither dither,
                                         const std::array<Rgb, PaletteSize>& palette,
                                         bool allColours) {
    const std::vector<int> entries = OfferedEntries(allColours);
    std::vector<Swatch> swatches;
    for (const int entry : entries) {
        swatches.push_back(SwatchFromRgb(palette[static_cast<std::size_t>(entry)]));
    }
    std::vector<std::uint8_t> indices = DitherPicture(
        picture, dither, [&](int, int) -> std::span<const Swatch> { return swatches; });
    for (std::uint8_t& index : indices) {
        index = static_cast<std::uint8_t>(entries[index]);
    }
    return indices;
}

} // namespace kalvero
