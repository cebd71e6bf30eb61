// Draws the add-in's button bitmaps and icons and writes them as 16-colour
// BMP and ICO files for the resource compiler: DrawImages OUTPUT_FOLDER.
// A build tool that runs on the build machine; the pictures are the
// project's own, drawn from the shapes below.
//
// Button bitmaps are 32 by 32 on the light grey that LR_LOADMAP3DCOLORS maps
// to the system's button face; icons are 32 by 32 with a transparent
// background.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

// The standard 16-colour palette, in its usual order.
enum Colour : std::uint8_t {
  kBlack,
  kMaroon,
  kGreen,
  kOlive,
  kNavy,
  kPurple,
  kTeal,
  kSilver,
  kGrey,
  kRed,
  kLime,
  kYellow,
  kBlue,
  kFuchsia,
  kAqua,
  kWhite,
  kClear = 0xFF,  // icons only: transparent
};

constexpr std::array<std::array<std::uint8_t, 3>, 16> kPalette = {{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

class Canvas {
 public:
  Canvas(int width, int height, std::uint8_t background)
      : width_(width), height_(height), pixels_(width * height, background) {}

  int width() const { return width_; }
  int height() const { return height_; }
  std::uint8_t at(int x, int y) const { return pixels_[y * width_ + x]; }

  void Plot(int x, int y, std::uint8_t colour) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[y * width_ + x] = colour;
  }
  void FillRect(int x0, int y0, int x1, int y1, std::uint8_t colour) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) Plot(x, y, colour);
  }
  void FrameRect(int x0, int y0, int x1, int y1, std::uint8_t colour) {
    Line(x0, y0, x1, y0, colour);
    Line(x0, y1, x1, y1, colour);
    Line(x0, y0, x0, y1, colour);
    Line(x1, y0, x1, y1, colour);
  }
  // A line of the given thickness (a square pen).
  void Line(int x0, int y0, int x1, int y1, std::uint8_t colour, int thickness = 1) {
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
      const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
      const int x = static_cast<int>(std::lround(x0 + t * (x1 - x0)));
      const int y = static_cast<int>(std::lround(y0 + t * (y1 - y0)));
      const int from = -(thickness - 1) / 2;
      for (int dy = from; dy < from + thickness; ++dy)
        for (int dx = from; dx < from + thickness; ++dx) Plot(x + dx, y + dy, colour);
    }
  }
  void Disc(double cx, double cy, double radius, std::uint8_t colour) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (std::hypot(x - cx, y - cy) <= radius) Plot(x, y, colour);
  }
  // Fills the polygon by the even-odd rule, sampling pixel centres.
  void Polygon(const std::vector<std::array<double, 2>>& points, std::uint8_t colour) {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        bool inside = false;
        const double px = x + 0.5, py = y + 0.5;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
          const auto& a = points[i];
          const auto& b = points[j];
          if ((a[1] > py) != (b[1] > py) &&
              px < (b[0] - a[0]) * (py - a[1]) / (b[1] - a[1]) + a[0]) {
            inside = !inside;
          }
        }
        if (inside) Plot(x, y, colour);
      }
    }
  }

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
};

void Envelope(Canvas& c, int x0, int y0, int x1, int y1) {
  c.FillRect(x0, y0, x1, y1, kWhite);
  c.FrameRect(x0, y0, x1, y1, kBlack);
  const int middle = (x0 + x1) / 2;
  c.Line(x0, y0, middle, y0 + (y1 - y0) * 6 / 10, kBlack);
  c.Line(x1, y0, middle, y0 + (y1 - y0) * 6 / 10, kBlack);
  c.Line(x0 + 1, y1 - 1, x0 + (x1 - x0) * 4 / 10, y0 + (y1 - y0) * 5 / 10, kGrey);
  c.Line(x1 - 1, y1 - 1, x1 - (x1 - x0) * 4 / 10, y0 + (y1 - y0) * 5 / 10, kGrey);
}

// An arrow along y from xFrom to xTo, its head at xTo.
void Arrow(Canvas& c, int xFrom, int xTo, int y, std::uint8_t fill) {
  const int direction = xTo > xFrom ? 1 : -1;
  const int neck = xTo - direction * 6;
  const double shaftTop = y - 2.5, shaftBottom = y + 2.5;
  c.Polygon({{static_cast<double>(xFrom), shaftTop},
             {static_cast<double>(neck), shaftTop},
             {static_cast<double>(neck), y - 6.5},
             {static_cast<double>(xTo + direction), y + 0.5},
             {static_cast<double>(neck), y + 7.5},
             {static_cast<double>(neck), shaftBottom},
             {static_cast<double>(xFrom), shaftBottom}},
            kBlack);
  c.Polygon({{static_cast<double>(xFrom + direction), shaftTop + 1},
             {static_cast<double>(neck + direction), shaftTop + 1},
             {static_cast<double>(neck + direction), y - 4.0},
             {static_cast<double>(xTo - direction), y + 0.5},
             {static_cast<double>(neck + direction), y + 5.0},
             {static_cast<double>(neck + direction), shaftBottom - 1},
             {static_cast<double>(xFrom + direction), shaftBottom - 1}},
            fill);
}

