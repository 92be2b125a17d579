// Draws the program's pictures: the logo of the about box, the three pages
// of the cover-opening guide and the program icon for the desktop menu. Run
// by assets/draw-pictures.sh; the PNG files it writes are kept in assets/
// (built into the program) and packaging/icons/ (installed).
//
// Everything is drawn at twice the size the windows show it, so that it
// stays sharp on high-density screens.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "ui/ProgramIcon.h"

namespace tessaro {
namespace {

constexpr int PageWidth = 770;
constexpr int PageHeight = 560;

const QColor Outline(0x1E, 0x28, 0x35);
const QColor BodyLight(0x52, 0x66, 0x7E);
const QColor BodyDark(0x34, 0x44, 0x5A);
const QColor Plate(0x2A, 0x37, 0x47);
const QColor LidLight(0x9C, 0xAC, 0xBF);
const QColor LidDark(0x74, 0x86, 0x9C);
const QColor Recess(0x1B, 0x23, 0x2D);
const QColor Hint(0x1F, 0x5F, 0xA8);   // arrows: the blue of the program icon
const QColor Marker(0xD7, 0x37, 0x2F);  // what the user must find
const QColor Cable(0x2B, 0x2E, 0x33);

QImage Canvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void Background(QPainter& painter) {
  QLinearGradient sky(0, 0, 0, PageHeight);
  sky.setColorAt(0, QColor(0xF4, 0xF7, 0xFA));
  sky.setColorAt(1, QColor(0xD5, 0xDD, 0xE6));
  painter.fillRect(QRectF(0, 0, PageWidth, PageHeight), sky);
}

void Shadow(QPainter& painter, const QRectF& under) {
  QRadialGradient shade(under.center(), under.width() / 2);
  shade.setColorAt(0, QColor(0, 0, 0, 70));
  shade.setColorAt(1, QColor(0, 0, 0, 0));
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(shade);
  painter.translate(under.center());
  painter.scale(1, under.height() / under.width());
  painter.drawEllipse(QPointF(0, 0), under.width() / 2, under.width() / 2);
  painter.restore();
}

void Panel(QPainter& painter, const QRectF& rect, qreal radius, const QColor& top, const QColor& bottom,
           qreal outline = 3) {
  QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  painter.setBrush(fill);
  painter.setPen(outline > 0 ? QPen(Outline, outline) : QPen(Qt::NoPen));
  painter.drawRoundedRect(rect, radius, radius);
}

// A straight arrow with a filled head at `to`.
void Arrow(QPainter& painter, QPointF from, QPointF to, const QColor& colour, qreal width) {
  const QLineF line(from, to);
  const qreal head = width * 2.6;
  QLineF shaft(from, to);
  shaft.setLength(line.length() - head * 0.8);
  painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(shaft);
  const qreal angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  const QPointF back = to - QPointF(std::cos(angle), std::sin(angle)) * head * 1.3;
  const QPointF side = QPointF(-std::sin(angle), std::cos(angle)) * head * 0.75;
  painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(colour);
  painter.drawPolygon(QPolygonF({to, back + side, back - side}));
}

// A turning arrow: an arc around `centre` ending in a head.
void TurnArrow(QPainter& painter, QPointF centre, qreal radius, qreal startDegrees, qreal spanDegrees,
               const QColor& colour, qreal width) {
  const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(box, static_cast<int>(startDegrees * 16), static_cast<int>(spanDegrees * 16));
  // Qt's angles run counter-clockwise with y pointing down.
  const qreal end = (startDegrees + spanDegrees) * std::numbers::pi / 180;
  const QPointF tip = centre + QPointF(std::cos(end), -std::sin(end)) * radius;
  const qreal direction = spanDegrees > 0 ? 1 : -1;
  const QPointF tangent = QPointF(-std::sin(end), -std::cos(end)) * direction;
  const QPointF normal(-tangent.y(), tangent.x());
  const qreal head = width * 2.4;
  painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(colour);
  painter.drawPolygon(QPolygonF({tip + tangent * head, tip - tangent * head * 0.4 + normal * head * 0.8,
                                 tip - tangent * head * 0.4 - normal * head * 0.8}));
}

void Led(QPainter& painter, QPointF centre, qreal radius, const QColor& colour) {
  QRadialGradient glow(centre - QPointF(radius / 3, radius / 3), radius * 1.2);
  glow.setColorAt(0, colour.lighter(160));
  glow.setColorAt(1, colour);
  painter.setBrush(glow);
  painter.setPen(QPen(Outline, 2));
  painter.drawEllipse(centre, radius, radius);
}

// A screw hole in the recess below the lid.
void Hole(QPainter& painter, QPointF centre, qreal radius) {
  painter.setBrush(QColor(0x0B, 0x0F, 0x14));
  painter.setPen(QPen(QColor(0x9A, 0xA8, 0xB8), radius / 4));
  painter.drawEllipse(centre, radius, radius);
}

// The sliding lid over the diagnostic port, with grip ridges at its top.
void Lid(QPainter& painter, const QRectF& lid) {
  Panel(painter, lid, lid.height() * 0.06, LidLight, LidDark);
  painter.setPen(QPen(QColor(0x5B, 0x6C, 0x80), lid.height() * 0.03, Qt::SolidLine, Qt::RoundCap));
  const qreal left = lid.left() + lid.width() * 0.3;
  const qreal right = lid.right() - lid.width() * 0.3;
  for (int ridge = 0; ridge < 3; ++ridge) {
    const qreal y = lid.top() + lid.height() * (0.16 + 0.1 * ridge);
    painter.drawLine(QPointF(left, y), QPointF(right, y));
  }
}

// A nine-pin D connector seen from the front; `male` shows pins, else sockets.
void DConnector(QPainter& painter, const QRectF& shell, bool male) {
  const qreal w = shell.width();
  const qreal h = shell.height();
  const qreal slant = w * 0.07;
  QPainterPath outer;
  outer.addRoundedRect(shell.adjusted(-w * 0.12, -h * 0.2, w * 0.12, h * 0.2), h * 0.12, h * 0.12);
  painter.setBrush(QColor(0xB8, 0xC0, 0xC8));
  painter.setPen(QPen(Outline, 2));
  painter.drawPath(outer);
  for (qreal x : {shell.left() - w * 0.07, shell.right() + w * 0.07}) {
    painter.setBrush(QColor(0x5A, 0x62, 0x6B));
    painter.drawEllipse(QPointF(x, shell.center().y()), h * 0.1, h * 0.1);
  }
  QPolygonF face({shell.topLeft(), shell.topRight(), QPointF(shell.right() - slant, shell.bottom()),
                  QPointF(shell.left() + slant, shell.bottom())});
  painter.setBrush(male ? QColor(0x3A, 0x40, 0x48) : QColor(0x24, 0x29, 0x30));
  painter.drawPolygon(face);
  painter.setPen(Qt::NoPen);
  painter.setBrush(male ? QColor(0xE3, 0xC0, 0x5A) : QColor(0x0A, 0x0C, 0x0F));
  const qreal pin = h * 0.09;
  for (int index = 0; index < 5; ++index) {
    painter.drawEllipse(QPointF(shell.left() + w * (0.18 + 0.16 * index), shell.top() + h * 0.32), pin, pin);
  }
  for (int index = 0; index < 4; ++index) {
    painter.drawEllipse(QPointF(shell.left() + w * (0.26 + 0.16 * index), shell.top() + h * 0.7), pin, pin);
  }
}

// The unit seen from the front. `lidRaise` is how far the lid has slid up;
// the recess below it shows the screw holes and the port.
struct UnitParts {
  QRectF recess;
  QPointF leftHole;
  QPointF rightHole;
  QRectF port;
};

UnitParts Unit(QPainter& painter, const QRectF& body, qreal lidRaise, bool holes, bool port) {
  const qreal s = body.width() / 430;  // drawn for a body 430 wide
  Shadow(painter, QRectF(body.left() + 20 * s, body.bottom() - 8 * s, body.width() - 40 * s, 40 * s));
  Panel(painter, body, 18 * s, BodyLight, BodyDark);

  // Name plate and status lights.
  painter.setBrush(Plate);
  painter.setPen(Qt::NoPen);
  const QRectF plate(body.left() + 25 * s, body.top() + 25 * s, 200 * s, 42 * s);
  painter.drawRoundedRect(plate, 6 * s, 6 * s);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(static_cast<int>(20 * s));
  font.setLetterSpacing(QFont::AbsoluteSpacing, 2 * s);
  painter.setFont(font);
  painter.setPen(QColor(0xE8, 0xEE, 0xF5));
  painter.drawText(plate, Qt::AlignCenter, QStringLiteral("TESSARO-IP"));
  Led(painter, QPointF(body.right() - 110 * s, body.top() + 46 * s), 9 * s, QColor(0x3C, 0xC0, 0x4E));
  Led(painter, QPointF(body.right() - 75 * s, body.top() + 46 * s), 9 * s, QColor(0xF2, 0xA9, 0x1E));
  Led(painter, QPointF(body.right() - 40 * s, body.top() + 46 * s), 9 * s, QColor(0x3C, 0xC0, 0x4E));

  // Ventilation slots.
  painter.setBrush(Plate);
  painter.setPen(Qt::NoPen);
  for (int slot = 0; slot < 6; ++slot) {
    painter.drawRoundedRect(QRectF(body.left() + 30 * s, body.top() + (115 + 28 * slot) * s, 150 * s, 10 * s),
                            5 * s, 5 * s);
  }

  UnitParts parts;
  parts.recess = QRectF(body.left() + 220 * s, body.top() + 180 * s, 180 * s, 120 * s);
  Panel(painter, parts.recess, 6 * s, Recess, QColor(0x2A, 0x35, 0x42), 2 * s);
  parts.leftHole = QPointF(parts.recess.left() + 28 * s, parts.recess.bottom() - 24 * s);
  parts.rightHole = QPointF(parts.recess.right() - 28 * s, parts.recess.bottom() - 24 * s);
  parts.port = QRectF(parts.recess.center().x() - 34 * s, parts.recess.top() + 38 * s, 68 * s, 26 * s);
  if (port) DConnector(painter, parts.port, false);
  if (holes) {
    Hole(painter, parts.leftHole, 7 * s);
    Hole(painter, parts.rightHole, 7 * s);
  }
  Lid(painter, parts.recess.translated(0, -lidRaise).adjusted(-6 * s, -6 * s, 6 * s, 6 * s));
  return parts;
}

// ---- the pages

QImage GuidePage1() {
  QImage image = Canvas(PageWidth, PageHeight);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  Background(painter);
  const QRectF body(150, 95, 430, 330);
  const qreal raise = 48;
  const UnitParts parts = Unit(painter, body, raise, true, false);

  // Where the lid was, and which way it goes.
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 170), 3, Qt::DashLine));
  painter.drawRoundedRect(parts.recess.adjusted(-6, -6, 6, 6), 8, 8);
  const qreal x = body.right() + 70;
  Arrow(painter, QPointF(x, parts.recess.bottom() + 10), QPointF(x, parts.recess.top() - raise - 10), Hint, 14);
  return image;
}

