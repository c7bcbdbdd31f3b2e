#include "ucomune.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

#include "Colori.h"
#include "Finestra.h"
#include "UDsFancyButton.h"
#include "funzioni.h"

namespace mevario {

namespace {

QString& Cartella()
{
    static QString c;
    return c;
}

Tfrmcomune* gIstanza = nullptr;


int gFaseLampeggio = 500;

void Lampeggia(QWidget* panel, const QColor& flash)
{
    const QColor c = Colore(panel);
    // The captions and counters keep their colours except while the panel
    // is lit: then they take the one that reads on the flash.
    std::vector<std::pair<QPointer<QLabel>, QColor>> testi;
    for (QLabel* l : panel->findChildren<QLabel*>())
        testi.emplace_back(l, l->palette().color(QPalette::WindowText));
    const auto accendi = [&](bool acceso) {
        ImpostaColore(panel, acceso ? flash : c);
        for (auto& [l, colore] : testi)
            if (l) {
                QPalette p = l->palette();
                p.setColor(QPalette::WindowText, acceso ? TestoLeggibileSu(flash) : colore);
                l->setPalette(p);
            }
    };
    accendi(true);
    Attendi(gFaseLampeggio);
    accendi(false);
    Attendi(gFaseLampeggio);
    accendi(true);
    Attendi(gFaseLampeggio);
    accendi(false);
}

const int kMargine = 4;

// A widget's rectangle in the window's coordinates, cut to what its
// parents let show.
QRect InFinestra(const QWidget* w, const QWidget* finestra)
{
    QRect r(w->mapTo(finestra, QPoint(0, 0)), w->size());
    for (const QWidget* p = w->parentWidget(); p && p != finestra; p = p->parentWidget())
        r &= QRect(p->mapTo(finestra, QPoint(0, 0)), p->size());
    return r & finestra->rect();
}

struct TIngombri {
    std::vector<QRect> pieni;    // nothing may meet them
    std::vector<QRect> pannelli; // left whole or entered whole
};

TIngombri Ingombri(QWidget* finestra, const std::vector<const QWidget*>& esclusi)
{
    TIngombri r;
    const auto escluso = [&](const QWidget* w) {
        for (const QWidget* e : esclusi)
            if (e && (e == w || e->isAncestorOf(w)))
                return true;
        return false;
    };
    for (QWidget* w : finestra->findChildren<QWidget*>()) {
        if (w->isWindow() || escluso(w))
            continue;
        bool visibile = w->isVisibleTo(finestra);
        if (!visibile && w->property("postoRiservato").toBool())
            visibile = w->parentWidget() == finestra || w->parentWidget()->isVisibleTo(finestra);
        if (!visibile)
            continue;
        const QRect g = InFinestra(w, finestra);
        if (g.isEmpty())
            continue;
        bool foglia = true;
        for (QObject* o : w->children())
            if (o->isWidgetType() && static_cast<QWidget*>(o)->isVisibleTo(finestra) && !static_cast<QWidget*>(o)->isWindow())
                foglia = false;
        if (foglia || w->objectName() == QLatin1String("pnlHelp1"))
            r.pieni.push_back(g);
        else if (w->autoFillBackground())
            r.pannelli.push_back(g);
    }
    return r;
}

bool Sgombro(const TIngombri& i, const QRect& r)
{
    const QRect largo = r.adjusted(-kMargine, -kMargine, kMargine, kMargine);
    for (const QRect& p : i.pieni)
        if (largo.intersects(p))
            return false;
    for (const QRect& p : i.pannelli)
        if (largo.intersects(p) && !p.adjusted(kMargine, kMargine, -kMargine, -kMargine).contains(r))
            return false;
    return true;
}

// How far apart two rectangles are (0 when they touch or meet), squared.
long long Distanza(const QRect& a, const QRect& b)
{
    const long long dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const long long dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx * dx + dy * dy;
}


} // namespace

// ---- shared operations ---------------------------------------------------------

QString CartellaProgramma() { return Cartella(); }
void RegistraCartellaProgramma() { Cartella() = QDir::currentPath(); }

void ImpostaColore(QWidget* panel, const QColor& c)
{
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, c);
    panel->setPalette(p);
    panel->setAutoFillBackground(true);
    panel->update();
}