void Cross(Canvas& c, int x0, int y0, int x1, int y1) {
  c.Line(x0, y0, x1, y1, kBlack, 5);
  c.Line(x0, y1, x1, y0, kBlack, 5);
  c.Line(x0, y0, x1, y1, kRed, 3);
  c.Line(x0, y1, x1, y0, kRed, 3);
}

void Tick(Canvas& c, int x0, int y0, int size) {
  c.Line(x0, y0 + size / 2, x0 + size / 3, y0 + size, kBlack, 5);
  c.Line(x0 + size / 3, y0 + size, x0 + size, y0, kBlack, 5);
  c.Line(x0, y0 + size / 2, x0 + size / 3, y0 + size, kGreen, 3);
  c.Line(x0 + size / 3, y0 + size, x0 + size, y0, kGreen, 3);
}

void QuestionMark(Canvas& c, double cx, double cy, double scale, std::uint8_t colour) {
  // The hook: a ring segment from the left round over the top to the right,
  // then down to the stem.
  for (double angle = 200; angle <= 400; angle += 2) {
    const double radians = angle * 3.14159265358979 / 180.0;
    const int x = static_cast<int>(std::lround(cx + std::cos(radians) * 5 * scale));
    const int y = static_cast<int>(std::lround(cy - 5 * scale + std::sin(radians) * 5 * scale));
    c.Line(x, y, x, y, colour, 3);
  }
  const int stemX = static_cast<int>(std::lround(cx));
  c.Line(static_cast<int>(std::lround(cx + 3.5 * scale)),
         static_cast<int>(std::lround(cy - 1.5 * scale)), stemX,
         static_cast<int>(std::lround(cy + 1 * scale)), colour, 3);
  c.Line(stemX, static_cast<int>(std::lround(cy + 1 * scale)), stemX,
         static_cast<int>(std::lround(cy + 3 * scale)), colour, 3);
  c.FillRect(stemX - 1, static_cast<int>(std::lround(cy + 5 * scale)), stemX + 1,
             static_cast<int>(std::lround(cy + 5 * scale)) + 2, colour);
}

void Gear(Canvas& c, double cx, double cy) {
  for (int tooth = 0; tooth < 8; ++tooth) {
    const double a = tooth * 3.14159265358979 / 4;
    const double dx = std::cos(a), dy = std::sin(a);
    const double px = -dy, py = dx;
    c.Polygon({{cx + dx * 8 + px * 2.5, cy + dy * 8 + py * 2.5},
               {cx + dx * 14 + px * 2.5, cy + dy * 14 + py * 2.5},
               {cx + dx * 14 - px * 2.5, cy + dy * 14 - py * 2.5},
               {cx + dx * 8 - px * 2.5, cy + dy * 8 - py * 2.5}},
              kNavy);
  }
  c.Disc(cx, cy, 11, kNavy);
  c.Disc(cx, cy, 9.5, kBlue);
  c.Disc(cx, cy, 4, kClear);
}

void Funnel(Canvas& c) {
  c.Polygon({{3, 4}, {29, 4}, {18, 17}, {18, 28}, {14, 30}, {14, 17}}, kBlack);
  c.Polygon({{5.5, 5.5}, {26.5, 5.5}, {16.8, 16.8}, {16.8, 27.5}, {15.2, 28.2}, {15.2, 16.8}},
            kOlive);
  c.Polygon({{7.5, 5.5}, {24.5, 5.5}, {16, 15}}, kYellow);
  c.Disc(9, 23, 2.5, kRed);
  c.Disc(24, 22, 2, kRed);
}

void Document(Canvas& c) {
  c.Polygon({{5, 2}, {21, 2}, {27, 8}, {27, 30}, {5, 30}}, kBlack);
  c.Polygon({{6, 3}, {20.5, 3}, {26, 8.5}, {26, 29}, {6, 29}}, kWhite);
  for (int y = 9; y <= 17; y += 4) c.Line(9, y, 22, y, kGrey);
}

// --- writers -----------------------------------------------------------

