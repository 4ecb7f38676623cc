// Draws the program's icons into res/icons/ at the sizes of the desktop's icon theme, with the
// pictures the board itself draws. Run it from the source tree: lumiquad-make-images res
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include <cstdio>

#include "ui/square_pictures.h"

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("res");
  bool ok = true;
  for (int pixels : {16, 32, 48, 64, 128, 256}) {
    ok = lumiquad::DrawIcon(pixels).save(folder + QString("/icons/lumiquad-%1.png").arg(pixels)) &&
         ok;
  }
  if (!ok) std::fprintf(stderr, "lumiquad-make-images: could not write into %s/icons\n", argv[1]);
  return ok ? 0 : 1;
}
