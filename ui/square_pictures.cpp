#include "ui/square_pictures.h"

#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QPainter>

#include <cmath>

namespace lumiquad {

namespace {

struct Look {
  QColor colour;
  const char* label;
};

// In the order of Picture.
const Look kLooks[kPictureCount] = {
    {QColor(58, 148, 68), ""},    {QColor(242, 150, 196), "2W"}, {QColor(120, 182, 240), "2L"},
    {QColor(226, 84, 168), "3W"}, {QColor(58, 120, 220), "3L"},  {QColor(196, 22, 158), "4W"},
    {QColor(26, 58, 160), "4L"},  {QColor(206, 30, 30), "-10"},  {QColor(238, 118, 118), "-5"},
    {QColor(244, 212, 86), ""},
};

// The bevel's width and the label's pixel size: those of the two sizes the board was drawn
// at (3 and 12 at 35 pixels, 2 and 9 at 25), in proportion at any other size.
int BevelWidth(int pixels) {
  if (pixels <= 30) return pixels >= 25 ? 2 : std::max(1, pixels * 2 / 25);
  return std::max(3, static_cast<int>(std::lround(pixels * 3.0 / 35)));
}

int LabelPixels(int pixels) {
  if (pixels == 35) return 12;
  if (pixels == 25) return 9;
  return std::max(6, static_cast<int>(std::lround(pixels * (pixels >= 30 ? 12.0 / 35 : 9.0 / 25))));
}

}  // namespace

QImage DrawPicture(Picture picture, int pixels) {
  const Look& look = kLooks[static_cast<int>(picture)];
  QImage image(pixels, pixels, QImage::Format_RGB32);
  QPainter painter(&image);
  // The grain: every row a shade lighter or darker than the one before, a little irregular.
  for (int y = 0; y < pixels; ++y) {
    const int shade = ((y * 7) % 5) - 2;
    painter.setPen(look.colour.lighter(100 + 3 * shade));
    painter.drawLine(0, y, pixels - 1, y);
  }
  // The bevel: light upper and left edges, dark lower and right ones.
  const int edge = BevelWidth(pixels);
  for (int i = 0; i < edge; ++i) {
    const int step = edge <= 3 ? i : i * 3 / edge;  // the three shades spread over a wide edge
    painter.setPen(look.colour.lighter(160 - 15 * step));
    painter.drawLine(i, i, pixels - 1 - i, i);
    painter.drawLine(i, i, i, pixels - 1 - i);
    painter.setPen(look.colour.darker(190 - 25 * step));
    painter.drawLine(i, pixels - 1 - i, pixels - 1 - i, pixels - 1 - i);
    painter.drawLine(pixels - 1 - i, i, pixels - 1 - i, pixels - 1 - i);
  }
  if (look.label[0] != '\0') {
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(LabelPixels(pixels));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, pixels, pixels), Qt::AlignCenter, look.label);
  }
  return image;
}

QColor PictureColour(Picture picture) { return kLooks[static_cast<int>(picture)].colour; }

QImage DrawIcon(int pixels) {
  QImage image(pixels, pixels, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.drawImage(0, 0, DrawPicture(Picture::Tile, pixels));
  QFont font("Arial");
  font.setBold(true);
  font.setPixelSize(std::max(1, pixels * 3 / 5));
  painter.setFont(font);
  painter.setPen(QColor(40, 40, 40));
  painter.drawText(QRect(0, 0, pixels, pixels), Qt::AlignCenter, "L");
  font.setPixelSize(std::max(1, pixels / 4));
  painter.setFont(font);
  painter.drawText(QRect(0, 0, pixels - pixels / 10, pixels - pixels / 16),
                   Qt::AlignRight | Qt::AlignBottom, "4");
  return image;
}

}  // namespace lumiquad
