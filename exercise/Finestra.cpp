#include "Finestra.h"

#include <QApplication>

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QWindow>

#include "QtCanvas.h"
#include "UDsFancyButton.h"

namespace mevario {

QFont Carattere(const char* famiglia, int px, bool grassetto)
{
    return CaratterePagina(QString::fromLatin1(famiglia), px, grassetto);
}

QLabel* Etichetta(const QString& testo, QWidget* parent, const QFont& font, const QColor& colore)
{
    auto* l = new QLabel(testo, parent);
    l->setFont(font);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colore);
    l->setPalette(p);
    l->adjustSize();
    return l;
}

void StileCapsula(TDsFancyButton* b, int px, const QColor& testo, const QColor& hover)
{
    b->SetShape(TDsFancyButton::btnCapsule);
    b->SetFaceColor(QColor(255, 113, 45));
    b->SetFrameColor(QColor(192, 192, 192));
    b->SetFrameWidth(3);
    b->SetHoverColor(hover);
    b->SetCornerRadius(6);
    b->SetFontColor(testo);
    b->setFont(Carattere("Tahoma", px, true));
}

namespace {

QRegion DaPercorso(const QPainterPath& p) { return QRegion(p.toFillPolygon().toPolygon()); }

// Keeps a widget's shape and, for a window, moves it when its background is
// dragged (the system's move when the platform offers it, by hand otherwise).
class TSagoma : public QObject {
public:
    TSagoma(QWidget* w, bool finestra) : QObject(w), FWidget(w), FFinestra(finestra)
    {
        w->installEventFilter(this);
        Applica();
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o != FWidget)
            return false;
        switch (e->type()) {
        case QEvent::Resize: Applica(); break;
        case QEvent::MouseButtonPress: {
            auto* m = static_cast<QMouseEvent*>(e);
            if (!FFinestra || m->button() != Qt::LeftButton)
                break;
            // The move starts only once the pointer has moved: a plain click
            // handed to the window manager's move would leave the button
            // held, as far as this program knows, and the next press would
            // go to this window wherever it happened.
            FPremuto = true;
            FTrascina = false;
            FInizio = m->globalPosition().toPoint();
            FPresa = FInizio - FWidget->window()->frameGeometry().topLeft();
            return true;
        }
        case QEvent::MouseMove: {
            auto* m = static_cast<QMouseEvent*>(e);
            if (!FPremuto || !(m->buttons() & Qt::LeftButton))
                break;
            if (!FTrascina) {
                if ((m->globalPosition().toPoint() - FInizio).manhattanLength() < QApplication::startDragDistance())
                    return true;
                QWindow* h = FWidget->window()->windowHandle();
                if (h && h->startSystemMove()) {
                    FPremuto = false;
                    return true;
                }
                FTrascina = true;
            }
            FWidget->window()->move(m->globalPosition().toPoint() - FPresa);
            return true;
        }
        case QEvent::MouseButtonRelease:
            FPremuto = false;
            FTrascina = false;
            break;
        default: break;
        }
        return false;
    }

private:
    void Applica() { FWidget->setMask(FFinestra ? FormaFinestra(FWidget->size()) : FormaPannello(FWidget->size())); }

    QWidget* FWidget;
    bool FFinestra;
    bool FPremuto = false;
    bool FTrascina = false;
    QPoint FInizio, FPresa;
};

} // namespace

QRegion FormaFinestra(const QSize& s)
{
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    p.addRoundedRect(QRectF(0, 0, s.width(), s.height()), 10, 10);
    p.addRect(QRectF(0, s.height() / 2.0, s.width(), s.height() - s.height() / 2.0));
    return DaPercorso(p.simplified());
}

QRegion FormaPannello(const QSize& s)
{
    QPainterPath p;
    p.addRoundedRect(QRectF(0, 0, s.width(), s.height()), 10, 10);
    return DaPercorso(p);
}

void SagomaFinestra(QWidget* w)
{
    w->setWindowFlag(Qt::FramelessWindowHint, true);
    new TSagoma(w, true);
}

void ArrotondaAngoli(QWidget* panel) { new TSagoma(panel, false); }

} // namespace mevario
