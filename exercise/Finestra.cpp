#include "Finestra.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWindow>

#include "Colori.h"
#include "QtCanvas.h"
#include "UDsFancyButton.h"

#include <algorithm>

namespace mevario {

QFont Carattere(const char* famiglia, int px, bool grassetto)
{
    return CaratterePagina(QString::fromLatin1(famiglia), px, grassetto);
}

void ColoraTesto(QWidget* w, const QColor& colore)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colore);
    p.setColor(QPalette::Text, colore);
    w->setPalette(p);
}

QLabel* Etichetta(const QString& testo, QWidget* parent, const QFont& font, const QColor& colore)
{
    auto* l = new QLabel(testo, parent);
    l->setFont(font);
    ColoraTesto(l, colore);
    l->adjustSize();
    return l;
}

TDsFancyButton* Capsula(const QString& caption, QWidget* parent, const QRect& g, int px)
{
    auto* b = new TDsFancyButton(caption, parent);
    StileCapsula(b, px, Qt::white, Qt::white);
    b->setGeometry(g);
    return b;
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

void StileDialogo(QWidget* dialogo)
{
    QPalette pal = dialogo->palette();
    pal.setColor(QPalette::Window, kSfondo);
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    dialogo->setPalette(pal);
    dialogo->setAutoFillBackground(true);
    dialogo->setFont(Carattere("Tahoma", 13));
    dialogo->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 2px solid rgb(255, 201, 147); border-radius: 8px; margin-top: 22px;"
        "  background: rgb(255, 240, 224); padding: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; color: rgb(128, 0, 0);"
        "  font-family: 'Comic Neue'; font-size: 18px; }"));
}

namespace {

QRegion DaPercorso(const QPainterPath& p) { return QRegion(p.toFillPolygon().toPolygon()); }

// Keeps a widget's shape and, for a window, moves it when its background is
// dragged (the system's move when the platform offers it, by hand otherwise).
class TSagoma : public QObject {
public:
    TSagoma(QWidget* w, bool finestra, bool dipinta = false)
        : QObject(w), FWidget(w), FFinestra(finestra), FDipinta(dipinta)
    {
        if (FDipinta)
            w->setAttribute(Qt::WA_TranslucentBackground);
        NienteRiempimento();
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
        case QEvent::Show: NienteRiempimento(); break;
        case QEvent::Paint:
            if (FDipinta)
                Dipingi(); // the background, under what the window paints
            break;
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
    // The mask also where it only limits the input: clicks in the cut
    // corners go to what is behind.
    void Applica() { FWidget->setMask(FFinestra ? FormaFinestra(FWidget->size()) : FormaPannello(FWidget->size())); }
    // The background is the painted shape: the window's own filling of its
    // whole rectangle would cover the cut corners.
    void NienteRiempimento()
    {
        if (FDipinta && FWidget->autoFillBackground())
            FWidget->setAutoFillBackground(false);
    }
    void Dipingi()
    {
        QPainter p(FWidget);
        p.setRenderHint(QPainter::Antialiasing, true);
        const QColor sfondo = FWidget->palette().color(QPalette::Window);
        // The shape in the border colour, and inside it, one pixel in, the
        // shape in the background colour.
        p.setPen(Qt::NoPen);
        p.setBrush(sfondo.darker(160));
        p.drawPath(PercorsoFinestra(QSizeF(FWidget->size())));
        p.setBrush(sfondo);
        p.drawPath(PercorsoFinestra(QSizeF(FWidget->size()) - QSizeF(2, 2)).translated(1, 1));
    }

    QWidget* FWidget;
    bool FFinestra;
    bool FDipinta;
    bool FPremuto = false;
    bool FTrascina = false;
    QPoint FInizio, FPresa;
};

} // namespace

QPainterPath PercorsoFinestra(const QSizeF& s)
{
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    p.addRoundedRect(QRectF(0, 0, s.width(), s.height()), 10, 10);
    p.addRect(QRectF(0, s.height() / 2.0, s.width(), s.height() - s.height() / 2.0));
    return p.simplified();
}

QRegion FormaFinestra(const QSize& s) { return DaPercorso(PercorsoFinestra(QSizeF(s))); }

bool FinestreSagomate() { return !QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

QRegion FormaPannello(const QSize& s)
{
    QPainterPath p;
    p.addRoundedRect(QRectF(0, 0, s.width(), s.height()), 10, 10);
    return DaPercorso(p);
}

void SagomaFinestra(QWidget* w, bool dipinta)
{
    w->setWindowFlag(Qt::FramelessWindowHint, true);
    new TSagoma(w, true, dipinta);
}

void ArrotondaAngoli(QWidget* panel) { new TSagoma(panel, false); }

QRect PosizioneCentrata(const QSize& finestra, const QRect& sopra, const QRect& area)
{
    QRect g(QPoint(0, 0), finestra);
    g.moveCenter(sopra.center());
    const auto dentro = [](int v, int minimo, int lato, int spazio) {
        return lato >= spazio ? minimo : std::clamp(v, minimo, minimo + spazio - lato);
    };
    g.moveTo(dentro(g.x(), area.x(), g.width(), area.width()), dentro(g.y(), area.y(), g.height(), area.height()));
    return g;
}

std::pair<QRect, QRect> PosizioniAccanto(const QRect& finestra, const QSize& accanto, const QRect& area)
{
    QRect f = finestra, a(QPoint(0, 0), accanto);
    const int y = std::clamp(finestra.top(), area.top(), std::max(area.top(), area.bottom() + 1 - a.height()));
    if (f.right() + 1 + a.width() <= area.right() + 1) {
        a.moveTo(f.right() + 1, y);
    } else if (f.left() - a.width() >= area.left()) {
        a.moveTo(f.left() - a.width(), y);
    } else {
        const int libero = area.width() - f.width() - a.width();
        f.moveLeft(area.left() + std::max(0, libero / 2));
        a.moveTo(libero >= 0 ? f.right() + 1 : area.right() + 1 - a.width(), y);
    }
    return {f, a};
}

void CentraSopra(QWidget* finestra, const QWidget* sopra)
{
    if (sopra && !sopra->isVisible())
        sopra = nullptr;
    const QScreen* schermo = sopra ? sopra->screen() : QGuiApplication::primaryScreen();
    if (!schermo)
        return;
    const QRect area = schermo->availableGeometry();
    // The frame the window manager adds is known only once the window has
    // been shown; before, the window's own size stands for it.
    // A window never resized takes its layout's size when it is first shown:
    // it takes it now, to be placed by it.
    if (!finestra->isVisible() && !finestra->testAttribute(Qt::WA_Resized))
        finestra->adjustSize();
    const QSize lato = finestra->isVisible() ? finestra->frameGeometry().size() : finestra->size();
    finestra->move(PosizioneCentrata(lato, sopra ? sopra->frameGeometry() : area, area).topLeft());
}

} // namespace mevario
