// Draws the window's pictures at build time: the form background, the strip
// Image1, the progress panel's background, the button icons and the small
// icons of the drive and folder lists. Usage: tarnwick-draw-artwork FOLDER

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <cstdio>
#include <functional>

namespace {

const QColor kInk(0x1f, 0x35, 0x50);
const QColor kDeep(0x24, 0x4a, 0x73);
const QColor kSky(0x6f, 0x9c, 0xc8);
const QColor kPaper(0xf7, 0xf9, 0xfb);
const QColor kLeaf(0x3b, 0x8a, 0x5a);
const QColor kAmber(0xe0, 0xa8, 0x3a);

using Drawing = std::function<void(QPainter&, int, int)>;

bool Save(const QString& folder, const char* name, int width, int height,
          const Drawing& draw) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter, width, height);
  painter.end();
  const QString path = folder + "/" + name;
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

// A brilliant seen from the side: table, crown and pavilion.
QPainterPath Gem(QRectF box) {
  const double x = box.x(), y = box.y(), w = box.width(), h = box.height();
  QPainterPath gem;
  gem.moveTo(x + w * 0.28, y);
  gem.lineTo(x + w * 0.72, y);
  gem.lineTo(x + w, y + h * 0.32);
  gem.lineTo(x + w * 0.5, y + h);
  gem.lineTo(x, y + h * 0.32);
  gem.closeSubpath();
  return gem;
}

void GemFacets(QPainter& p, QRectF box, const QColor& line) {
  const double x = box.x(), y = box.y(), w = box.width(), h = box.height();
  p.setPen(QPen(line, std::max(1.0, w / 28)));
  p.drawLine(QPointF(x, y + h * 0.32), QPointF(x + w, y + h * 0.32));
  p.drawLine(QPointF(x + w * 0.28, y), QPointF(x + w * 0.38, y + h * 0.32));
  p.drawLine(QPointF(x + w * 0.72, y), QPointF(x + w * 0.62, y + h * 0.32));
  p.drawLine(QPointF(x + w * 0.38, y + h * 0.32), QPointF(x + w * 0.5, y + h));
  p.drawLine(QPointF(x + w * 0.62, y + h * 0.32), QPointF(x + w * 0.5, y + h));
}

void DrawGem(QPainter& p, QRectF box, const QColor& fill) {
  QLinearGradient shade(box.topLeft(), box.bottomRight());
  shade.setColorAt(0, fill.lighter(150));
  shade.setColorAt(1, fill);
  p.setPen(QPen(fill.darker(160), std::max(1.0, box.width() / 24)));
  p.setBrush(shade);
  p.drawPath(Gem(box));
  GemFacets(p, box, QColor(255, 255, 255, 170));
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour,
           double width) {
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  QLineF back(to, from);
  QLineF head1 = back;
  head1.setLength(width * 2.4);
  head1.setAngle(back.angle() + 35);
  QLineF head2 = back;
  head2.setLength(width * 2.4);
  head2.setAngle(back.angle() - 35);
  p.drawLine(head1);
  p.drawLine(head2);
}

void Background(QPainter& p, int w, int h) {
  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0, QColor(0xee, 0xf2, 0xf6));
  sky.setColorAt(1, QColor(0xdc, 0xe3, 0xeb));
  p.fillRect(0, 0, w, h, sky);
  // Three quiet panels behind the left, middle and right columns.
  p.setPen(QPen(QColor(0xc3, 0xcd, 0xd8), 1));
  p.setBrush(QColor(255, 255, 255, 110));
  p.drawRoundedRect(QRectF(82.5, 22.5, 232, 340), 6, 6);
  p.drawRoundedRect(QRectF(316.5, 22.5, 104, 340), 6, 6);
  p.drawRoundedRect(QRectF(421.5, 22.5, 227, 340), 6, 6);
}

