#include "MenuArgomento.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionMenuItem>

#include "Finestra.h"

namespace mevario {

namespace {
const QColor kArancio(255, 113, 45); // 2978303

QFont CarattereMenu()
{
    // Tahoma 12 points bold: 16 pixels at 96 pixels per inch.
    return Carattere("Tahoma", 16, true);
}
} // namespace

TVoceMenu::TVoceMenu(const QString& caption, bool separatore, QWidget* parent)
    : QAbstractButton(parent), FSeparatore(separatore)
{
    setText(caption);
    // The menu takes the keys; its entries do not take the focus.
    setFocusPolicy(Qt::NoFocus);
    setEnabled(!separatore);
    if (separatore)
        setAccessibleName(QStringLiteral("separatore"));
    setMouseTracking(true);
}

QSize TVoceMenu::Misura(const QString& caption, bool separatore)
{
    if (separatore)
        return QSize(200, 20);
    return QSize(caption.size() > 15 ? 250 : 200, 50);
}

void TVoceMenu::SetEvidenziata(bool e)
{
    if (FEvidenziata == e)
        return;
    FEvidenziata = e;
    update();
}

void TVoceMenu::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRect r = rect();
    if (FSeparatore) {
        // Drawn by the platform, as the separators of its own menus.
        p.fillRect(r, palette().color(QPalette::Window));
        QStyleOptionMenuItem o;
        o.initFrom(this);
        o.menuItemType = QStyleOptionMenuItem::Separator;
        o.rect = r;
        style()->drawControl(QStyle::CE_MenuItem, &o, &p, this);
        return;
    }
    p.fillRect(r, palette().color(QPalette::Window));
    p.setPen(QPen(kArancio, 1));
    p.setBrush(FEvidenziata && isEnabled() ? kArancio : palette().color(QPalette::Window));
    p.drawRoundedRect(QRectF(r.left() + 0.5, r.top() + 1.5, r.width() - 1, r.height() - 3), 15, 15);
    p.setFont(CarattereMenu());
    p.setPen(isEnabled() ? palette().color(QPalette::WindowText) : palette().color(QPalette::Disabled, QPalette::WindowText));
    const QFontMetrics fm(p.font());
    p.drawText(QPoint((r.width() - fm.horizontalAdvance(text())) / 2, r.top() + 14 + fm.ascent()), text());
}

void TVoceMenu::enterEvent(QEnterEvent* e)
{
    emit Entrato(this);
    QAbstractButton::enterEvent(e);
}

void TVoceMenu::leaveEvent(QEvent* e)
{
    emit Uscito(this);
    QAbstractButton::leaveEvent(e);
}

// A frameless tool window rather than a popup: screen readers see the
// entries of a tool window, not those of a popup. It closes like a popup
// when it loses the activation.
TMenuArgomento::TMenuArgomento(QWidget* parent) : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setFrameShape(QFrame::Box);
    setAccessibleName(QStringLiteral("Menu"));
    setFocusPolicy(Qt::StrongFocus);
}

TVoceMenu* TMenuArgomento::Aggiungi(const QString& caption, std::function<void()> azione)
{
    const bool sep = caption == QLatin1String("-");
    auto* v = new TVoceMenu(caption, sep, this);
    const QSize s = TVoceMenu::Misura(caption, sep);
    FLarghezza = std::max(FLarghezza, s.width());
    v->setGeometry(1, 1 + FAltezza, s.width(), s.height());
    FAltezza += s.height();
    if (!sep) {
        v->setEnabled(static_cast<bool>(azione));
        connect(v, &TVoceMenu::Entrato, this, [this](TVoceMenu* x) {
            if (x->isEnabled())
                Evidenzia(x);
        });
        connect(v, &TVoceMenu::Uscito, this, [this](TVoceMenu* x) {
            if (x->Evidenziata())
                Evidenzia(nullptr);
        });
        connect(v, &QAbstractButton::clicked, this, [this, azione] {
            hide();
            if (azione)
                azione();
        });
    }
    FVoci.push_back(v);
    for (TVoceMenu* x : FVoci)
        x->resize(FLarghezza, x->height());
    resize(FLarghezza + 2, FAltezza + 2);
    return v;
}

void TMenuArgomento::Mostra(const QPoint& globale, bool daTastiera)
{
    // On the screen, as platform menus are: moved up or left when needed.
    QPoint p = globale;
    if (const QScreen* schermo = QGuiApplication::screenAt(globale) ? QGuiApplication::screenAt(globale)
                                                                     : QGuiApplication::primaryScreen()) {
        const QRect a = schermo->availableGeometry();
        p.setX(std::max(a.left(), std::min(p.x(), a.right() + 1 - width())));
        p.setY(std::max(a.top(), std::min(p.y(), a.bottom() + 1 - height())));
    }
    move(p);
    Evidenzia(nullptr);
    show();
    raise();
    activateWindow();
    setFocus();
    if (daTastiera)
        Sposta(1);
}

TVoceMenu* TMenuArgomento::Evidenziata() const
{
    for (TVoceMenu* v : FVoci)
        if (v->Evidenziata())
            return v;
    return nullptr;
}

void TMenuArgomento::Evidenzia(TVoceMenu* voce)
{
    for (TVoceMenu* v : FVoci)
        v->SetEvidenziata(v == voce);
}

void TMenuArgomento::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        hide();
    QFrame::changeEvent(e);
}

void TMenuArgomento::Sposta(int passo)
{
    const int n = static_cast<int>(FVoci.size());
    int i = passo > 0 ? -1 : n;
    for (int k = 0; k < n; ++k)
        if (FVoci[static_cast<std::size_t>(k)]->Evidenziata())
            i = k;
    for (int k = 1; k <= n; ++k) {
        TVoceMenu* v = FVoci[static_cast<std::size_t>(((i + passo * k) % n + n) % n)];
        if (v->isEnabled()) {
            Evidenzia(v);
            return;
        }
    }
}

void TMenuArgomento::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Down: Sposta(1); return;
    case Qt::Key_Up: Sposta(-1); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (TVoceMenu* v = Evidenziata())
            v->click();
        return;
    case Qt::Key_Escape: hide(); return;
    default: QFrame::keyPressEvent(e);
    }
}

} // namespace mevario