void Screwdriver(QPainter& painter, QPointF tip, qreal degrees, qreal scale) {
  painter.save();
  painter.translate(tip);
  painter.rotate(degrees);
  painter.scale(scale, scale);
  // Blade, narrowing to the tip.
  QLinearGradient steel(0, -8, 0, 8);
  steel.setColorAt(0, QColor(0xF2, 0xF4, 0xF6));
  steel.setColorAt(0.5, QColor(0xA9, 0xB2, 0xBC));
  steel.setColorAt(1, QColor(0x6C, 0x75, 0x80));
  painter.setBrush(steel);
  painter.setPen(QPen(Outline, 2));
  painter.drawPolygon(QPolygonF({QPointF(0, -3), QPointF(22, -8), QPointF(160, -8), QPointF(160, 8),
                                 QPointF(22, 8), QPointF(0, 3)}));
  // Handle with its grip.
  QLinearGradient grip(0, -26, 0, 26);
  grip.setColorAt(0, QColor(0xFF, 0xB2, 0x4D));
  grip.setColorAt(0.45, QColor(0xF0, 0x86, 0x1F));
  grip.setColorAt(1, QColor(0xB5, 0x5A, 0x0C));
  painter.setBrush(grip);
  QPainterPath handle;
  handle.moveTo(150, -16);
  handle.cubicTo(165, -26, 185, -26, 200, -26);
  handle.lineTo(330, -26);
  handle.quadTo(350, -26, 350, 0);
  handle.quadTo(350, 26, 330, 26);
  handle.lineTo(200, 26);
  handle.cubicTo(185, 26, 165, 26, 150, 16);
  handle.closeSubpath();
  painter.drawPath(handle);
  painter.setPen(QPen(QColor(0x9A, 0x4A, 0x08), 3, Qt::SolidLine, Qt::RoundCap));
  for (int ridge = 0; ridge < 6; ++ridge) {
    const qreal x = 215 + ridge * 20;
    painter.drawLine(QPointF(x, -17), QPointF(x, 17));
  }
  painter.restore();
}

