// Renders the program's SVG pictures to the PNG files the program ships, at their own
// size and at twice it (name@2x.png, picked by Qt on high-density screens), so the
// program itself needs no SVG support.
//
// usage: render_icons <directory with .svg files>   (the PNGs are written beside them)
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool render(QSvgRenderer& svg, const QSize& size, const QString& path) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter);
  painter.end();
  return image.save(path);
}

}  // namespace

int main(int argc, char* argv[]) {
  // Rendering needs no screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: render_icons <directory with .svg files>\n");
    return 2;
  }
  QDir dir(QString::fromLocal8Bit(argv[1]));
  int failures = 0;
  for (const QString& name : dir.entryList({QStringLiteral("*.svg")}, QDir::Files)) {
    QSvgRenderer svg(dir.filePath(name));
    const QString base = dir.filePath(name.chopped(4));
    const QSize size = svg.defaultSize();
    if (!svg.isValid() || !render(svg, size, base + QStringLiteral(".png")) ||
        !render(svg, size * 2, base + QStringLiteral("@2x.png"))) {
      std::fprintf(stderr, "cannot render %s\n", qPrintable(name));
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