void Strip(QPainter& p, int w, int h) {
  QLinearGradient deep(0, 0, w, 0);
  deep.setColorAt(0, kInk);
  deep.setColorAt(1, kDeep);
  p.fillRect(0, 0, w, h, deep);
  // Faint facet lines, as light falls through a stone.
  p.setPen(QPen(QColor(255, 255, 255, 22), 1));
  for (int y = -w; y < h; y += 26) {
    p.drawLine(QPointF(0, y), QPointF(w, y + w));
    p.drawLine(QPointF(0, y + w), QPointF(w, y));
  }
  DrawGem(p, QRectF(13, 24, 43, 34), kSky);
  QFont font("DejaVu Sans");
  font.setPixelSize(20);
  font.setBold(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 5);
  p.setFont(font);
  p.setPen(QColor(255, 255, 255, 215));
  p.save();
  p.translate(w / 2.0 + 7, h - 24);
  p.rotate(-90);
  p.drawText(QPointF(0, 0), "TARNWICK");
  p.restore();
  p.setPen(QPen(QColor(255, 255, 255, 60), 1));
  p.drawLine(QPointF(w / 2.0, 72), QPointF(w / 2.0, 168));
  p.setPen(QPen(QColor(0, 0, 0, 60), 1));
  p.drawLine(QPointF(w - 0.5, 0), QPointF(w - 0.5, h));
}

void ProgressPanel(QPainter& p, int w, int h) {
  QLinearGradient light(0, 0, 0, h);
  light.setColorAt(0, kPaper);
  light.setColorAt(1, QColor(0xe4, 0xea, 0xf1));
  p.setPen(QPen(QColor(0xa9, 0xb7, 0xc6), 1));
  p.setBrush(light);
  p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 4, 4);
}

// A database: three stacked discs.
void DbfIcon(QPainter& p, int w, int h) {
  const double left = w * 0.16, width = w * 0.56, disc = h * 0.18;
  p.setPen(QPen(kDeep.darker(130), w / 32.0));
  for (int i = 2; i >= 0; --i) {
    const double top = h * 0.14 + i * h * 0.2;
    QPainterPath body;
    body.addRect(QRectF(left, top + disc / 2, width, h * 0.2));
    p.setBrush(i == 0 ? kSky : kDeep);
    p.drawPath(body);
    p.drawEllipse(QRectF(left, top + h * 0.2, width, disc));
    p.setBrush(kSky.lighter(120));
    p.drawEllipse(QRectF(left, top, width, disc));
  }
  Arrow(p, QPointF(w * 0.62, h * 0.5), QPointF(w * 0.9, h * 0.5), kLeaf,
        w / 14.0);
}

// A list of comma-separated values on a sheet of paper.
void CsvIcon(QPainter& p, int w, int h) {
  const QRectF sheet(w * 0.12, h * 0.08, w * 0.56, h * 0.84);
  p.setPen(QPen(QColor(0x7a, 0x86, 0x94), w / 32.0));
  p.setBrush(kPaper);
  p.drawRect(sheet);
  p.setPen(Qt::NoPen);
  for (int row = 0; row < 5; ++row) {
    const double y = sheet.top() + h * (0.1 + row * 0.14);
    for (int col = 0; col < 3; ++col) {
      p.setBrush(col == 0 ? kDeep : kLeaf);
      p.drawRect(
          QRectF(sheet.left() + w * (0.06 + col * 0.16), y, w * 0.1, h * 0.06));
    }
  }
  Arrow(p, QPointF(w * 0.62, h * 0.5), QPointF(w * 0.9, h * 0.5), kLeaf,
        w / 14.0);
}

