#include "lavagna.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <QWindow>

#include <cmath>

#include "Colori.h"
#include "Finestra.h"
#include "ucomune.h"

namespace mevario {

namespace {

const QColor kColori[15] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},   {128, 128, 0}, {0, 0, 128},
                            {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0},
                            {0, 255, 0},     {255, 255, 0},   {0, 0, 255},   {255, 0, 255}, {0, 255, 255}};
const char* const kNomiColori[15] = {"nero",  "marrone", "verde",  "oliva", "blu scuro", "viola", "verde acqua", "argento",
                                     "grigio", "rosso",   "verde chiaro", "giallo", "blu", "fucsia", "azzurro"};

int Arrotonda(double v) { return static_cast<int>(std::nearbyint(v)); } // halves to even

bool NelRiquadro(QPoint p, QPoint q, QPoint m)
{
    return m.x() >= std::min(p.x(), q.x()) && m.x() <= std::max(p.x(), q.x()) && m.y() >= std::min(p.y(), q.y()) &&
           m.y() <= std::max(p.y(), q.y());
}

// The two cursors, pictures of our own: a pen and an eraser.
QCursor Cursore(bool gomma)
{
    QPixmap px(32, 32);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1));
    if (!gomma) {
        // A pencil from the bottom-left (the tip, the hot spot) upwards.
        const QPolygonF corpo({{4, 22}, {22, 4}, {28, 10}, {10, 28}});
        p.setBrush(QColor(255, 200, 40));
        p.drawPolygon(corpo);
        p.setBrush(QColor(240, 210, 170));
        p.drawPolygon(QPolygonF({{0, 31}, {4, 22}, {10, 28}}));
        p.setBrush(Qt::black);
        p.drawPolygon(QPolygonF({{0, 31}, {2, 27}, {4, 29}}));
        p.setBrush(QColor(230, 120, 140));
        p.drawPolygon(QPolygonF({{22, 4}, {25, 1}, {31, 7}, {28, 10}}));
        return QCursor(px, 0, 31);
    }
    // An eraser block, tilted, with its working edge at the bottom-left.
    p.translate(16, 16);
    p.rotate(-35);
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(-13, -7, 12, 14), 2, 2);
    p.setBrush(QColor(70, 110, 220));
    p.drawRoundedRect(QRectF(-1, -7, 14, 14), 2, 2);
    return QCursor(px, 5, 26);
}

class TDelegato : public QStyledItemDelegate {
public:
    explicit TDelegato(TListaDisegnata* lista) : QStyledItemDelegate(lista), FLista(lista) {}
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override
    {
        FLista->DisegnaVoce(*p, o.rect, i.row(), o.state & QStyle::State_Selected);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {60, 16}; }

private:
    TListaDisegnata* FLista;
};

} // namespace

QColor ColoreLavagna(int voce) { return kColori[(15 - voce) % 15]; }

bool SegmentoToccato(QPoint p, QPoint q, QPoint m)
{
    const double k = q.x() == p.x() ? 0.0 : static_cast<double>(q.y() - p.y()) / (q.x() - p.x());
    bool toccato = false;
    const int y0 = Arrotonda(p.y() + k * (m.x() - p.x()));
    if (std::abs(m.y() - y0) <= 3) {
        toccato = NelRiquadro(p, q, m);
    } else {
        const int x0 = k != 0.0 ? Arrotonda(p.x() + (m.y() - p.y()) / k) : p.x();
        if (std::abs(m.x() - x0) <= 3)
            toccato = NelRiquadro(p, q, m);
    }
    if (q.x() == p.x() && std::abs(m.x() - p.x()) <= 3 && m.y() >= std::min(p.y(), q.y()) && m.y() <= std::max(p.y(), q.y()))
        toccato = true;
    if (q.y() == p.y() && std::abs(m.y() - p.y()) <= 3 && m.x() >= std::min(p.x(), q.x()) && m.x() <= std::max(p.x(), q.x()))
        toccato = true;
    return toccato;
}

bool TrattoToccato(const std::vector<QPoint>& punti, QPoint m)
{
    for (std::size_t i = 1; i < punti.size(); ++i)
        if (SegmentoToccato(punti[i - 1], punti[i], m))
            return true;
    return false;
}

// ---- the lists ------------------------------------------------------------------

TListaDisegnata::TListaDisegnata(TTipo tipo, QWidget* parent) : QComboBox(parent), FTipo(tipo)
{
    if (tipo == Colori) {
        for (int i = 0; i < 16; ++i)
            addItem(i == 15 ? QStringLiteral("Altri colori.....") : QString::fromLatin1(kNomiColori[(15 - i) % 15]));
        setAccessibleName(QStringLiteral("Colore"));
    } else {
        for (int i = 0; i < 6; ++i)
            addItem(QStringLiteral("%1 pixel").arg(i + 1));
        setAccessibleName(QStringLiteral("Spessore"));
    }
    setItemDelegate(new TDelegato(this));
}

