// PNG pictures to and from pictures.

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <utility>
#include <vector>

#include "core/image.h"

namespace qm {
namespace {

// Pictures larger than this are refused rather than allocated.
constexpr png_uint_32 kMaxSide = 16384;
constexpr int kMaxScale = 16;

struct Reader {
    const std::vector<unsigned char>* data = nullptr;
    std::size_t offset = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
    if (reader->offset + length > reader->data->size()) png_error(png, "truncated PNG data");
    std::memcpy(out, reader->data->data() + reader->offset, length);
    reader->offset += length;
}

void WriteToMemory(png_structp png, png_bytep in, png_size_t length) {
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), in, in + length);
}

void FlushNothing(png_structp) {}

// Bad pictures are reported by the empty result, not on the terminal.
[[noreturn]] void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void QuietWarning(png_structp, png_const_charp) {}

// Decoded pixels live in the caller's frame so that a libpng error, which
// leaves through longjmp, skips no destructor.
struct Decoded {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    std::vector<unsigned char> pixels;  // RGBA rows
    std::vector<unsigned char> indices;  // a paletted picture's, one byte a pixel
    std::vector<png_bytep> rows;
};

void AskForRgba(png_structp png, png_infop info) {
    const int colorType = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    if (depth == 16) png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_strip_alpha(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// Paletted pictures are read as indices and coloured here: a pixel that
// points past the palette's end makes the picture damaged, where libpng would
// quietly make it black. Called within DecodeInto's error handling.
bool DecodePalettedInto(png_structp png, png_infop info, Decoded* out) {
    png_colorp palette = nullptr;
    int entries = 0;
    if (png_get_PLTE(png, info, &palette, &entries) != PNG_INFO_PLTE) return false;
    png_set_packing(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(out->width)) return false;
    out->indices.resize(static_cast<std::size_t>(out->width) * out->height);
    out->rows.resize(out->height);
    for (png_uint_32 y = 0; y < out->height; ++y) out->rows[y] = out->indices.data() + static_cast<std::size_t>(y) * out->width;
    png_read_image(png, out->rows.data());
    png_read_end(png, nullptr);
    out->pixels.resize(out->indices.size() * 4);
    for (std::size_t i = 0; i < out->indices.size(); ++i) {
        if (out->indices[i] >= entries) return false;
        const png_color& colour = palette[out->indices[i]];
        unsigned char* p = out->pixels.data() + i * 4;
        p[0] = colour.red;
        p[1] = colour.green;
        p[2] = colour.blue;
        p[3] = 0xFF;
    }
    return true;
}

bool DecodeInto(png_structp png, png_infop info, Reader* reader, Decoded* out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, reader, ReadFromMemory);
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_read_info(png, info);
    out->width = png_get_image_width(png, info);
    out->height = png_get_image_height(png, info);
    if (png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE) return DecodePalettedInto(png, info, out);
    AskForRgba(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(out->width) * 4) return false;
    out->pixels.resize(static_cast<std::size_t>(out->width) * out->height * 4);
    out->rows.resize(out->height);
    for (png_uint_32 y = 0; y < out->height; ++y) out->rows[y] = out->pixels.data() + static_cast<std::size_t>(y) * out->width * 4;
    png_read_image(png, out->rows.data());
    png_read_end(png, nullptr);
    return true;
}

// The picture as indices into its colours, which are listed in the order
// met; false for a picture of more than 256. Pictures of characters have a
// handful: stored as indices, they are a fraction of the bytes to compress
// and their files far smaller.
bool IndexColours(const Image& image, std::vector<Rgb>& palette, std::vector<unsigned char>& indices) {
    palette.clear();
    indices.resize(image.pixels.size());
    Rgb last = 0;
    unsigned char lastIndex = 0;
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const Rgb c = image.pixels[i];
        if (palette.empty() || c != last) {
            const std::size_t found = static_cast<std::size_t>(std::find(palette.begin(), palette.end(), c) - palette.begin());
            if (found == 256) return false;
            if (found == palette.size()) palette.push_back(c);
            last = c;
            lastIndex = static_cast<unsigned char>(found);
        }
        indices[i] = lastIndex;
    }
    return true;
}

int IndexDepth(std::size_t colours) {
    if (colours <= 2) return 1;
    if (colours <= 4) return 2;
    return colours <= 16 ? 4 : 8;
}

