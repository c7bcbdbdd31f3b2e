#include "MenuArgomento.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

TMenuArgomento::TMenuArgomento(QWidget* parent) : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint)
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

QPoint TMenuArgomento::Posizione(const QRect& bottone, const QSize& menu, const QRect& schermo)
{
    const auto dentro = [](int v, int minimo, int massimo) { return std::max(minimo, std::min(v, massimo)); };
    const int xMax = schermo.right() + 1 - menu.width(), yMax = schermo.bottom() + 1 - menu.height();
    const int x = dentro(bottone.left() + 30, schermo.left(), xMax);
    if (bottone.bottom() + 1 <= yMax)
        return {x, bottone.bottom() + 1}; // below
    if (bottone.top() - menu.height() >= schermo.top())
        return {x, bottone.top() - menu.height()}; // above
    // Neither: beside the button, on the side with room.
    const int y = dentro(bottone.top(), schermo.top(), yMax);
    if (bottone.right() + 1 <= xMax)
        return {bottone.right() + 1, y};
    if (bottone.left() - menu.width() >= schermo.left())
        return {bottone.left() - menu.width(), y};
    return {x, y};
}

void TMenuArgomento::Mostra(QWidget* bottone, bool daTastiera)
{
    // One menu open at a time.
    while (QWidget* aperto = QApplication::activePopupWidget()) {
        if (aperto == this)
            break;
        aperto->close();
    }
    FBottone = bottone;
    const QRect b(bottone->mapToGlobal(QPoint(0, 0)), bottone->size());
    // The window system places the popup by its offset from the parent
    // window. Where a window does not know where it is on the screen
    // (Wayland), the menu keeps inside its window, which is on the screen.
    const QScreen* schermo = bottone->screen() ? bottone->screen() : QGuiApplication::primaryScreen();
    const bool senzaPosizioni = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    const QRect area = senzaPosizioni || !schermo ? bottone->window()->geometry() : schermo->availableGeometry();
    move(Posizione(b, size(), area));
    Evidenzia(nullptr);
    setAttribute(Qt::WA_NoMouseReplay, false);
    show();
    setFocus(Qt::PopupFocusReason);
    if (daTastiera)
        Sposta(1);
}

void TMenuArgomento::mousePressEvent(QMouseEvent* e)
{
    // A click outside closes the menu. On its own button it only closes it:
    // the click is not handed on to the button, which would open it again.
    const bool suBottone = FBottone && !rect().contains(e->position().toPoint()) &&
                           FBottone->rect().contains(FBottone->mapFromGlobal(e->globalPosition().toPoint()));
    setAttribute(Qt::WA_NoMouseReplay, suBottone);
    QFrame::mousePressEvent(e);
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
    // The highlighted entry is what a screen reader reads out.
    if (voce && isVisible() && QAccessible::isActive()) {
        QAccessibleEvent ev(voce, QAccessible::Focus);
        QAccessible::updateAccessibility(&ev);
    }
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

namespace {

// An entry as a menu item that can be pressed; the highlighted one has the focus.
class TAccessibileVoce : public QAccessibleWidget {
public:
    explicit TAccessibileVoce(TVoceMenu* v)
        : QAccessibleWidget(v, v->Separatore() ? QAccessible::Separator : QAccessible::MenuItem)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && !Voce()->Separatore())
            return Voce()->accessibleName().isEmpty() ? Voce()->text() : Voce()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = !Voce()->Separatore();
        s.focused = s.selected = Voce()->Evidenziata();
        s.selectable = s.focusable;
        return s;
    }
    QStringList actionNames() const override
    {
        return Voce()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& azione) override
    {
        if (azione == pressAction() && Voce()->isEnabled())
            Voce()->click();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    TVoceMenu* Voce() const { return static_cast<TVoceMenu*>(widget()); }
};

// The open menu: a popup menu whose parent is the window of its button.
class TAccessibileMenu : public QAccessibleWidget {
public:
    explicit TAccessibileMenu(QWidget* m) : QAccessibleWidget(m, QAccessible::PopupMenu) {}
    QAccessibleInterface* parent() const override
    {
        return widget()->parentWidget() ? QAccessible::queryAccessibleInterface(widget()->parentWidget())
                                        : QAccessibleWidget::parent();
    }
};

// A window with menus: its own children, then its open menus.
class TAccessibileConMenu : public QAccessibleWidget {
public:
    explicit TAccessibileConMenu(QWidget* w) : QAccessibleWidget(w) {}
    int childCount() const override { return QAccessibleWidget::childCount() + static_cast<int>(Aperti().size()); }
    QAccessibleInterface* child(int i) const override
    {
        const int n = QAccessibleWidget::childCount();
        if (i < n)
            return QAccessibleWidget::child(i);
        const auto aperti = Aperti();
        return i - n < aperti.size() ? QAccessible::queryAccessibleInterface(aperti[i - n]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* c) const override
    {
        if (auto* m = c ? qobject_cast<TMenuArgomento*>(c->object()) : nullptr) {
            const int i = static_cast<int>(Aperti().indexOf(m));
            return i < 0 ? -1 : QAccessibleWidget::childCount() + i;
        }
        return QAccessibleWidget::indexOfChild(c);
    }

private:
    QList<TMenuArgomento*> Aperti() const
    {
        QList<TMenuArgomento*> l;
        for (TMenuArgomento* m : widget()->findChildren<TMenuArgomento*>(Qt::FindDirectChildrenOnly))
            if (m->isVisible())
                l << m;
        return l;
    }
};

QStringList& Proprietari()
{
    static QStringList l;
    return l;
}

QAccessibleInterface* Fabbrica(const QString& classe, QObject* o)
{
    if (classe == QLatin1String(TVoceMenu::staticMetaObject.className()))
        return new TAccessibileVoce(static_cast<TVoceMenu*>(o));
    if (classe == QLatin1String(TMenuArgomento::staticMetaObject.className()))
        return new TAccessibileMenu(static_cast<QWidget*>(o));
    if (o->isWidgetType() && Proprietari().contains(classe))
        return new TAccessibileConMenu(static_cast<QWidget*>(o));
    return nullptr;
}

} // namespace

void EsponiMenuAccessibili(const QMetaObject& proprietario)
{
    const QString classe = QLatin1String(proprietario.className());
    if (Proprietari().contains(classe))
        return;
    if (Proprietari().isEmpty())
        QAccessible::installFactory(&Fabbrica);
    Proprietari() << classe;
}

} // namespace mevario
