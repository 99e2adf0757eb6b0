// Converts one of the window's XPM icons into the PNG that icon themes take. Qt's own XPM reader
// does it, so the menu shows exactly the pixels the window shows, and the build needs no image
// tool beyond Qt.

#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s ICON.xpm ICON.png SIZE\n", argv[0]);
    return EXIT_FAILURE;
  }
  const QImage image(QString::fromLocal8Bit(argv[1]), "XPM");
  if (image.isNull()) {
    std::fprintf(stderr, "%s: cannot read %s as XPM\n", argv[0], argv[1]);
    return EXIT_FAILURE;
  }
  // Icon themes file an image under its pixel size; one drawn at another size would be scaled
  // blurry or refused by the theme.
  const int size = std::atoi(argv[3]);
  if (image.width() != size || image.height() != size) {
    std::fprintf(stderr, "%s: %s is %dx%d, expected %dx%d\n", argv[0], argv[1], image.width(),
                 image.height(), size, size);
    return EXIT_FAILURE;
  }
  if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
