#include "Finestra.h"

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

void StileDialogo(QWidget* dialogo)
{
    QPalette pal = dialogo->palette();
    pal.setColor(QPalette::Window, QColor(255, 230, 204));
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
        "  font-family: 'Comic Neue'; font-size: 18px; }"
        "QPushButton { background: rgb(255, 113, 45); color: white; font-family: Tahoma; font-weight: bold;"
        "  font-size: 14px; border: 3px solid rgb(192, 192, 192); border-radius: 17px; padding: 6px 18px;"
        "  min-height: 22px; }"
        "QPushButton:hover { border-color: white; }"
        "QPushButton:focus { border-color: rgb(128, 0, 0); }"
        "QPushButton:disabled { background: rgb(255, 190, 160); color: rgb(255, 240, 230); }"));
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
            QWindow* h = FWidget->window()->windowHandle();
            if (h && h->startSystemMove())
                return true;
            FTrascina = true;
            FPresa = m->globalPosition().toPoint() - FWidget->window()->frameGeometry().topLeft();
            return true;
        }
        case QEvent::MouseMove:
            if (FTrascina) {
                auto* m = static_cast<QMouseEvent*>(e);
                FWidget->window()->move(m->globalPosition().toPoint() - FPresa);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease: FTrascina = false; break;
        default: break;
        }
        return false;
    }

private:
    void Applica() { FWidget->setMask(FFinestra ? FormaFinestra(FWidget->size()) : FormaPannello(FWidget->size())); }

    QWidget* FWidget;
    bool FFinestra;
    bool FTrascina = false;
    QPoint FPresa;
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
