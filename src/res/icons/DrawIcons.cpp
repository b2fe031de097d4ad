// Draws the program's icons and toolbar images into PNG files. Not part of the build: it was
// run once and its output is committed beside it. To draw them again:
//   g++ -std=c++20 -fPIC DrawIcons.cpp -o /tmp/drawicons $(pkg-config --cflags --libs Qt6Gui)
//   QT_QPA_PLATFORM=offscreen /tmp/drawicons src/res/icons
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace {

constexpr int Oversample = 4;

using Drawer = std::function<void(QPainter&)>;

// Draws in a coordinate space of w x h units at four times the size, then scales down.
QImage Render(int w, int h, const Drawer& draw)
{
    QImage big(w * Oversample, h * Oversample, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Oversample, Oversample);
    draw(p);
    p.end();
    return big.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

// The look of a disabled button's image: grey, lighter and a little transparent.
QImage Disabled(const QImage& source)
{
    QImage out = source;
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int g = qGray(row[x]);
            const int light = 110 + g * 100 / 255;
            row[x] = qRgba(light, light, light, qAlpha(row[x]) * 7 / 10);
        }
    }
    return out;
}

QPen Pen(const QColor& c, double w)
{
    QPen pen(c, w);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// A plug seen from the side, its prongs pointing right, body from x0 to x0 + len.
void DrawPlug(QPainter& p, double x0, double cy, double len, double height)
{
    QLinearGradient body(0, cy - height / 2, 0, cy + height / 2);
    body.setColorAt(0, QColor(0x78, 0x90, 0x9c));
    body.setColorAt(1, QColor(0x37, 0x47, 0x4f));
    p.setPen(Pen(QColor(0x26, 0x32, 0x38), 0.8));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(x0, cy - height / 2, len, height), 2, 2);
    p.setBrush(QColor(0xd4, 0xa8, 0x2a));
    p.setPen(Pen(QColor(0x8d, 0x6e, 0x10), 0.6));
    const double prong = height / 5;
    p.drawRect(QRectF(x0 + len, cy - height / 4 - prong / 2, len * 0.45, prong));
    p.drawRect(QRectF(x0 + len, cy + height / 4 - prong / 2, len * 0.45, prong));
}

void DrawCord(QPainter& p, QPointF from, QPointF to)
{
    // From the plug's back, out to the left and down to the edge.
    QPainterPath cord(from);
    cord.cubicTo(QPointF(from.x() - 5, from.y()), QPointF(to.x(), to.y() - 6), to);
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(QColor(0x26, 0x32, 0x38), 2.2));
    p.drawPath(cord);
}

void DrawSocket(QPainter& p, double x, double cy, double w, double h)
{
    QLinearGradient face(x, 0, x + w, 0);
    face.setColorAt(0, QColor(0xfa, 0xfa, 0xfa));
    face.setColorAt(1, QColor(0xcf, 0xd8, 0xdc));
    p.setPen(Pen(QColor(0x45, 0x5a, 0x64), 0.9));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(x, cy - h / 2, w, h), 2.5, 2.5);
}

void Connect32(QPainter& p)
{
    DrawCord(p, QPointF(8, 16), QPointF(2, 30));
    DrawSocket(p, 22, 16, 8, 20);
    DrawPlug(p, 8, 16, 10, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0xa0, 0x43));
    p.drawEllipse(QPointF(26, 7.5), 3.2, 3.2);
}

void Disconnect32(QPainter& p)
{
    DrawCord(p, QPointF(4, 16), QPointF(1.5, 30));
    DrawSocket(p, 23, 16, 8, 20);
    DrawPlug(p, 4, 16, 9, 12);
    // The break between plug and socket.
    QPainterPath spark;
    spark.moveTo(19.5, 6);
    spark.lineTo(17, 13);
    spark.lineTo(20.5, 13);
    spark.lineTo(17.5, 21);
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(QColor(0xd3, 0x2f, 0x2f), 2));
    p.drawPath(spark);
}

void Receive32(QPainter& p)
{
    // Tray.
    QPainterPath tray;
    tray.moveTo(3, 18);
    tray.lineTo(3, 28);
    tray.lineTo(29, 28);
    tray.lineTo(29, 18);
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(QColor(0x45, 0x5a, 0x64), 2.6));
    p.drawPath(tray);
    // Arrow.
    QPainterPath arrow;
    arrow.moveTo(12.5, 2);
    arrow.lineTo(19.5, 2);
    arrow.lineTo(19.5, 13);
    arrow.lineTo(25, 13);
    arrow.lineTo(16, 23.5);
    arrow.lineTo(7, 13);
    arrow.lineTo(12.5, 13);
    arrow.closeSubpath();
    QLinearGradient fill(0, 2, 0, 24);
    fill.setColorAt(0, QColor(0x64, 0xb5, 0xf6));
    fill.setColorAt(1, QColor(0x15, 0x65, 0xc0));
    p.setBrush(fill);
    p.setPen(Pen(QColor(0x0d, 0x47, 0xa1), 0.9));
    p.drawPath(arrow);
}

