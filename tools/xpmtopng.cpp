// Build tool: converts the icon's XPM source to the PNG the desktop's icon
// theme takes. Usage: xpmtopng INPUT.xpm OUTPUT.png
#include <cstdio>

#include <QImage>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: xpmtopng INPUT.xpm OUTPUT.png\n");
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "xpmtopng: cannot convert %s\n", argv[1]);
        return 1;
    }
    return 0;
}