QColor Colore(const QWidget* panel) { return panel->palette().color(QPalette::Window); }

void ImpostaFaseLampeggio(int ms) { gFaseLampeggio = ms < 0 ? 0 : ms; }

// Dark enough for white captions to read on them.
QColor ColoreLampoVerde() { return kVerde; }
QColor ColoreLampoRosso() { return kRosso; }
void LampeggiaVerde(QWidget* panel) { Lampeggia(panel, ColoreLampoVerde()); }
void LampeggiaRosso(QWidget* panel) { Lampeggia(panel, ColoreLampoRosso()); }

double Contrasto(const QColor& a, const QColor& b)
{
    const auto luminanza = [](const QColor& c) {
        const auto lineare = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * lineare(c.redF()) + 0.7152 * lineare(c.greenF()) + 0.0722 * lineare(c.blueF());
    };
    const double la = luminanza(a), lb = luminanza(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor TestoLeggibileSu(const QColor& sfondo)
{
    return Contrasto(Qt::white, sfondo) >= Contrasto(Qt::black, sfondo) ? QColor(Qt::white) : QColor(Qt::black);
}

QRect PostoLibero(QWidget* finestra, const QSize& dimensione, const QRect& vicino,
                  const std::vector<const QWidget*>& esclusi)
{
    const TIngombri ingombri = Ingombri(finestra, esclusi);
    // The spots tried: a 4-pixel grid, and every spot that keeps the margin
    // from an edge of an obstacle, of the window or of `vicino`.
    const int w = dimensione.width(), h = dimensione.height();
    std::vector<int> xs, ys;
    for (int x = kMargine; x + w + kMargine <= finestra->width(); x += 4)
        xs.push_back(x);
    for (int y = kMargine; y + h + kMargine <= finestra->height(); y += 4)
        ys.push_back(y);
    std::vector<QRect> bordi = ingombri.pieni;
    bordi.insert(bordi.end(), ingombri.pannelli.begin(), ingombri.pannelli.end());
    bordi.push_back(vicino);
    bordi.push_back(finestra->rect().adjusted(-1, -1, 1, 1));
    for (const QRect& b : bordi) {
        for (int x : {b.right() + 1 + kMargine, b.left() - kMargine - w, b.left() + kMargine, b.right() - kMargine - w + 1,
                      b.center().x() - w / 2})
            xs.push_back(x);
        for (int y : {b.bottom() + 1 + kMargine, b.top() - kMargine - h, b.top() + kMargine, b.bottom() - kMargine - h + 1,
                      b.center().y() - h / 2})
            ys.push_back(y);
    }
    const auto ordina = [](std::vector<int>& v, int massimo) {
        std::erase_if(v, [&](int c) { return c < kMargine || c > massimo; });
        std::sort(v.begin(), v.end());
        v.erase(std::unique(v.begin(), v.end()), v.end());
    };
    ordina(xs, finestra->width() - w - kMargine);
    ordina(ys, finestra->height() - h - kMargine);
    QRect migliore;
    std::tuple<long long, int, long long> costoMigliore;
    // The nearest to `vicino`; as near, one below it, then one to its
    // right (where a hand that types expects it); then the one whose centre
    // is nearest to its centre.
    for (int y : ys)
        for (int x : xs) {
            const QRect r(QPoint(x, y), dimensione);
            const QPoint c = r.center() - vicino.center();
            const int lato = r.top() > vicino.bottom() ? 0 : r.left() > vicino.right() ? 1 : 2;
            const std::tuple<long long, int, long long> costo{Distanza(r, vicino), lato,
                                                              1LL * c.x() * c.x() + 1LL * c.y() * c.y()};
            if (migliore.isValid() && costo >= costoMigliore)
                continue;
            if (!Sgombro(ingombri, r))
                continue;
            migliore = r;
            costoMigliore = costo;
        }
    return migliore;
}

bool PostoSgombro(QWidget* finestra, const QRect& r, const std::vector<const QWidget*>& esclusi)
{
    return finestra->rect().adjusted(kMargine, kMargine, -kMargine, -kMargine).contains(r) &&
           Sgombro(Ingombri(finestra, esclusi), r);
}

void DrawFormula(TFormulaBox* box, const std::string& formula)
{
    box->SetFormula(formula);
    box->update();
}

// ---- the common window ---------------------------------------------------------

Tfrmcomune* Tfrmcomune::Istanza() { return gIstanza; }

Tfrmcomune::Tfrmcomune()
{
    gIstanza = this;
    setObjectName(QStringLiteral("frmcomune"));
    CreaTastiera();
    CreaAiuto();
}

Tfrmcomune::~Tfrmcomune()
{
    if (gIstanza == this)
        gIstanza = nullptr;
}

void Tfrmcomune::CreaTastiera()
{
    pnlTastiera = new QFrame(this);
    pnlTastiera->setObjectName(QStringLiteral("pnlTastiera"));
    pnlTastiera->setAccessibleName(QStringLiteral("Tastiera"));
    pnlTastiera->resize(165, 241);
    pnlTastiera->hide();
    static const char* const kTasti[5][4] = {{"*", "/", "^", "+"},
                                             {"7", "8", "9", "-"},
                                             {"4", "5", "6", "x"},
                                             {"1", "2", "3", "y"},
                                             {"0", ".", "<--", "z"}};
    auto stile = [](TDsFancyButton* b) {
        StileCapsula(b, 15, Qt::black, Qt::yellow);
        b->setFocusPolicy(Qt::NoFocus); // the field keeps the focus
    };
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) {
            auto* b = new TDsFancyButton(pnlTastiera);
            // "&" would make an accelerator; none of the captions has one.
            b->setText(QString::fromLatin1(kTasti[r][c]));
            b->setAccessibleName(QString::fromLatin1(kTasti[r][c]) == QLatin1String("<--")
                                     ? QStringLiteral("Cancella")
                                     : QString::fromLatin1(kTasti[r][c]));
            stile(b);
            b->setGeometry(1 + c * 41, 1 + r * 41, 40, 40);
            connect(b, &QAbstractButton::clicked, this, [this, b] { SpeedButton8Click(b); });
            Tasti.push_back(b);
        }
    btnChiudiTastiera = new TDsFancyButton(QStringLiteral("Chiudi"), pnlTastiera);
    stile(btnChiudiTastiera);
    btnChiudiTastiera->setGeometry(26, 207, 113, 32);
    connect(btnChiudiTastiera, &QAbstractButton::clicked, this, [this] { SpeedButton13Click(); });
}

void Tfrmcomune::CreaAiuto()
{
    pnlHelp1 = new QFrame(this);
    pnlHelp1->setObjectName(QStringLiteral("pnlHelp1"));
    pnlHelp1->setAccessibleName(QStringLiteral("Istruzioni"));
    pnlHelp1->setFrameShape(QFrame::Box);
    pnlHelp1->hide();
    SpeedButton1 = new TDsFancyButton(QStringLiteral("X"), pnlHelp1);
    SpeedButton1->setAccessibleName(QStringLiteral("Chiudi istruzioni"));
    StileCapsula(SpeedButton1, 12, Qt::white, Qt::yellow);
    SpeedButton1->SetFrameWidth(2);
    SpeedButton1->resize(22, 22);
    connect(SpeedButton1, &QAbstractButton::clicked, this, [this] { SpeedButton1Click(); });
    FAiuto.paragrafi.clear(); // ImpostaAiuto builds only what differs
    ImpostaAiuto(AiutoMonomi());
}

void Tfrmcomune::ImpostaAiuto(const TAiuto& aiuto) { ImpostaAiuto(aiuto, false); }

void Tfrmcomune::ImpostaAiuto(const TAiuto& aiuto, bool dueColonne)
{
    if (aiuto == FAiuto && dueColonne == FDueColonne && !FContenutoAiuto.empty())
        return;
    if (!(aiuto == FAiuto))
        FDimensioniAiuto[0] = FDimensioniAiuto[1] = QSize();
    FAiuto = aiuto;
    FDueColonne = dueColonne;
    for (QWidget* w : FContenutoAiuto)
        delete w;
    FContenutoAiuto.clear();
    PaintBoxEsempio1 = PaintBoxEsempio2 = nullptr;
    int larghezza = 0;
    auto testo = [&](const QString& t, int x, int y, int px, const QColor& colore) {
        QLabel* l = Etichetta(t, pnlHelp1, Carattere("Tahoma", px, true), colore);
        l->move(x, y);
        FContenutoAiuto.push_back(l);
        larghezza = std::max(larghezza, x + l->width());
        return l;
    };
    // Paragraphs of bold lines, each closed by its typed pattern in maroon.
    int y = 8;
    for (const TParagrafoAiuto& p : aiuto.paragrafi) {
        for (const std::string& r : p.righe) {
            testo(QString::fromStdString(r), 10, y, 13, Qt::black);
            y += 17;
        }
        if (!p.digitato.empty()) {
            testo(QString::fromStdString(p.digitato), 30, y, 13, kMarrone);
            y += 17;
        }
        y += 6;
    }
    // The examples: each formula beside the same thing as the pupil types
    // it; under the text, or in two columns to the text's right.
    const int altezzaTesto = y;
    const int x0 = dueColonne ? larghezza + 24 : 10;
    if (dueColonne)
        y = 8;
    if (!aiuto.esempi.empty()) {
        y += 2;
        testo(QStringLiteral("Esempi"), x0, y, 16, Qt::black);
        y += 24;
    }
    const int ppi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    for (std::size_t i = 0; i < aiuto.esempi.size(); ++i) {
        const std::string& digitato = aiuto.esempi[i];
        const std::string formula = FormaFormula(digitato);
        QSize m(40, 30);
        try {
            m = MisuraFormula(formula, TFormulaVariant::PaintBoxCentered, ppi);
        } catch (const std::exception&) {
        }
        auto* box = new TFormulaBox(pnlHelp1);
        box->setGeometry(x0, y, std::max(180, m.width() + 16), m.height() + 12);
        DrawFormula(box, formula);
        FContenutoAiuto.push_back(box);
        if (i == 0)
            PaintBoxEsempio1 = box;
        if (i == 1)
            PaintBoxEsempio2 = box;
        larghezza = std::max(larghezza, box->geometry().right() + 1);
        if (dueColonne) {
            // Narrow: the typed form under its formula.
            testo(QString::fromStdString(digitato), x0 + 10, box->geometry().bottom() + 2, 19, kMarrone);
            y += box->height() + 6 + 23;
        } else {
            // What is typed, at the size of the answer field's text, beside what it gives.
            QLabel* l = testo(QString::fromStdString(digitato), box->geometry().right() + 20, y, 19, kMarrone);
            l->move(l->x(), y + (box->height() - l->height()) / 2);
            y += box->height() + 6;
        }
    }
    // Room for the "X" at the top right, beside the first line.
    larghezza += 10 + 30;
    pnlHelp1->resize(larghezza, std::max(y, altezzaTesto) + 2);
    FDimensioniAiuto[dueColonne ? 1 : 0] = pnlHelp1->size();
    SpeedButton1->move(larghezza - 26, 4);
    SpeedButton1->raise();
    for (QWidget* w : FContenutoAiuto)
        w->show();
}

void Tfrmcomune::Presta(QWidget* finestra, TEditRisp* campo)
{
    EditTastieraExit();
    if (QWidget* prima = pnlTastiera->parentWidget(); prima && prima != this)
        prima->removeEventFilter(this);
    pnlTastiera->setParent(finestra);
    // No background of its own: it stands only where nothing is, so what
    // shows between the keys is the window or the panel under it.
    pnlTastiera->setAutoFillBackground(false);
    // A window opened again starts without the help of the last visit.
    pnlHelp1->hide();
    pnlHelp1->setParent(finestra);
    pnlHelp1->raise();
    pnlTastiera->raise();
    finestra->installEventFilter(this);
    if (campo) {
        disconnect(campo, nullptr, this, nullptr);
        connect(campo, &TEditRisp::Cliccato, this, [this, campo] { EditTastieraEnter(campo); });
        connect(campo, &TEditRisp::FocusPerso, this, [this] { EditTastieraExit(); });
    }
}

void Tfrmcomune::Restituisci(QWidget* finestra)
{
    if (pnlTastiera->parentWidget() == finestra)
        EditTastieraExit();
    finestra->removeEventFilter(this);
    for (QFrame* p : {pnlTastiera, pnlHelp1})
        if (p->parentWidget() == finestra) {
            p->hide();
            p->setParent(this);
        }
}

bool Tfrmcomune::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && o == pnlHelp1->parentWidget() &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape && pnlHelp1->isVisible()) {
        SpeedButton1Click();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

void Tfrmcomune::EditTastieraEnter(QLineEdit* campo)
{
    FBersaglio = campo;
    if (!campo || campo->isReadOnly())
        return;
    QWidget* parent = pnlTastiera->parentWidget();
    // The keypad is lent to the window of the field only when it is shown.
    if (!parent || !parent->isAncestorOf(campo))
        return;
    MostraTastieraIn(parent, InFinestra(campo, parent));
}

void Tfrmcomune::MostraTastieraIn(QWidget* parent, const QRect& vicino)
{
    const std::vector<const QWidget*> esclusi{pnlTastiera};
    // Where it is, it stays while nothing stands there.
    if (pnlTastiera->isVisible() && PostoSgombro(parent, pnlTastiera->geometry(), esclusi)) {
        pnlTastiera->raise();
        return;
    }
    Rimpicciolisci();
    QRect posto = PostoLibero(parent, pnlTastiera->size(), vicino, esclusi);
    if (!posto.isValid()) {
        // No room: the window grows to the right while the keypad is open.
        FCresciuta = parent;
        FDimensioneOriginale = parent->size();
        const QSize grande(parent->width() + pnlTastiera->width() + 2 * kMargine, parent->height());
        if (parent->minimumSize() == parent->maximumSize())
            parent->setFixedSize(grande);
        else
            parent->resize(grande);
        const int y = std::clamp(vicino.center().y() - pnlTastiera->height() / 2, kMargine,
                                 std::max(kMargine, parent->height() - pnlTastiera->height() - kMargine));
        posto = QRect(QPoint(FDimensioneOriginale.width() + kMargine, y), pnlTastiera->size());
    }
    pnlTastiera->move(posto.topLeft());
    pnlTastiera->raise();
    pnlTastiera->show();
}

void Tfrmcomune::Rimpicciolisci()
{
    if (!FCresciuta)
        return;
    QWidget* w = FCresciuta;
    FCresciuta = nullptr;
    if (w->minimumSize() == w->maximumSize())
        w->setFixedSize(FDimensioneOriginale);
    else
        w->resize(FDimensioneOriginale);
}

void Tfrmcomune::RiponiTastiera()
{
    QWidget* parent = pnlTastiera->parentWidget();
    if (!pnlTastiera->isVisible() || !parent || parent == this)
        return;
    const QRect vicino = FBersaglio && parent->isAncestorOf(FBersaglio) ? InFinestra(FBersaglio, parent)
                                                                        : pnlTastiera->geometry();
    MostraTastieraIn(parent, vicino);
}

void Tfrmcomune::EditTastieraExit()
{
    pnlTastiera->hide();
    Rimpicciolisci();
}

void Tfrmcomune::SpeedButton8Click(TDsFancyButton* tasto)
{
    QLineEdit* campo = FBersaglio;
    if (!campo || !tasto)
        return;
    const QString c = tasto->text();
    if (c == QLatin1String("<--"))
        campo->backspace(); // removes the character before the caret (or the selection)
    else if (!c.isEmpty())
        campo->insert(c.left(1)); // at the caret, replacing a selection
    // The window's key-release handling redraws the typed answer.
    QKeyEvent rilascio(QEvent::KeyRelease, c == QLatin1String("<--") ? Qt::Key_Backspace : Qt::Key_unknown,
                       Qt::NoModifier, c == QLatin1String("<--") ? QString() : c.left(1));
    QCoreApplication::sendEvent(campo, &rilascio);
    campo->setFocus();
}

void Tfrmcomune::SpeedButton13Click() { EditTastieraExit(); }

void Tfrmcomune::ShowHelp1(const QPoint& p)
{
    QPoint q = p;
    if (QWidget* parent = pnlHelp1->parentWidget(); parent && parent != this) {
        // Inside the window, the "X" with it.
        q.setX(std::clamp(q.x(), kMargine, std::max(kMargine, parent->width() - pnlHelp1->width() - kMargine)));
        q.setY(std::clamp(q.y(), kMargine, std::max(kMargine, parent->height() - pnlHelp1->height() - kMargine)));
    }
    pnlHelp1->move(q);
    pnlHelp1->raise();
    pnlHelp1->show();
}

void Tfrmcomune::MostraAiuto(QWidget* campo, const std::vector<const QWidget*>& daLasciare,
                             const std::vector<const QWidget*>& maiCoprire)
{
    QWidget* parent = pnlHelp1->parentWidget();
    if (!parent || parent == this || !campo)
        return;
    const QRect f = InFinestra(campo, parent);
    const QRect finestra = parent->rect().adjusted(kMargine, kMargine, -kMargine, -kMargine);
    const bool tastiera = pnlTastiera->isVisible() && pnlTastiera->parentWidget() == parent;
    const QRect t = tastiera ? pnlTastiera->geometry().adjusted(-kMargine, -kMargine, kMargine, kMargine) : QRect();
    std::vector<QRect> lasciare, mai{t};
    for (const auto& [lista, dove] : {std::pair{&daLasciare, &lasciare}, std::pair{&maiCoprire, &mai}})
        for (const QWidget* w : *lista)
            if (w && w->isVisibleTo(parent))
                dove->push_back(InFinestra(w, parent));
    // Both shapes of the panel (text over examples, or side by side), each
    // beside the field, under it, above it, to its left, and each of those
    // moved to the keypad's left: never over the keypad or `maiCoprire`, over
    // the field if nothing else will do, over the rest as little as can be.
    struct TScelta { bool dueColonne; QRect r; int costo; };
    std::optional<TScelta> migliore;
    const TAiuto aiuto = FAiuto;
    for (bool dueColonne : {false, true}) {
        // Each shape is built once for its content: its size is kept.
        QSize h = FDimensioniAiuto[dueColonne ? 1 : 0];
        if (h.isEmpty()) {
            ImpostaAiuto(aiuto, dueColonne);
            h = pnlHelp1->size();
        }
        const auto dentro = [&](QPoint p) {
            p.setX(std::clamp(p.x(), finestra.left(), std::max(finestra.left(), finestra.right() + 1 - h.width())));
            p.setY(std::clamp(p.y(), finestra.top(), std::max(finestra.top(), finestra.bottom() + 1 - h.height())));
            return QRect(p, h);
        };
        std::vector<QRect> candidati;
        for (QPoint p : {QPoint(f.right() + 1, f.top() - 10), QPoint(f.left(), f.bottom() + 7),
                         QPoint(f.left(), f.top() - 6 - h.height()), QPoint(f.left() - 8 - h.width(), f.top() - 10)}) {
            candidati.push_back(dentro(p));
            if (tastiera)
                candidati.push_back(dentro(QPoint(t.left() - h.width(), p.y())));
        }
        for (const QRect& c : candidati) {
            if (!finestra.contains(c) || std::any_of(mai.begin(), mai.end(), [&c](const QRect& m) { return c.intersects(m); }))
                continue;
            int costo = c.intersects(f) ? 100 : 0;
            for (const QRect& l : lasciare)
                costo += c.intersects(l) ? 10 : 0;
            if (!migliore || costo < migliore->costo)
                migliore = TScelta{dueColonne, c, costo};
        }
    }
    if (!migliore) {
        // Nowhere beside the keypad: it closes, and the help is placed again.
        EditTastieraExit();
        if (tastiera)
            return MostraAiuto(campo, daLasciare, maiCoprire);
        ImpostaAiuto(aiuto, false);
        ShowHelp1(QPoint(f.right() + 1, f.top() - 10));
        return;
    }
    ImpostaAiuto(aiuto, migliore->dueColonne);
    ShowHelp1(migliore->r.topLeft());
}

void Tfrmcomune::SpeedButton1Click() { pnlHelp1->hide(); }

} // namespace mevario