void Put16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// BITMAPINFOHEADER, the palette and the 4-bit rows bottom-up; with an AND
// mask (icons) the header's height counts both.
std::string DeviceIndependentBitmap(const Canvas& c, bool withMask) {
  const int rowBytes = ((c.width() * 4 + 31) / 32) * 4;
  const int maskRowBytes = ((c.width() + 31) / 32) * 4;
  const std::uint32_t imageSize =
      rowBytes * c.height() + (withMask ? maskRowBytes * c.height() : 0);
  std::string out;
  Put32(out, 40);
  Put32(out, c.width());
  Put32(out, withMask ? c.height() * 2 : c.height());
  Put16(out, 1);
  Put16(out, 4);
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 16);
  Put32(out, 0);
  for (const auto& rgb : kPalette) {
    out += static_cast<char>(rgb[2]);
    out += static_cast<char>(rgb[1]);
    out += static_cast<char>(rgb[0]);
    out += '\0';
  }
  for (int y = c.height() - 1; y >= 0; --y) {
    std::string row(rowBytes, '\0');
    for (int x = 0; x < c.width(); ++x) {
      const std::uint8_t colour = c.at(x, y) == kClear ? std::uint8_t{kBlack} : c.at(x, y);
      row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? colour << 4 : colour));
    }
    out += row;
  }
  if (withMask) {
    for (int y = c.height() - 1; y >= 0; --y) {
      std::string row(maskRowBytes, '\0');
      for (int x = 0; x < c.width(); ++x) {
        if (c.at(x, y) == kClear) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
      }
      out += row;
    }
  }
  return out;
}

std::string BitmapFile(const Canvas& c) {
  const std::string dib = DeviceIndependentBitmap(c, false);
  std::string out = "BM";
  Put32(out, static_cast<std::uint32_t>(14 + dib.size()));
  Put32(out, 0);
  Put32(out, 14 + 40 + 16 * 4);
  return out + dib;
}

std::string IconFile(const Canvas& c) {
  const std::string dib = DeviceIndependentBitmap(c, true);
  std::string out;
  Put16(out, 0);
  Put16(out, 1);  // an icon
  Put16(out, 1);  // one image
  out += static_cast<char>(c.width());
  out += static_cast<char>(c.height());
  out += static_cast<char>(16);
  out += '\0';
  Put16(out, 1);
  Put16(out, 4);
  Put32(out, static_cast<std::uint32_t>(dib.size()));
  Put32(out, 6 + 16);
  return out + dib;
}

bool Write(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

struct Image {
  const char* file;
  bool icon;
  int width, height;
  std::function<void(Canvas&)> draw;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: DrawImages OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const Image images[] = {
      // Toolbar and menu faces.
      {"ToSpam.bmp", false, 32, 32,
       [](Canvas& c) {
         Envelope(c, 1, 3, 21, 17);
         Arrow(c, 8, 30, 24, kRed);
       }},
      {"ToInbox.bmp", false, 32, 32,
       [](Canvas& c) {
         Envelope(c, 10, 3, 30, 17);
         Arrow(c, 24, 2, 24, kLime);
       }},
      {"Mark.bmp", false, 32, 32,
       [](Canvas& c) {
         Envelope(c, 1, 3, 25, 21);
         Cross(c, 16, 16, 29, 29);
       }},
      {"Unmark.bmp", false, 32, 32,
       [](Canvas& c) {
         Envelope(c, 1, 3, 25, 21);
         Tick(c, 15, 15, 14);
       }},
      {"Help.bmp", false, 32, 32,
       [](Canvas& c) {
         c.Disc(15.5, 15.5, 14, kBlack);
         c.Disc(15.5, 15.5, 12.8, kBlue);
         QuestionMark(c, 15.5, 16.5, 1.3, kWhite);
       }},
      // The options page control's picture in a container's toolbox.
      {"PropPage.bmp", false, 16, 15,
       [](Canvas& c) {
         Envelope(c, 0, 2, 11, 10);
         Tick(c, 8, 7, 7);
       }},
      // Icons beside the rule buttons and in the notification area.
      {"SpamFilterRules.ico", true, 32, 32, [](Canvas& c) { Funnel(c); }},
      {"ValidationRules.ico", true, 32, 32,
       [](Canvas& c) {
         Document(c);
         Tick(c, 10, 15, 14);
       }},
      {"OperationRules.ico", true, 32, 32, [](Canvas& c) { Gear(c, 16, 16); }},
      {"Notification.ico", true, 32, 32,
       [](Canvas& c) {
         Envelope(c, 1, 5, 27, 25);
         Cross(c, 18, 17, 30, 29);
       }},
  };
  for (const Image& image : images) {
    Canvas canvas(image.width, image.height, image.icon ? kClear : kSilver);
    image.draw(canvas);
    const std::string path = folder + "/" + image.file;
    if (!Write(path, image.icon ? IconFile(canvas) : BitmapFile(canvas))) {
      std::fprintf(stderr, "DrawImages: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
