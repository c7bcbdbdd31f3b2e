#include "Glifi.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>
#include <utility>

namespace mevario {

namespace {

// Draws a picture given in a 24 x 24 box, scaled to the rectangle asked for.
class TGlifo : public QIconEngine {
public:
    explicit TGlifo(std::function<void(QPainter&)> disegna) : FDisegna(std::move(disegna)) {}

    void paint(QPainter* p, const QRect& r, QIcon::Mode m, QIcon::State) override
    {
        p->save();
        p->setRenderHint(QPainter::Antialiasing, true);
        if (m == QIcon::Disabled) // faded like the caption of a disabled button
            p->setOpacity(0.45);
        p->translate(r.topLeft());
        p->scale(r.width() / 24.0, r.height() / 24.0);
        FDisegna(*p);
        p->restore();
    }

    // A pixmap of exactly `s` device pixels (the icon asks for the logical
    // size times the device pixel ratio), transparent around the picture.
    QPixmap pixmap(const QSize& s, QIcon::Mode m, QIcon::State st) override
    {
        QPixmap px(s);
        px.fill(Qt::transparent);
        QPainter p(&px);
        paint(&p, QRect(QPoint(0, 0), s), m, st);
        return px;
    }

    QIconEngine* clone() const override { return new TGlifo(FDisegna); }

private:
    std::function<void(QPainter&)> FDisegna;
};

// Lines of one pixel run on the middle of a pixel row or column at 100 %.
void Contorno(QPainter& p, const QColor& fondo)
{
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fondo);
}

} // namespace

QIcon GlifoScheda()
{
    return QIcon(new TGlifo([](QPainter& p) {
        Contorno(p, Qt::white);
        p.drawRect(QRectF(5.5, 2.5, 13, 19));
        for (int y = 6; y <= 18; y += 3)
            p.drawLine(QPointF(8.5, y + 0.5), QPointF(15.5, y + 0.5));
    }));
}

QIcon GlifoRegistro()
{
    return QIcon(new TGlifo([](QPainter& p) {
        Contorno(p, Qt::white);
        p.drawRect(QRectF(2.5, 3.5, 19, 17));
        p.fillRect(QRectF(3, 4, 18, 4), QColor(120, 120, 120)); // the header row
        p.drawLine(QPointF(2.5, 8.5), QPointF(21.5, 8.5));
        for (const double y : {12.5, 16.5})
            p.drawLine(QPointF(2.5, y), QPointF(21.5, y));
        for (const double x : {9.5, 15.5})
            p.drawLine(QPointF(x, 3.5), QPointF(x, 20.5));
    }));
}

QIcon GlifoStampante()
{
    return QIcon(new TGlifo([](QPainter& p) {
        Contorno(p, Qt::white);
        p.drawRect(QRectF(7.5, 2.5, 9, 7)); // the paper waiting
        Contorno(p, QColor(120, 120, 120));
        p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 1.5, 1.5); // the body
        Contorno(p, Qt::white);
        p.drawRect(QRectF(6.5, 14.5, 11, 7)); // the sheet coming out
        p.drawLine(QPointF(8.5, 17.5), QPointF(15.5, 17.5));
        p.drawLine(QPointF(8.5, 19.5), QPointF(15.5, 19.5));
    }));
}

QIcon GlifoEsci()
{
    return QIcon(new TGlifo([](QPainter& p) {
        Contorno(p, QColor(139, 90, 43));
        p.drawRect(QRectF(3.5, 2.5, 9, 19)); // the door
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(10.5, 12.5), 0.8, 0.8); // its knob
        // The arrow going out, white with a thin dark edge to stand out on
        // the door and on the orange button alike.
        QPainterPath freccia;
        freccia.moveTo(9, 9.5);
        freccia.lineTo(15, 9.5);
        freccia.lineTo(15, 5.5);
        freccia.lineTo(22, 11.5);
        freccia.lineTo(15, 17.5);
        freccia.lineTo(15, 13.5);
        freccia.lineTo(9, 13.5);
        freccia.closeSubpath();
        p.setPen(QPen(QColor(60, 30, 10), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        p.drawPath(freccia);
    }));
}

} // namespace mevario
