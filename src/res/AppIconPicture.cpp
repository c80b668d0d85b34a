#include "res/AppIconPicture.h"

#include <vector>

#include <QPainter>
#include <QPolygonF>

namespace {

struct Shape {
    enum Kind { Fill, Stroke, Erase } kind;
    QRgb colour;
    std::vector<QPointF> points; // Fill with two points: a rectangle (left top, width height)
    double width = 0;            // Stroke only
};

std::vector<Shape> Shapes(IconKind kind) {
    const QRgb white = 0xFFFFFFFF, yellow = 0xFFFFFF00, grey = 0xFF808080, black = 0xFF000000,
               red = 0xFFFF0000;
    auto rect = [](QRgb c, double x, double y, double w, double h) {
        return Shape{Shape::Fill, c, {{x, y}, {w, h}}};
    };
    std::vector<Shape> shapes;
    // The sheet: 14 x 14 units with one unit of margin.
    shapes.push_back(rect(white, 1, 1, 14, 14));
    shapes.push_back(rect(yellow, 1, 1, 14, 4));
    for (int y = 5; y < 14; y += 4)
        shapes.push_back(rect(grey, 1, y, 14, 1));
    for (int x = 6; x < 14; x += 5)
        shapes.push_back(rect(grey, x, 1, 1, 14));
    // The outline on top of the grid lines.
    shapes.push_back(rect(black, 1, 1, 14, 1));
    shapes.push_back(rect(black, 1, 14, 14, 1));
    shapes.push_back(rect(black, 1, 1, 1, 14));
    shapes.push_back(rect(black, 14, 1, 1, 14));
    // The tick: a short stroke down to the right, a long one up to the right.
    shapes.push_back(Shape{Shape::Stroke, red, {{4, 9}, {6, 11}, {12, 4}}, 2});
    if (kind == IconKind::SheetFile) {
        // A file: the top right corner folded over. The fold's outline is a
        // filled border one unit wide inside the fold, as the sheet's own
        // outline lies inside the sheet: a stroke would stick out past the
        // page at its sharp corners.
        const double inset = 1.41421356; // one unit across the diagonal
        shapes.push_back(Shape{Shape::Erase, 0, {{10, 1}, {15, 1}, {15, 6}}});
        shapes.push_back(Shape{Shape::Fill, black, {{10, 1}, {15, 6}, {10, 6}}});
        shapes.push_back(
            Shape{Shape::Fill, 0xFFC0C0C0, {{11, 2 + inset}, {13 - inset, 5}, {11, 5}}});
    }
    return shapes;
}

QString Hex(QRgb c) {
    return QStringLiteral("#%1").arg(c & 0xFFFFFF, 6, 16, QChar('0'));
}

QString Points(const std::vector<QPointF>& pts) {
    QStringList list;
    for (const QPointF& p : pts)
        list << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    return list.join(QChar(' '));
}

} // namespace

QImage DrawIconPicture(IconKind kind, int px) {
    QImage image(px, px, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    // Small icons stay crisp pixel for pixel; large ones smooth the slanted strokes.
    p.setRenderHint(QPainter::Antialiasing, px > 32);
    p.scale(px / 16.0, px / 16.0);
    for (const Shape& s : Shapes(kind)) {
        const QColor colour = QColor::fromRgba(s.colour);
        switch (s.kind) {
        case Shape::Fill:
            if (s.points.size() == 2)
                p.fillRect(QRectF(s.points[0], QSizeF(s.points[1].x(), s.points[1].y())), colour);
            else {
                p.setPen(Qt::NoPen);
                p.setBrush(colour);
                p.drawPolygon(QPolygonF(QList<QPointF>(s.points.begin(), s.points.end())));
            }
            break;
        case Shape::Stroke: {
            QPen pen(colour);
            pen.setWidthF(s.width);
            pen.setCapStyle(Qt::SquareCap);
            pen.setJoinStyle(Qt::MiterJoin);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF(QList<QPointF>(s.points.begin(), s.points.end())));
            break;
        }
        case Shape::Erase:
            p.setCompositionMode(QPainter::CompositionMode_Clear);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawPolygon(QPolygonF(QList<QPointF>(s.points.begin(), s.points.end())));
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
        }
    }
    p.end();
    return image;
}

QString IconPictureSvg(IconKind kind) {
    QString svg =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                       "viewBox=\"0 0 16 16\">\n"
                       "  <defs><mask id=\"cut\"><rect width=\"16\" height=\"16\" fill=\"#fff\"/>");
    const std::vector<Shape> shapes = Shapes(kind);
    // Erased corners cut everything drawn before them.
    for (const Shape& s : shapes)
        if (s.kind == Shape::Erase)
            svg += QStringLiteral("<polygon points=\"%1\" fill=\"#000\"/>").arg(Points(s.points));
    svg +=
        QStringLiteral("</mask></defs>\n  <g mask=\"url(#cut)\" shape-rendering=\"crispEdges\">\n");
    for (const Shape& s : shapes) {
        if (s.kind == Shape::Erase) {
            svg += QStringLiteral("  </g>\n  <g>\n");
            continue;
        }
        if (s.kind == Shape::Fill && s.points.size() == 2)
            svg += QStringLiteral(
                       "    <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
                       .arg(s.points[0].x())
                       .arg(s.points[0].y())
                       .arg(s.points[1].x())
                       .arg(s.points[1].y())
                       .arg(Hex(s.colour));
        else if (s.kind == Shape::Fill)
            svg += QStringLiteral("    <polygon points=\"%1\" fill=\"%2\"/>\n")
                       .arg(Points(s.points), Hex(s.colour));
        else
            svg +=
                QStringLiteral(
                    "    <polyline points=\"%1\" fill=\"none\" stroke=\"%2\" stroke-width=\"%3\" "
                    "stroke-linecap=\"square\" stroke-linejoin=\"miter\" "
                    "shape-rendering=\"geometricPrecision\"/>\n")
                    .arg(Points(s.points), Hex(s.colour))
                    .arg(s.width);
    }
    svg += QStringLiteral("  </g>\n</svg>\n");
    return svg;
}
