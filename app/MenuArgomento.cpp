#include "MenuArgomento.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace mevario {

namespace {
const QColor kArancio(255, 113, 45); // 2978303

QFont CarattereMenu()
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(12);
    f.setBold(true);
    return f;
}
} // namespace

TVoceMenu::TVoceMenu(const QString& caption, bool separatore, QWidget* parent)
    : QAbstractButton(parent), FSeparatore(separatore)
{
    setText(caption);
    setFocusPolicy(separatore ? Qt::NoFocus : Qt::StrongFocus);
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

void TVoceMenu::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRect r = rect();
    if (FSeparatore) {
        p.setPen(kArancio);
        p.drawLine(r.left() + 1, r.height() / 2, r.right() - 1, r.height() / 2);
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
    FEvidenziata = true;
    update();
    QAbstractButton::enterEvent(e);
}

void TVoceMenu::leaveEvent(QEvent* e)
{
    FEvidenziata = hasFocus();
    update();
    QAbstractButton::leaveEvent(e);
}

void TVoceMenu::focusInEvent(QFocusEvent* e)
{
    FEvidenziata = true;
    update();
    QAbstractButton::focusInEvent(e);
}

void TVoceMenu::focusOutEvent(QFocusEvent* e)
{
    FEvidenziata = underMouse();
    update();
    QAbstractButton::focusOutEvent(e);
}

// A frameless tool window rather than a popup: screen readers see the
// entries of a tool window, not those of a popup. It closes like a popup
// when it loses the activation.
TMenuArgomento::TMenuArgomento(QWidget* parent) : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setFrameShape(QFrame::Box);
    setAccessibleName(QStringLiteral("Menu"));
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

void TMenuArgomento::Mostra(const QPoint& globale)
{
    move(globale);
    show();
    raise();
    activateWindow();
    for (TVoceMenu* v : FVoci)
        if (v->isEnabled()) {
            v->setFocus();
            break;
        }
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
    int i = 0;
    for (; i < n; ++i)
        if (FVoci[static_cast<std::size_t>(i)]->hasFocus())
            break;
    for (int k = 1; k <= n; ++k) {
        TVoceMenu* v = FVoci[static_cast<std::size_t>(((i + passo * k) % n + n) % n)];
        if (v->isEnabled()) {
            v->setFocus();
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
        for (TVoceMenu* v : FVoci)
            if (v->hasFocus()) {
                v->click();
                return;
            }
        return;
    case Qt::Key_Escape: hide(); return;
    default: QFrame::keyPressEvent(e);
    }
}

} // namespace mevario