QImage GuidePage2() {
  QImage image = Canvas(PageWidth, PageHeight);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  Background(painter);
  // Close to the lid: the unit's front at more than twice the size.
  const QRectF body(-300, -260, 1010, 775);
  const UnitParts parts = Unit(painter, body, 112, true, false);

  for (QPointF hole : {parts.leftHole, parts.rightHole}) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Marker, 6));
    painter.drawEllipse(hole, 34, 34);
  }
  TurnArrow(painter, parts.rightHole, 62, 120, 120, Hint, 9);
  Screwdriver(painter, parts.rightHole, 38, 1.0);
  return image;
}

QImage GuidePage3() {
  QImage image = Canvas(PageWidth, PageHeight);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  Background(painter);

  // The computer: screen showing the program, keyboard and tower.
  const QRectF screen(430, 70, 250, 170);
  painter.setBrush(QColor(0x6B, 0x74, 0x80));
  painter.setPen(QPen(Outline, 3));
  painter.drawPolygon(QPolygonF({QPointF(535, 240), QPointF(575, 240), QPointF(590, 292), QPointF(520, 292)}));
  painter.drawRoundedRect(QRectF(495, 286, 120, 14), 6, 6);
  Panel(painter, screen, 10, QColor(0x3A, 0x40, 0x48), QColor(0x22, 0x27, 0x2D));
  const QRectF glass = screen.adjusted(12, 12, -12, -12);
  QLinearGradient desk(glass.topLeft(), glass.bottomLeft());
  desk.setColorAt(0, QColor(0x3B, 0x7C, 0xC6));
  desk.setColorAt(1, QColor(0x1E, 0x4F, 0x8A));
  painter.fillRect(glass, desk);
  const QRectF program = glass.adjusted(24, 16, -24, -16);
  painter.fillRect(program, QColor(0xF0, 0xF0, 0xF0));
  painter.fillRect(QRectF(program.topLeft(), QSizeF(program.width(), 14)), Hint);
  painter.setPen(QPen(QColor(0xB0, 0xB6, 0xBE), 5, Qt::SolidLine, Qt::RoundCap));
  for (int line = 0; line < 4; ++line) {
    const qreal y = program.top() + 32 + line * 18;
    painter.drawLine(QPointF(program.left() + 12, y), QPointF(program.right() - 40 - 15 * (line % 2), y));
  }
  painter.drawPixmap(QRectF(program.right() - 34, program.bottom() - 34, 26, 26), ProgramIconPixmap(52),
                     QRectF(0, 0, 52, 52));

  painter.setPen(QPen(Outline, 3));
  painter.setBrush(QColor(0xD9, 0xDE, 0xE4));
  painter.drawRoundedRect(QRectF(425, 330, 230, 44), 8, 8);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xA4, 0xAC, 0xB6));
  for (int row = 0; row < 3; ++row) {
    for (int key = 0; key < 12; ++key) {
      painter.drawRoundedRect(QRectF(436 + key * 17.5, 337 + row * 11, 13, 7), 2, 2);
    }
  }
  const QRectF tower(690, 200, 66, 250);
  Panel(painter, tower, 8, QColor(0x4A, 0x51, 0x5B), QColor(0x2E, 0x33, 0x3A));
  painter.setBrush(QColor(0x1B, 0x1F, 0x24));
  painter.setPen(Qt::NoPen);
  painter.drawRoundedRect(QRectF(700, 218, 46, 10), 3, 3);
  painter.drawRoundedRect(QRectF(700, 236, 46, 10), 3, 3);
  Led(painter, QPointF(723, 270), 5, QColor(0x3C, 0xC0, 0x4E));
  Shadow(painter, QRectF(420, 440, 350, 30));

  // The unit with its port open.
  const QRectF body(20, 150, 340, 261);
  const UnitParts parts = Unit(painter, body, 88, false, true);

  // The cable: plugged into the unit's port, into the side of the tower.
  const QPointF unitPlug(parts.port.center().x(), parts.port.bottom() + 16);
  const QPointF towerPlug(tower.left() - 34, 405);
  QPainterPath cable(unitPlug + QPointF(0, 22));
  cable.cubicTo(unitPlug + QPointF(0, 170), QPointF(480, 560), towerPlug - QPointF(40, 0));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Cable, 12, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(cable);
  painter.setPen(QPen(QColor(0x5A, 0x60, 0x68), 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(cable.translated(-2, -3));

  // Plug hoods over both ends.
  const auto hood = [&painter](const QRectF& rect) {
    Panel(painter, rect, 6, QColor(0x8A, 0x93, 0x9E), QColor(0x5E, 0x66, 0x70), 2.5);
  };
  hood(QRectF(unitPlug.x() - 30, parts.port.top() - 4, 60, 44));
  painter.save();
  painter.setPen(QPen(Outline, 2));
  painter.setBrush(QColor(0xB8, 0xC0, 0xC8));
  painter.drawRoundedRect(QRectF(tower.left() - 10, towerPlug.y() - 24, 12, 48), 3, 3);
  painter.restore();
  hood(QRectF(towerPlug.x() - 40, towerPlug.y() - 18, 66, 36));
  return image;
}

// The maker's logo: the program's tile beside the name.
QImage Logo() {
  QImage image = Canvas(352, 186);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(QRectF(8, 23, 140, 140), ProgramIconPixmap(280), QRectF(0, 0, 280, 280));

  const QRectF words(162, 40, 182, 106);
  QFont name(QStringLiteral("DejaVu Sans"));
  name.setBold(true);
  // As large as fits the width.
  for (int size = 60; size > 10; --size) {
    name.setPixelSize(size);
    if (QFontMetricsF(name).horizontalAdvance(QStringLiteral("Tessaro")) <= words.width()) break;
  }
  painter.setFont(name);
  painter.setPen(Hint);
  painter.drawText(QRectF(words.left(), words.top(), words.width(), 56), Qt::AlignLeft | Qt::AlignBottom,
                   QStringLiteral("Tessaro"));
  painter.fillRect(QRectF(words.left() + 2, words.top() + 64, words.width() - 4, 6), QColor(0xFF, 0xC8, 0x3D));
  QFont line(QStringLiteral("DejaVu Sans"));
  line.setPixelSize(16);
  line.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
  painter.setFont(line);
  painter.setPen(QColor(0x34, 0x44, 0x5A));
  painter.drawText(QRectF(words.left(), words.top() + 78, words.width(), 24), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("PAGING SYSTEMS"));
  return image;
}

}  // namespace
}  // namespace tessaro

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: draw-pictures PICTURE-FOLDER ICON-FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const std::pair<const char*, QImage> pictures[] = {{"logo.png", tessaro::Logo()},
                                                     {"guide-1.png", tessaro::GuidePage1()},
                                                     {"guide-2.png", tessaro::GuidePage2()},
                                                     {"guide-3.png", tessaro::GuidePage3()}};
  for (const auto& [name, image] : pictures) {
    const QString path = folder + QLatin1Char('/') + QString::fromLatin1(name);
    if (!image.save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
  }

  // The program icon for the desktop menu, in the folder layout of the icon theme.
  const QString iconFolder = QString::fromLocal8Bit(argv[2]);
  for (int size : tessaro::ProgramIconSizes) {
    const QString sizeFolder = iconFolder + QStringLiteral("/%1x%1/apps").arg(size);
    const QString path = sizeFolder + QStringLiteral("/tessaro-ip.png");
    if (!QDir().mkpath(sizeFolder) || !tessaro::ProgramIconPixmap(size).toImage().save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