void Table(QPainter& p, double x, double y, double w, double h, int cols, int rows, double line)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(x, y, w, h));
    const double rowH = h / rows;
    p.setBrush(QColor(0x15, 0x65, 0xc0));
    p.drawRect(QRectF(x, y, w, rowH));
    p.setPen(Pen(QColor(0x90, 0xa4, 0xae), line));
    for (int r = 2; r < rows; ++r)
        p.drawLine(QPointF(x, y + r * rowH), QPointF(x + w, y + r * rowH));
    for (int c = 1; c < cols; ++c)
        p.drawLine(QPointF(x + c * w / cols, y + rowH), QPointF(x + c * w / cols, y + h));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x37, 0x47, 0x4f), line * 1.4));
    p.drawRect(QRectF(x, y, w, h));
}

void ViewData32(QPainter& p)
{
    Table(p, 3, 5, 26, 22, 3, 5, 0.9);
}

void Circle(QPainter& p, QPointF c, double r, const QColor& light, const QColor& dark)
{
    QRadialGradient g(c - QPointF(r / 3, r / 3), r * 1.4);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setBrush(g);
    p.setPen(Pen(dark.darker(140), 1));
    p.drawEllipse(c, r, r);
}

void ScheduleStart30(QPainter& p)
{
    Circle(p, QPointF(15, 15), 13, QColor(0x81, 0xc7, 0x84), QColor(0x1b, 0x7a, 0x2e));
    QPainterPath play;
    play.moveTo(11.5, 8.5);
    play.lineTo(22, 15);
    play.lineTo(11.5, 21.5);
    play.closeSubpath();
    p.setPen(Pen(Qt::white, 1));
    p.setBrush(Qt::white);
    p.drawPath(play);
}

void ScheduleStop30(QPainter& p)
{
    Circle(p, QPointF(15, 15), 13, QColor(0xef, 0x9a, 0x9a), QColor(0xb7, 0x1c, 0x1c));
    p.setPen(Pen(Qt::white, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(10, 10, 10, 10), 1.2, 1.2);
}

// A signal lamp: a metal bezel round a glass dome of the given colour.
Drawer Lamp(QColor centre, QColor edge, bool lit)
{
    return [=](QPainter& p) {
        const QPointF c(20, 19.5);
        QLinearGradient bezel(0, 2, 0, 38);
        bezel.setColorAt(0, QColor(0xec, 0xef, 0xf1));
        bezel.setColorAt(1, QColor(0x60, 0x7d, 0x8b));
        p.setPen(Pen(QColor(0x37, 0x47, 0x4f), 0.8));
        p.setBrush(bezel);
        p.drawEllipse(c, 17.5, 17.5);
        QRadialGradient glass(c - QPointF(4, 4), 16);
        glass.setColorAt(0, centre);
        glass.setColorAt(1, edge);
        p.setPen(Pen(edge.darker(160), 0.8));
        p.setBrush(glass);
        p.drawEllipse(c, 13.5, 13.5);
        // Reflection on the dome.
        QRadialGradient shine(c - QPointF(5, 6), 7);
        shine.setColorAt(0, QColor(255, 255, 255, lit ? 210 : 90));
        shine.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shine);
        p.drawEllipse(c - QPointF(5, 6), 7, 5);
    };
}

void AppIcon(QPainter& p, double s)
{
    p.scale(s / 32, s / 32);
    QLinearGradient bg(0, 0, 0, 32);
    bg.setColorAt(0, QColor(0x1e, 0x3c, 0xb4));
    bg.setColorAt(1, QColor(0x00, 0x00, 0x78));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    // The vibrating wire between its two anchors.
    p.setBrush(QColor(0xcf, 0xd8, 0xdc));
    p.drawRect(QRectF(4, 10, 3, 12));
    p.drawRect(QRectF(25, 10, 3, 12));
    QPainterPath wave;
    for (int i = 0; i <= 36; ++i) {
        const double x = 7 + 18.0 * i / 36;
        const double y = 16 - 5.5 * std::sin(i * M_PI / 36 * 3) * std::sin(i * M_PI / 36);
        i == 0 ? wave.moveTo(x, y) : wave.lineTo(x, y);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(Qt::white, 1.8));
    p.drawPath(wave);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4c, 0xe0, 0x6c));
    p.drawEllipse(QPointF(25.5, 26), 2.3, 2.3);
}