// The price workbook: a spreadsheet grid with a magnifying glass.
void ReadIcon(QPainter& p, int w, int h) {
  const QRectF grid(w * 0.08, h * 0.1, w * 0.62, h * 0.62);
  p.setPen(QPen(kLeaf.darker(140), w / 32.0));
  p.setBrush(kPaper);
  p.drawRect(grid);
  p.fillRect(QRectF(grid.left(), grid.top(), grid.width(), grid.height() / 4),
             kLeaf);
  p.setPen(QPen(QColor(0x9a, 0xa8, 0xb6), w / 48.0));
  for (int i = 1; i < 4; ++i) {
    const double y = grid.top() + grid.height() * i / 4;
    const double x = grid.left() + grid.width() * i / 4;
    p.drawLine(QPointF(grid.left(), y), QPointF(grid.right(), y));
    p.drawLine(QPointF(x, grid.top()), QPointF(x, grid.bottom()));
  }
  p.setPen(QPen(kInk, w / 11.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(w * 0.7, h * 0.7), QPointF(w * 0.9, h * 0.9));
  p.setPen(QPen(kInk, w / 16.0));
  p.setBrush(QColor(255, 255, 255, 150));
  p.drawEllipse(QPointF(w * 0.6, h * 0.6), w * 0.16, h * 0.16);
}

// Prices into Octonus tables: a gem with the lines of a table beside it.
void WriteIcon(QPainter& p, int w, int h) {
  DrawGem(p, QRectF(w * 0.06, h * 0.12, w * 0.5, h * 0.42), kSky);
  const QRectF page(w * 0.44, h * 0.4, w * 0.48, h * 0.52);
  p.setPen(QPen(QColor(0x7a, 0x86, 0x94), w / 32.0));
  p.setBrush(kPaper);
  p.drawRect(page);
  p.setPen(QPen(kInk, w / 22.0));
  for (int i = 0; i < 4; ++i) {
    const double y = page.top() + page.height() * (0.2 + i * 0.2);
    p.drawLine(QPointF(page.left() + w * 0.06, y),
               QPointF(page.right() - w * 0.06, y));
  }
  Arrow(p, QPointF(w * 0.22, h * 0.62), QPointF(w * 0.36, h * 0.8), kLeaf,
        w / 14.0);
}

void Folder(QPainter& p, int w, int h, bool open) {
  p.setPen(QPen(kAmber.darker(160), w / 20.0));
  p.setBrush(kAmber.darker(110));
  QPainterPath back;
  back.moveTo(w * 0.06, h * 0.22);
  back.lineTo(w * 0.4, h * 0.22);
  back.lineTo(w * 0.48, h * 0.32);
  back.lineTo(w * 0.94, h * 0.32);
  back.lineTo(w * 0.94, h * 0.84);
  back.lineTo(w * 0.06, h * 0.84);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(kAmber.lighter(125));
  if (open) {
    QPolygonF front({QPointF(w * 0.18, h * 0.46), QPointF(w * 1.0, h * 0.46),
                     QPointF(w * 0.86, h * 0.84), QPointF(w * 0.06, h * 0.84)});
    p.drawPolygon(front);
  } else {
    p.drawRect(QRectF(w * 0.06, h * 0.42, w * 0.88, h * 0.42));
  }
}

void Drive(QPainter& p, int w, int h) {
  QLinearGradient metal(0, 0, 0, h);
  metal.setColorAt(0, QColor(0xd6, 0xdb, 0xe1));
  metal.setColorAt(1, QColor(0x95, 0x9f, 0xab));
  p.setPen(QPen(QColor(0x56, 0x60, 0x6b), w / 20.0));
  p.setBrush(metal);
  p.drawRoundedRect(QRectF(w * 0.06, h * 0.3, w * 0.88, h * 0.44), w * 0.08,
                    h * 0.08);
  p.setPen(Qt::NoPen);
  p.setBrush(kLeaf.lighter(130));
  p.drawEllipse(QPointF(w * 0.78, h * 0.52), w * 0.06, h * 0.06);
}

void AppIcon(QPainter& p, int w, int h) {
  p.setPen(Qt::NoPen);
  p.setBrush(kDeep);
  p.drawRoundedRect(QRectF(0, 0, w, h), w * 0.18, h * 0.18);
  DrawGem(p, QRectF(w * 0.14, h * 0.2, w * 0.72, h * 0.6), kSky);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: tarnwick-draw-artwork FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);
  const int icon = 64;
  const int small = 32;
  bool ok = Save(folder, "background.png", 663, 403, Background) &&
            Save(folder, "image1.png", 69, 402, Strip) &&
            Save(folder, "progress.png", 555, 37, ProgressPanel) &&
            Save(folder, "btn_dbf.png", icon, icon, DbfIcon) &&
            Save(folder, "btn_csv.png", icon, icon, CsvIcon) &&
            Save(folder, "btn_read.png", icon, icon, ReadIcon) &&
            Save(folder, "btn_write.png", icon, icon, WriteIcon) &&
            Save(folder, "folder_open.png", small, small,
                 [](QPainter& p, int w, int h) { Folder(p, w, h, true); }) &&
            Save(folder, "folder_closed.png", small, small,
                 [](QPainter& p, int w, int h) { Folder(p, w, h, false); }) &&
            Save(folder, "drive.png", small, small, Drive) &&
            Save(folder, "tarnwick.png", icon, icon, AppIcon);
  return ok ? 0 : 1;
}