void TListaDisegnata::DisegnaVoce(QPainter& p, const QRect& r, int voce, bool scelta) const
{
    p.fillRect(r, scelta ? palette().color(QPalette::Highlight) : palette().color(QPalette::Base));
    if (FTipo == Colori) {
        p.setPen(Qt::black);
        p.setBrush(ColoreLavagna(voce));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    } else {
        p.setPen(QPen(Qt::black, voce + 1, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(r.left() + 1, r.top() + 10, r.right() - 1, r.top() + 10);
    }
}

void TListaDisegnata::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionComboBox o;
    initStyleOption(&o);
    o.currentText.clear();
    p.drawComplexControl(QStyle::CC_ComboBox, o);
    const QRect campo = style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, this);
    DisegnaVoce(p, campo.adjusted(1, (campo.height() - 16) / 2, -1, -(campo.height() - 16) / 2), currentIndex(), false);
}

// ---- the window -------------------------------------------------------------------

TfrmLavagna::TfrmLavagna(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("frmLavagna"));
    setWindowTitle(QStringLiteral("Lavagna"));
    setAccessibleName(QStringLiteral("Lavagna"));
    resize(577, 483);
    ImpostaColore(this, Qt::white);
    setAutoFillBackground(true);

    pnlStrumenti = new QFrame(this);
    pnlStrumenti->setGeometry(0, 0, 577, 41);
    ImpostaColore(pnlStrumenti, kSfondo);
    pnlStrumenti->setAutoFillBackground(true);
    const QFont f = Carattere("Tahoma", 13);
    auto* lColore = Etichetta(QStringLiteral("Colore"), pnlStrumenti, f, Qt::black);
    // Labels, lists and the check box share one middle row.
    lColore->setGeometry(8, 8, 46, 24);
    cmbPennaColore = new TListaDisegnata(TListaDisegnata::Colori, pnlStrumenti);
    cmbPennaColore->setGeometry(56, 8, 80, 24);
    cmbPennaColore->setCurrentIndex(3); // blue
    auto* lSpessore = Etichetta(QStringLiteral("Spessore"), pnlStrumenti, f, Qt::black);
    lSpessore->setGeometry(150, 8, 60, 24);
    cmbPennaSpessore = new TListaDisegnata(TListaDisegnata::Spessori, pnlStrumenti);
    cmbPennaSpessore->setGeometry(212, 8, 80, 24);
    cmbPennaSpessore->setCurrentIndex(2); // 3 pixels
    cbGomma = new QCheckBox(QStringLiteral("Cancella"), pnlStrumenti);
    cbGomma->setFont(f);
    ColoraTesto(cbGomma, Qt::black);
    cbGomma->setGeometry(310, 9, 100, 22);
    btnLavagna = new TDsFancyButton(QStringLiteral("Pulisci"), pnlStrumenti);
    StileCapsula(btnLavagna, 13, Qt::black, QColor(255, 255, 0));
    btnLavagna->SetShape(TDsFancyButton::btnRectangle);
    btnLavagna->setGeometry(440, 5, 110, 31);

    Foglio = new TLavagnaFoglio(this);
    Foglio->setGeometry(0, 41, 577, 483 - 41);
    Foglio->setCursor(Cursore(false));
    connect(cbGomma, &QCheckBox::toggled, this, [this](bool g) {
        Foglio->setCursor(Cursore(g));
        if (!g && Foglio->SottoGomma >= 0) {
            Foglio->SottoGomma = -1;
            Foglio->Ridisegna(); // the tracing goes with the eraser
        }
    });
    connect(btnLavagna, &QAbstractButton::clicked, this, [this] { Pulisci(); });
}

void TfrmLavagna::Apri(QWidget* da)
{
    QWidget* finestra = da ? da->window() : nullptr;
    winId(); // the native window exists from here: its transient parent can be set
    QWindow* sopra = finestra && finestra->windowHandle() ? finestra->windowHandle()
                     : parentWidget()                     ? parentWidget()->window()->windowHandle()
                                                          : nullptr;
    if (isVisible() && windowHandle()->transientParent() == sopra) {
        raise();
        activateWindow();
        return;
    }
    // Shown for another window: it leaves the first one.
    hide();
    windowHandle()->setTransientParent(sopra);
    if (FApertaDa != finestra) {
        if (FApertaDa)
            FApertaDa->removeEventFilter(this);
        FApertaDa = finestra;
        if (finestra)
            finestra->installEventFilter(this);
    }
    // Beside the exercise it is opened from, never over it: where the
    // screen has room only with the exercise window moved, that moves too.
    // Where the platform places windows itself (Wayland) both moves are
    // wishes, and the board stays a window of the exercise's.
    QWidget* principale = parentWidget() ? parentWidget()->window() : nullptr;
    if (finestra && finestra != principale && finestra->isVisible() && finestra->screen()) {
        const QRect cornice = finestra->frameGeometry();
        const auto [f, l] = PosizioniAccanto(cornice, size() + (cornice.size() - finestra->size()),
                                             finestra->screen()->availableGeometry());
        if (f.topLeft() != cornice.topLeft())
            finestra->move(f.topLeft());
        move(l.topLeft());
        show();
        // Its own frame is known once shown: the board is kept inside the area.
        const QRect dentro = PosizioneCentrata(frameGeometry().size(), frameGeometry(), finestra->screen()->availableGeometry());
        if (dentro.topLeft() != frameGeometry().topLeft())
            move(dentro.topLeft());
    } else {
        CentraSopra(this, principale ? principale : finestra);
    }
    show();
    raise();
    activateWindow();
}