// Toolbar images, 16 x 15.
void TbOpen(QPainter& p)
{
    p.setPen(Pen(QColor(0x8d, 0x6e, 0x10), 0.8));
    p.setBrush(QColor(0xf9, 0xc8, 0x4b));
    QPainterPath back;
    back.moveTo(1, 3);
    back.lineTo(6, 3);
    back.lineTo(7.5, 4.5);
    back.lineTo(14, 4.5);
    back.lineTo(14, 13);
    back.lineTo(1, 13);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(0xff, 0xe0, 0x82));
    QPainterPath front;
    front.moveTo(1, 13);
    front.lineTo(3.5, 7);
    front.lineTo(15.5, 7);
    front.lineTo(14, 13);
    front.closeSubpath();
    p.drawPath(front);
}

void TbConnect(QPainter& p)
{
    p.scale(0.5, 0.5);
    p.translate(0, -1);
    Connect32(p);
}

void TbDisconnect(QPainter& p)
{
    p.scale(0.5, 0.5);
    p.translate(0, -1);
    Disconnect32(p);
}

void TbReceive(QPainter& p)
{
    p.scale(0.5, 0.47);
    Receive32(p);
}

void TbData(QPainter& p)
{
    Table(p, 1.5, 2, 13, 11, 3, 4, 0.6);
}

void TbGraph(QPainter& p)
{
    p.setPen(Pen(QColor(0x37, 0x47, 0x4f), 1));
    p.drawLine(QPointF(2, 1.5), QPointF(2, 13));
    p.drawLine(QPointF(2, 13), QPointF(15, 13));
    p.setPen(Pen(QColor(0xd3, 0x2f, 0x2f), 1.3));
    p.drawPolyline(QPolygonF({QPointF(3, 10), QPointF(6, 6), QPointF(9, 8.5), QPointF(14, 3)}));
    p.setPen(Pen(QColor(0x15, 0x65, 0xc0), 1.3));
    p.drawPolyline(QPolygonF({QPointF(3, 12), QPointF(7, 10), QPointF(10, 11), QPointF(14, 7.5)}));
}

void TbSetting(QPainter& p)
{
    const QPointF c(8, 7.5);
    QPainterPath gear;
    for (int i = 0; i < 16; ++i) {
        const double a = i * M_PI / 8;
        const double r = (i % 2 == 0) ? 7 : 5;
        const double a0 = a - M_PI / 16, a1 = a + M_PI / 16;
        const QPointF p0 = c + QPointF(std::cos(a0) * r, std::sin(a0) * r);
        const QPointF p1 = c + QPointF(std::cos(a1) * r, std::sin(a1) * r);
        i == 0 ? gear.moveTo(p0) : gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 2.2, 2.2);
    p.setPen(Pen(QColor(0x37, 0x47, 0x4f), 0.7));
    p.setBrush(QColor(0x90, 0xa4, 0xae));
    p.drawPath(gear.subtracted(hole));
}

void TbZigbee(QPainter& p)
{
    p.setPen(Pen(QColor(0x37, 0x47, 0x4f), 1.4));
    p.drawLine(QPointF(8, 6), QPointF(8, 14));
    p.drawLine(QPointF(5, 14), QPointF(11, 14));
    p.setBrush(QColor(0x2e, 0xa0, 0x43));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(8, 5.5), 1.6, 1.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(QColor(0x2e, 0xa0, 0x43), 1.1));
    p.drawArc(QRectF(4.5, 2, 7, 7), 35 * 16, 110 * 16);
    p.drawArc(QRectF(1.5, -1, 13, 13), 40 * 16, 100 * 16);
}

