// The host build decodes with gdk-pixbuf, but accepts only the formats the
// window's decoder reads on Windows, and holds pictures to the window's size
// limit. A file cut short decodes in part here, where Windows refuses it
// whole: the rows the decoder reached tell the difference.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

#include "batch/preview.h"
#include "toolkit/native_name_host.h"

namespace {

const char* const kWindowsFormats[] = {"bmp", "png", "jpeg", "gif", "tiff", "ico"};

struct Loading {
  int width = 0, height = 0;
  bool tooLarge = false;
  std::vector<bool> rows;  // decoded so far
};

void Prepared(GdkPixbufLoader* loader, int width, int height, gpointer data) {
  Loading& l = *static_cast<Loading*>(data);
  l.width = width;
  l.height = height;
  // The window keeps a picture as 32-bit pixels in at most 2 GiB; a size of
  // 0 tells the decoder to make no picture at all.
  if (width <= 0 || height <= 0 || uint64_t(width) * uint64_t(height) * 4 > 0x7FFFFFFF) {
    l.tooLarge = true;
    gdk_pixbuf_loader_set_size(loader, 0, 0);
    return;
  }
  l.rows.assign(size_t(height), false);
}

void Updated(GdkPixbufLoader*, int, int y, int, int height, gpointer data) {
  std::vector<bool>& rows = static_cast<Loading*>(data)->rows;
  for (int row = std::max(y, 0); row < y + height && row < int(rows.size()); ++row) rows[size_t(row)] = true;
}

// The decoder's name for the file's format, or "" when it found none.
std::string FormatName(GdkPixbufLoader* loader) {
  GdkPixbufFormat* format = gdk_pixbuf_loader_get_format(loader);
  if (!format) return "";
  gchar* name = gdk_pixbuf_format_get_name(format);
  std::string kept = name ? name : "";
  g_free(name);
  return kept;
}

}  // namespace

struct PreviewDecoder::State {};

PreviewDecoder::PreviewDecoder() = default;
PreviewDecoder::~PreviewDecoder() = default;

bool PreviewDecoder::Decodes(const std::string& name, std::string& why) {
  std::ifstream in(toolkit::NativeName(name), std::ios::binary);
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  Loading loading;
  g_signal_connect(loader, "size-prepared", G_CALLBACK(Prepared), &loading);
  g_signal_connect(loader, "area-updated", G_CALLBACK(Updated), &loading);
  bool fed = in.is_open();
  std::vector<char> chunk(65536);
  while (fed && !loading.tooLarge && in.read(chunk.data(), std::streamsize(chunk.size())).gcount() > 0)
    fed = gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(chunk.data()), size_t(in.gcount()),
                                  nullptr);
  const bool closed = gdk_pixbuf_loader_close(loader, nullptr);
  const std::string format = FormatName(loader);
  g_object_unref(loader);
  const bool known = std::any_of(std::begin(kWindowsFormats), std::end(kWindowsFormats),
                                 [&](const char* f) { return format == f; });
  if (loading.tooLarge)
    why = "is " + std::to_string(loading.width) + " x " + std::to_string(loading.height) +
          " pixels, more than the window can show: make it smaller";
  else if (!format.empty() && !known)
    why = "is a picture in " + format + ", which Windows does not decode: save it as a BMP";
  else if (!fed || !closed || format.empty())
    why = "does not decode as a picture: save it again as a BMP";
  else if (std::find(loading.rows.begin(), loading.rows.end(), false) != loading.rows.end())
    why = "ends before its last row: save it again as a BMP";
  else
    return true;
  return false;
}
