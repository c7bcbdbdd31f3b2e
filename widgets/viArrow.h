// TviArrow and TviArrowEx: a transparent control that draws a straight line
// with a filled triangular head at one or both ends.
#pragma once

#include <QColor>
#include <QPolygon>
#include <QWidget>

#include <cstdint>
#include <vector>

class TviArrow : public QWidget {
    Q_OBJECT
public:
    enum TArrowPosition { apLeft, apRight, apBoth };
    enum TArrowDirection { adTopToTop, adTopToBottom, adBottomToTop, adBottomToBottom, adLeftToLeft, adRightToRight };

    explicit TviArrow(QWidget* parent = nullptr);

    // The three rates are 16-bit integers; 0 is refused (the value stays).
    std::int16_t LineWidth() const { return FLineWidth; }
    void SetLineWidth(std::int16_t v);
    std::int16_t ThicknessRate() const { return FThicknessRate; }
    void SetThicknessRate(std::int16_t v);
    std::int16_t HeadLengthRate() const { return FHeadLengthRate; }
    void SetHeadLengthRate(std::int16_t v);
    TArrowPosition ArrowPosition() const { return FPosition; }
    void SetArrowPosition(TArrowPosition p);
    TArrowDirection ArrowDirection() const { return FDirection; }
    void SetArrowDirection(TArrowDirection d);
    QColor Color() const { return FColor; }
    void SetColor(const QColor& c);

    // The line, from its start end to its other end, in the control.
    virtual QLine Linea() const;
    // The heads drawn with the current properties: a triangle each, its tip
    // first (at the start end for apLeft, at the other end for apRight).
    std::vector<QPolygon> Teste() const;
    // One head: tip, then the corners at tip + s(cos(a ± alpha), sin(a ± alpha)).
    static QPolygon Testa(QPoint punta, double angolo, int lineWidth, int thicknessRate, int headLengthRate);

signals:
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    std::int16_t FLineWidth = 1;
    std::int16_t FThicknessRate = 10;
    std::int16_t FHeadLengthRate = 2;
    TArrowPosition FPosition = apBoth;
    TArrowDirection FDirection = adTopToBottom;
    QColor FColor = Qt::black;
};

// The line runs horizontally through the middle for adTopToTop and
// adBottomToBottom, vertically through the middle (from the top down) for
// adLeftToLeft and adRightToRight.
class TviArrowEx : public TviArrow {
    Q_OBJECT
public:
    using TviArrow::TviArrow;
    QLine Linea() const override;
};