// One frame of the measuring animation, 180 x 61: a vibrating wire between its anchors, its
// wave and a dial whose needle swings; the two frames show the wave and the needle at the two
// ends of their swing.
void Measuring(QPainter& p, int frame)
{
    QLinearGradient back(0, 0, 0, 61);
    back.setColorAt(0, QColor(0xf5, 0xf9, 0xfc));
    back.setColorAt(1, QColor(0xd6, 0xe4, 0xee));
    p.setPen(Pen(QColor(0x54, 0x6e, 0x7a), 1.2));
    p.setBrush(back);
    p.drawRoundedRect(QRectF(1, 1, 178, 59), 6, 6);

    const double swing = frame == 0 ? 1.0 : -1.0;
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(10, 18, 6, 26));
    p.drawRect(QRectF(108, 18, 6, 26));
    QPainterPath wave(QPointF(16, 31));
    for (int i = 1; i <= 92; ++i) {
        const double x = 16 + i;
        wave.lineTo(x, 31 + swing * 9 * std::sin(M_PI * i / 92.0) * std::sin(M_PI * i / 23.0));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(QColor(0x1e, 0x88, 0xe5), 2.0));
    p.drawPath(wave);
    p.setPen(Pen(QColor(0x90, 0xa4, 0xae), 0.8));
    p.drawLine(QPointF(16, 31), QPointF(108, 31));

    const QPointF centre(148, 40);
    p.setPen(Pen(QColor(0x37, 0x47, 0x4f), 1.4));
    p.setBrush(QColor(0xff, 0xff, 0xff));
    p.drawPie(QRectF(centre.x() - 24, centre.y() - 24, 48, 48), 0, 180 * 16);
    p.setPen(Pen(QColor(0x54, 0x6e, 0x7a), 1.0));
    for (int tick = 0; tick <= 6; ++tick) {
        const double a = M_PI * tick / 6.0;
        p.drawLine(centre + QPointF(-19 * std::cos(a), -19 * std::sin(a)),
            centre + QPointF(-23 * std::cos(a), -23 * std::sin(a)));
    }
    const double needle = M_PI * (frame == 0 ? 0.35 : 0.65);
    p.setPen(Pen(QColor(0xd3, 0x2f, 0x2f), 2.0));
    p.drawLine(centre, centre + QPointF(-20 * std::cos(needle), -20 * std::sin(needle)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x37, 0x47, 0x4f));
    p.drawEllipse(centre, 2.5, 2.5);
}

bool Save(const QImage& image, const QString& folder, const char* name)
{
    return image.save(folder + "/" + name + ".png");
}

bool SavePair(const QImage& image, const QString& folder, const char* name)
{
    return Save(image, folder, name)
        && Save(Disabled(image), folder, (QByteArray(name) + "_off").constData());
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    bool ok = SavePair(Render(32, 32, Connect32), folder, "connect");
    ok = SavePair(Render(32, 32, Disconnect32), folder, "disconnect") && ok;
    ok = SavePair(Render(32, 32, Receive32), folder, "receive") && ok;
    ok = SavePair(Render(32, 32, ViewData32), folder, "viewdata") && ok;
    ok = SavePair(Render(30, 30, ScheduleStart30), folder, "schedule_start") && ok;
    ok = SavePair(Render(30, 30, ScheduleStop30), folder, "schedule_stop") && ok;
    ok = Save(Render(40, 40, Lamp(QColor(0xb9, 0xf6, 0xca), QColor(0x00, 0x9e, 0x3a), true)),
             folder, "lamp_good")
        && ok;
    ok = Save(Render(40, 39, Lamp(QColor(0xff, 0xcd, 0xd2), QColor(0xd5, 0x00, 0x00), true)),
             folder, "lamp_bad")
        && ok;
    ok = Save(Render(40, 40, Lamp(QColor(0x78, 0x80, 0x84), QColor(0x2b, 0x30, 0x33), false)),
             folder, "lamp_dark")
        && ok;
    ok = Save(Render(32, 32, [](QPainter& p) { AppIcon(p, 32); }), folder, "app32") && ok;
    ok = Save(Render(64, 64, [](QPainter& p) { AppIcon(p, 64); }), folder, "app64") && ok;
    ok = Save(Render(16, 15, TbOpen), folder, "tb_open") && ok;
    ok = Save(Render(16, 15, TbConnect), folder, "tb_connect") && ok;
    ok = Save(Render(16, 15, TbDisconnect), folder, "tb_disconnect") && ok;
    ok = Save(Render(16, 15, TbReceive), folder, "tb_receive") && ok;
    ok = Save(Render(16, 15, TbData), folder, "tb_data") && ok;
    ok = Save(Render(16, 15, TbGraph), folder, "tb_graph") && ok;
    ok = Save(Render(16, 15, TbSetting), folder, "tb_setting") && ok;
    ok = Save(Render(16, 15, TbZigbee), folder, "tb_zigbee") && ok;
    for (int frame = 0; frame < 2; ++frame) {
        const QImage image = Render(180, 61, [frame](QPainter& p) { Measuring(p, frame); });
        ok = Save(image.convertToFormat(QImage::Format_RGB888), folder,
                 frame == 0 ? "measuring1" : "measuring2")
            && ok;
    }
    return ok ? 0 : 1;
}
