#include "png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

struct Writer {
  png_structp png;
  png_infop info;
  Writer()
      : png(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr)),
        info(png ? png_create_info_struct(png) : nullptr) {}
  ~Writer() { png_destroy_write_struct(&png, &info); }
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;
};

// The picture's rows as palette indices, or empty if it has more than 256 colours.
std::vector<png_byte> Indices(const Picture& picture, std::vector<png_color>& palette) {
  std::map<Rgb, png_byte> index;
  std::vector<png_byte> indices;
  indices.reserve(picture.rgb.size() / 3);
  for (std::size_t i = 0; i < picture.rgb.size(); i += 3) {
    const Rgb colour = {picture.rgb[i], picture.rgb[i + 1], picture.rgb[i + 2]};
    auto found = index.find(colour);
    if (found == index.end()) {
      if (palette.size() == 256) return {};
      found = index.emplace(colour, static_cast<png_byte>(palette.size())).first;
      palette.push_back({static_cast<png_byte>(colour[0]), static_cast<png_byte>(colour[1]),
                         static_cast<png_byte>(colour[2])});
    }
    indices.push_back(found->second);
  }
  return indices;
}

// libpng jumps back to the setjmp on an error: nothing with a destructor is made after it, and
// nothing computed before it is used after it.
bool WriteRows(std::FILE* file, const Picture& picture, const std::vector<png_color>& palette,
               const std::vector<png_byte>& indices) {
  Writer writer;
  if (!writer.info || setjmp(png_jmpbuf(writer.png))) return false;
  png_init_io(writer.png, file);
  png_set_compression_level(writer.png, 9);
  const bool paletted = !indices.empty();
  // Flat colours compress best unfiltered as indices; full colour keeps libpng's filters.
  if (paletted) png_set_filter(writer.png, 0, PNG_FILTER_NONE);
  png_set_IHDR(writer.png, writer.info, picture.width, picture.height, 8,
               paletted ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (paletted)
    png_set_PLTE(writer.png, writer.info, palette.data(), static_cast<int>(palette.size()));
  png_write_info(writer.png, writer.info);
  const png_byte* pixels = paletted ? indices.data() : picture.rgb.data();
  const std::size_t row = paletted ? picture.width : 3 * static_cast<std::size_t>(picture.width);
  for (int y = 0; y < picture.height; ++y) png_write_row(writer.png, pixels + y * row);
  png_write_end(writer.png, nullptr);
  return true;
}

}  // namespace

void WritePng(const std::string& path, const Picture& picture) {
  std::vector<png_color> palette;
  const std::vector<png_byte> indices = Indices(picture, palette);
  const File file(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!file || !WriteRows(file.get(), picture, palette, indices))
    throw std::runtime_error("cannot write " + path);
}

Picture ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str()))
    throw std::runtime_error(path + ": " + image.message);
  image.format = PNG_FORMAT_RGB;
  Picture picture;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr))
    throw std::runtime_error(path + ": " + image.message);
  return picture;
}