std::vector<png_color> PaletteEntries(const std::vector<Rgb>& palette) {
    std::vector<png_color> entries;
    for (const Rgb c : palette) {
        entries.push_back({static_cast<png_byte>(RedOf(c)), static_cast<png_byte>(GreenOf(c)),
                           static_cast<png_byte>(BlueOf(c))});
    }
    return entries;
}

// What the encoder needs ready before libpng may jump out of it: a jump
// skips the destructors of anything made after.
struct PngJob {
    const Image* image = nullptr;
    int scale = 1;
    std::vector<Rgb> palette;  // empty: RGB
    std::vector<unsigned char> indices;
    std::vector<png_color> entries;
    std::vector<unsigned char> row;
    std::vector<unsigned char> out;
};

// One row of indices, each repeated scale times, depth bits each, the first
// in the highest bits of a byte as the format packs them.
void PackIndexRow(const unsigned char* indices, int width, int scale, int depth, std::vector<unsigned char>& row) {
    std::fill(row.begin(), row.end(), 0);
    std::size_t bit = 0;
    for (int x = 0; x < width; ++x) {
        for (int r = 0; r < scale; ++r, bit += static_cast<std::size_t>(depth)) {
            row[bit / 8] |= static_cast<unsigned char>(indices[x] << (8 - depth - static_cast<int>(bit % 8)));
        }
    }
}

void WritePalettedRows(png_structp png, png_infop info, PngJob& job) {
    const Image& image = *job.image;
    const int depth = IndexDepth(job.palette.size());
    const int width = image.width * job.scale;
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(image.height * job.scale),
                 depth, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, job.entries.data(), static_cast<int>(job.entries.size()));
    png_write_info(png, info);
    job.row.resize((static_cast<std::size_t>(width) * depth + 7) / 8);
    for (int y = 0; y < image.height; ++y) {
        PackIndexRow(job.indices.data() + static_cast<std::size_t>(y) * image.width, image.width, job.scale, depth,
                     job.row);
        for (int r = 0; r < job.scale; ++r) png_write_row(png, job.row.data());
    }
}

void WriteRgbRows(png_structp png, png_infop info, PngJob& job) {
    const Image& image = *job.image;
    const int width = image.width * job.scale;
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(image.height * job.scale), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    job.row.resize(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < image.height; ++y) {
        unsigned char* p = job.row.data();
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.At(x, y);
            for (int r = 0; r < job.scale; ++r, p += 3) {
                p[0] = static_cast<unsigned char>(RedOf(c));
                p[1] = static_cast<unsigned char>(GreenOf(c));
                p[2] = static_cast<unsigned char>(BlueOf(c));
            }
        }
        for (int r = 0; r < job.scale; ++r) png_write_row(png, job.row.data());
    }
}

bool EncodeInto(png_structp png, png_infop info, PngJob* job) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, &job->out, WriteToMemory, FlushNothing);
    if (job->palette.empty()) {
        WriteRgbRows(png, info, *job);
    } else {
        WritePalettedRows(png, info, *job);
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

Image DecodePng(const std::vector<unsigned char>& data) {
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) return {};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return {};
    }
    Reader reader{&data, 0};
    Decoded decoded;
    const bool ok = DecodeInto(png, info, &reader, &decoded);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok || decoded.width == 0 || decoded.height == 0) return {};

    Image image(static_cast<int>(decoded.width), static_cast<int>(decoded.height));
    Rgb* dst = image.pixels.data();
    const unsigned char* src = decoded.pixels.data();
    const std::size_t count = static_cast<std::size_t>(decoded.width) * decoded.height;
    for (std::size_t i = 0; i < count; ++i, src += 4) {
        dst[i] = static_cast<std::uint32_t>(src[0]) | (static_cast<std::uint32_t>(src[1]) << 8) |
                 (static_cast<std::uint32_t>(src[2]) << 16);
    }
    return image;
}

std::vector<unsigned char> EncodePng(const Image& image) { return EncodeEnlargedPng(image, 1); }

std::vector<unsigned char> EncodeEnlargedPng(const Image& image, int scale) {
    if (image.width <= 0 || image.height <= 0 || scale < 1 || scale > kMaxScale) return {};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return {};
    }
    PngJob job;
    job.image = &image;
    job.scale = scale;
    if (!IndexColours(image, job.palette, job.indices)) job.palette.clear();
    job.entries = PaletteEntries(job.palette);
    const bool ok = EncodeInto(png, info, &job);
    png_destroy_write_struct(&png, &info);
    if (!ok) return {};
    return std::move(job.out);
}

}  // namespace qm
