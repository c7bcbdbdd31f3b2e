#include "viArrow.h"

#include <QPainter>

#include <cmath>

TviArrow::TviArrow(QWidget* parent) : QWidget(parent)
{
    resize(100, 60);
    // Transparent: only the line and the heads are drawn.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

void TviArrow::SetLineWidth(std::int16_t v)
{
    if (v == 0 || v == FLineWidth)
        return;
    FLineWidth = v;
    update();
}

void TviArrow::SetThicknessRate(std::int16_t v)
{
    if (v == 0 || v == FThicknessRate)
        return;
    FThicknessRate = v;
    update();
}

void TviArrow::SetHeadLengthRate(std::int16_t v)
{
    if (v == 0 || v == FHeadLengthRate)
        return;
    FHeadLengthRate = v;
    update();
}

void TviArrow::SetArrowPosition(TArrowPosition p)
{
    FPosition = p;
    update();
}

void TviArrow::SetArrowDirection(TArrowDirection d)
{
    FDirection = d;
    update();
}

void TviArrow::SetColor(const QColor& c)
{
    FColor = c;
    update();
}

QLine TviArrow::Linea() const
{
    const int r = width() - 1, b = height() - 1;
    switch (FDirection) {
    case adTopToTop: return {0, 0, r, 0};
    case adTopToBottom: return {0, 0, r, b};
    case adBottomToTop: return {0, b, r, 0};
    case adBottomToBottom: return {0, b, r, b};
    case adLeftToLeft: return {0, 0, 0, b};
    case adRightToRight: return {r, 0, r, b};
    }
    return {0, 0, r, b};
}

QLine TviArrowEx::Linea() const
{
    const int r = width() - 1, b = height() - 1;
    switch (ArrowDirection()) {
    case adTopToTop:
    case adBottomToBottom: return {0, height() / 2, r, height() / 2};
    case adLeftToLeft:
    case adRightToRight: return {width() / 2, 0, width() / 2, b};
    default: return TviArrow::Linea();
    }
}

QPolygon TviArrow::Testa(QPoint punta, double angolo, int lineWidth, int thicknessRate, int headLengthRate)
{
    const double w = static_cast<double>(lineWidth) * thicknessRate;
    const double h = static_cast<double>(headLengthRate) * w;
    const double s = std::sqrt(w * w / 4 + h * h);
    const double alfa = std::atan(w / (2 * h));
    const auto angolo1 = [&](double a) {
        return QPoint(static_cast<int>(std::lround(punta.x() + s * std::cos(a))),
                      static_cast<int>(std::lround(punta.y() + s * std::sin(a))));
    };
    return QPolygon({punta, angolo1(angolo + alfa), angolo1(angolo - alfa)});
}

std::vector<QPolygon> TviArrow::Teste() const
{
    const QLine l = Linea();
    const int dx = l.dx(), dy = l.dy();
    const double theta = dx == 0 ? M_PI / 2 : std::atan(static_cast<double>(dy) / dx);
    std::vector<QPolygon> r;
    // The head at the start opens towards the end (theta); the head at the
    // other end opens back towards the start (theta - pi).
    if (FPosition == apLeft || FPosition == apBoth)
        r.push_back(Testa(l.p1(), theta, FLineWidth, FThicknessRate, FHeadLengthRate));
    if (FPosition == apRight || FPosition == apBoth)
        r.push_back(Testa(l.p2(), theta - M_PI, FLineWidth, FThicknessRate, FHeadLengthRate));
    return r;
}

void TviArrow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(FColor, std::max<int>(1, FLineWidth)));
    p.drawLine(Linea());
    p.setPen(QPen(FColor, 1));
    p.setBrush(FColor);
    for (const QPolygon& t : Teste())
        p.drawPolygon(t);
}

void TviArrow::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    emit OnMouseEnter();
}

void TviArrow::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    emit OnMouseLeave();
}
