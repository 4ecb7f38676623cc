// Draws the square and tile pictures of the board view into res/: raised, bevelled squares
// with a fine horizontal grain, in a large (35 pixel) and a small (25 pixel) size, and the
// program's icon. Run it from the source tree: lumiquad-make-images res
#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include <cstdio>

namespace {

struct Picture {
  const char* name;
  QColor colour;
  const char* label;
};

const Picture kPictures[] = {
    {"TILE_IMG", QColor(58, 148, 68), ""},       {"2L_IMG", QColor(120, 182, 240), "2L"},
    {"3L_IMG", QColor(58, 120, 220), "3L"},      {"4L_IMG", QColor(26, 58, 160), "4L"},
    {"2W_IMG", QColor(242, 150, 196), "2W"},     {"3W_IMG", QColor(226, 84, 168), "3W"},
    {"4W_IMG", QColor(196, 22, 158), "4W"},      {"MINUS5_IMG", QColor(238, 118, 118), "-5"},
    {"MINUS10_IMG", QColor(206, 30, 30), "-10"}, {"RACK_TILE_IMG", QColor(244, 212, 86), ""},
};

QImage Draw(const Picture& picture, int size) {
  QImage image(size, size, QImage::Format_RGB32);
  QPainter painter(&image);
  // The grain: every row a shade lighter or darker than the one before, a little irregular.
  for (int y = 0; y < size; ++y) {
    const int shade = ((y * 7) % 5) - 2;
    painter.setPen(picture.colour.lighter(100 + 3 * shade));
    painter.drawLine(0, y, size - 1, y);
  }
  // The bevel: light upper and left edges, dark lower and right ones.
  const int edge = size >= 30 ? 3 : 2;
  for (int i = 0; i < edge; ++i) {
    painter.setPen(picture.colour.lighter(160 - 15 * i));
    painter.drawLine(i, i, size - 1 - i, i);
    painter.drawLine(i, i, i, size - 1 - i);
    painter.setPen(picture.colour.darker(190 - 25 * i));
    painter.drawLine(i, size - 1 - i, size - 1 - i, size - 1 - i);
    painter.drawLine(size - 1 - i, i, size - 1 - i, size - 1 - i);
  }
  if (picture.label[0] != '\0') {
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(size >= 30 ? 12 : 9);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, picture.label);
  }
  return image;
}

QImage Icon(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QImage tile = Draw(kPictures[9], size);
  painter.drawImage(0, 0, tile);
  QFont font("Arial");
  font.setBold(true);
  font.setPixelSize(size * 3 / 5);
  painter.setFont(font);
  painter.setPen(QColor(40, 40, 40));
  painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, "L");
  font.setPixelSize(size / 4);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, size - size / 10, size - size / 16),
                   Qt::AlignRight | Qt::AlignBottom, "4");
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("res");
  bool ok = true;
  for (const Picture& picture : kPictures) {
    ok = Draw(picture, 35).save(folder + "/" + picture.name + ".png") && ok;
    ok = Draw(picture, 25).save(folder + "/" + picture.name + "_SMALL.png") && ok;
  }
  ok = Icon(64).save(folder + "/lumiquad.png") && ok;
  ok = Icon(256).save(folder + "/lumiquad-256.png") && ok;
  if (!ok) std::fprintf(stderr, "lumiquad-make-images: could not write into %s\n", argv[1]);
  return ok ? 0 : 1;
}