bool TfrmLavagna::eventFilter(QObject* o, QEvent* e)
{
    // The board goes away with the window it was opened from; its strokes stay.
    if (o == FApertaDa && e->type() == QEvent::Hide && !e->spontaneous() && FApertaDa->isHidden())
        hide();
    return QWidget::eventFilter(o, e);
}

const std::vector<TTrattoLavagna>& TfrmLavagna::Tratti() const { return Foglio->Tratti; }
QColor TfrmLavagna::ColorePenna() const { return ColoreLavagna(cmbPennaColore->currentIndex()); }
int TfrmLavagna::SpessorePenna() const { return cmbPennaSpessore->currentIndex() + 1; }

void TfrmLavagna::Pulisci()
{
    Foglio->Tratti.clear();
    Foglio->SottoGomma = -1;
    Foglio->Ridisegna();
}

TLavagnaFoglio::TLavagnaFoglio(TfrmLavagna* lavagna) : QWidget(lavagna), FLavagna(lavagna)
{
    setMouseTracking(true); // the eraser looks for a stroke at every move
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Foglio della lavagna"));
}

void TLavagnaFoglio::resizeEvent(QResizeEvent*) { Ridisegna(); }

void TLavagnaFoglio::Ridisegna()
{
    FImmagine = QPixmap(size());
    FImmagine.fill(Qt::white);
    QPainter p(&FImmagine);
    p.setRenderHint(QPainter::Antialiasing, true);
    // In the order they were drawn: what was drawn on top stays on top.
    for (const TTrattoLavagna& t : Tratti) {
        p.setPen(QPen(t.colore, t.spessore, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (std::size_t i = 1; i < t.punti.size(); ++i)
            p.drawLine(t.punti[i - 1], t.punti[i]);
    }
    update();
}

void TLavagnaFoglio::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, FImmagine);
    if (SottoGomma >= 0 && SottoGomma < static_cast<int>(Tratti.size())) {
        // The stroke the eraser would take, outlined with pens of its own:
        // a dashed black border around a white band, wider than the stroke
        // whatever its width and colour, and the stroke again inside.
        const TTrattoLavagna& t = Tratti[static_cast<std::size_t>(SottoGomma)];
        p.setRenderHint(QPainter::Antialiasing, true);
        const auto traccia = [&](const QPen& penna) {
            p.setPen(penna);
            for (std::size_t i = 1; i < t.punti.size(); ++i)
                p.drawLine(t.punti[i - 1], t.punti[i]);
        };
        const double largo = t.spessore + 8;
        QPen bordo(Qt::black, largo, Qt::CustomDashLine, Qt::FlatCap, Qt::RoundJoin);
        bordo.setDashPattern({6.0 / largo, 4.0 / largo}); // 6 pixels on, 4 off
        traccia(bordo);
        traccia(QPen(Qt::white, t.spessore + 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        traccia(QPen(t.colore, t.spessore, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
}

void TLavagnaFoglio::mousePressEvent(QMouseEvent* e)
{
    const QPoint m = e->position().toPoint();
    if (FLavagna->cbGomma->isChecked()) {
        if (SottoGomma >= 0 && SottoGomma < static_cast<int>(Tratti.size())) {
            Tratti.erase(Tratti.begin() + SottoGomma);
            SottoGomma = -1;
            Ridisegna();
        }
        return;
    }
    FDisegna = true;
    FCorrente = TTrattoLavagna{{m}, FLavagna->ColorePenna(), FLavagna->SpessorePenna()};
}

void TLavagnaFoglio::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint m = e->position().toPoint();
    if (FLavagna->cbGomma->isChecked()) {
        int trovato = -1;
        for (int i = static_cast<int>(Tratti.size()) - 1; i >= 0 && trovato < 0; --i)
            if (TrattoToccato(Tratti[static_cast<std::size_t>(i)].punti, m))
                trovato = i;
        if (trovato != SottoGomma) {
            SottoGomma = trovato;
            update();
        }
        return;
    }
    if (!FDisegna || !(e->buttons() & Qt::LeftButton))
        return;
    // Drawn at once, with the stroke's own pen.
    QPainter p(&FImmagine);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(FCorrente.colore, FCorrente.spessore, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(FCorrente.punti.back(), m);
    FCorrente.punti.push_back(m);
    update();
}

void TLavagnaFoglio::mouseReleaseEvent(QMouseEvent*)
{
    if (!FDisegna)
        return;
    FDisegna = false;
    Tratti.push_back(std::move(FCorrente));
    FCorrente = {};
}

} // namespace mevario
