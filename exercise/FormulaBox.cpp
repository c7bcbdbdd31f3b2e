#include "FormulaBox.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <typeinfo>

#include "Errori.h"
#include "ExprAtoms.h"
#include "ExprDump.h"
#include "ExprMake.h"
#include "ucomune.h" // Contrasto

namespace mevario {

namespace {

// A canvas that paints and notes where the signs "+" and "-" are written:
// a ring stops short of its neighbours' signs.
class TCanvasSegni : public TQtCanvas {
public:
    TCanvasSegni(QPainter* p, int ppi) : TQtCanvas(p, ppi, ppi) {}
    void TextOut(int x, int y, const std::string& text) override
    {
        if (text == "+" || text == "-")
            Segni.emplace_back(x, y, TextExtent(text).cx, TextExtent(text).cy);
        TQtCanvas::TextOut(x, y, text);
    }
    void TextOutW(int x, int y, char16_t code) override
    {
        if (code == u'+' || code == u'-' || code == 8722)
            Segni.emplace_back(x, y, TextExtentW(code).cx, TextExtentW(code).cy);
        TQtCanvas::TextOutW(x, y, code);
    }
    std::vector<QRect> Segni;
};

// The ring around a term's box: 5 pixels wider on each side and 3 taller,
// but stopping short of every sign, its own minus included (a sign stands
// between two rings, never under one's stroke). The corner radius is the
// largest (up to 8) whose rounded corners pass outside the term's corners,
// so no corner of the term is cut.
std::pair<QRect, double> Anello(const QRect& termine, const std::vector<QRect>& segni)
{
    // Where the term's own characters start: after its minus.
    int corpo = termine.left();
    for (const QRect& s : segni)
        if (s.bottom() >= termine.top() && s.top() <= termine.bottom() && s.right() >= termine.left() &&
            s.left() <= termine.right())
            corpo = std::max(corpo, s.right() + 3);
    int sinistra = corpo - 5, destra = termine.right() + 5;
    for (const QRect& s : segni) {
        if (s.bottom() < termine.top() || s.top() > termine.bottom())
            continue;
        if (s.left() < corpo)
            sinistra = std::max(sinistra, std::min(corpo - 1, s.right() + 2));
        else if (s.left() > termine.right())
            destra = std::min(destra, std::max(termine.right() + 1, s.left() - 3));
    }
    const QRect g(QPoint(sinistra, termine.top() - 3), QPoint(destra, termine.bottom() + 3));
    const int mx = std::min(corpo - g.left(), g.right() - termine.right());
    const int my = 3;
    double r = 8;
    while (r > 1 && std::hypot(r - mx, r - my) > r - 1)
        r -= 1;
    return {g, r};
}

// A canvas that draws nothing and notes where each text is written.
class TCanvasPezzi : public TQtCanvas {
public:
    explicit TCanvasPezzi(int ppi) : TQtCanvas(nullptr, ppi, ppi) {}
    void TextOut(int x, int y, const std::string& text) override
    {
        const TExprSize e = TextExtent(text);
        Pezzi.push_back({NarrowToUnicode(text), QRect(x, y, e.cx, e.cy)});
    }
    void TextOutW(int x, int y, char16_t code) override
    {
        const TExprSize e = TextExtentW(code);
        Pezzi.push_back({std::u16string(1, code), QRect(x, y, e.cx, e.cy)});
    }
    std::vector<TPezzoTesto> Pezzi;
};

// The largest size, from `punti` down to `minimi` points (12 unless a box
// allows less), at which a laid-out formula fits a box; the tree is left at
// that size.
int PuntiCheEntrano(TExprClass& root, const QSize& box, int punti, int minimi = 12)
{
    const auto entra = [&] { return root.Width() <= box.width() && root.Height() <= box.height(); };
    if (entra())
        return punti;
    const int minimo = std::min(minimi, punti);
    // A first guess from the proportions (sizes do not scale exactly, so it
    // may be a point or two off either way), then one point at a time: up
    // while the next size still fits, else down until one fits.
    const double scala = std::min(static_cast<double>(box.width()) / std::max(1, root.Width()),
                                  static_cast<double>(box.height()) / std::max(1, root.Height()));
    int prova = std::clamp(static_cast<int>(punti * scala), minimo, punti - 1);
    root.SetFontSize(prova);
    if (entra()) {
        while (prova + 1 < punti) {
            root.SetFontSize(prova + 1);
            if (!entra())
                break;
            ++prova;
        }
    } else {
        while (prova > minimo) {
            root.SetFontSize(--prova);
            if (entra())
                break;
        }
    }
    root.SetFontSize(prova);
    return prova;
}

} // namespace

std::vector<TPezzoTesto> PezziDiTesto(const std::string& formula, const QSize& box, TFormulaVariant variant, int ppi,
                                      int punti)
{
    if (formula.empty())
        return {};
    PExpr root = TExprBuilder().ParseFormula(formula);
    TCanvasPezzi canvas(ppi);
    root->SetCanvas(&canvas);
    root->SetFontSize(punti > 0 ? punti : FormulaPoints(variant));
    if (variant == TFormulaVariant::ControlLeft)
        root->Draw(0, box.height() / 2, THorzAlign::Left, TVertAlign::MidLine);
    else
        root->Draw(box.width() / 2, box.height() / 2, THorzAlign::Center, TVertAlign::MidLine);
    root->SetCanvas(nullptr);
    return std::move(canvas.Pezzi);
}

QSize MisuraFormula(const std::string& formula, TFormulaVariant variant, int ppi, int punti)
{
    if (formula.empty())
        return {};
    PExpr root = TExprBuilder().ParseFormula(formula);
    TQtCanvas canvas(nullptr, ppi, ppi);
    root->SetCanvas(&canvas);
    root->SetFontSize(punti > 0 ? punti : FormulaPoints(variant));
    const QSize r(root->Width(), root->Height());
    root->SetCanvas(nullptr);
    return r;
}

namespace {

// The term boxes of a tree laid out on a canvas, drawn in a box.
std::vector<QRect> RiquadriDelleRadice(TExprClass* root, const QSize& box, TFormulaVariant variant)
{
    std::vector<QRect> r;
    int x = variant == TFormulaVariant::ControlLeft ? 0 : box.width() / 2 - root->Width() / 2;
    const int medio = box.height() / 2;
    auto* catena = dynamic_cast<TExprChain*>(root);
    int inizio = -1, alto = 0, basso = 0, fineTermine = 0;
    const auto chiudi = [&] {
        if (inizio >= 0)
            r.emplace_back(QPoint(inizio, alto), QPoint(fineTermine - 1, basso));
        inizio = -1;
    };
    for (TExprClass* n = catena ? catena->Son() : root; n; n = catena ? n->Next() : nullptr) {
        const auto* segno = dynamic_cast<const TExprSign*>(n);
        const bool piu = segno && segno->Code() == u'+';
        const bool meno = segno && segno->Code() == 8722;
        // A plain text run (not a variable, which is a kind of text run).
        const bool testo = typeid(*n) == typeid(TExprSimple);
        // Room around a sign belongs to no term.
        if (typeid(*n) == typeid(TExprSpace)) {
            x += n->Width();
            continue;
        }
        if (piu || meno || testo)
            chiudi();
        if (!piu && !testo) {
            const int cima = medio - n->MidLineUp();
            const int fondo = cima + n->Height() - 1;
            if (inizio < 0) {
                // A sign's box holds the spaces around it: the term starts
                // nearer its glyph.
                inizio = meno ? x + n->Width() / 4 : x;
                alto = cima;
                basso = fondo;
            }
            alto = std::min(alto, cima);
            basso = std::max(basso, fondo);
            fineTermine = x + n->Width();
        }
        x += n->Width();
    }
    chiudi();
    return r;
}

} // namespace

std::vector<QRect> RiquadriTermini(const std::string& formula, const QSize& box, TFormulaVariant variant, int ppi,
                                   int punti)
{
    if (formula.empty())
        return {};
    PExpr root = TExprBuilder().ParseFormula(formula);
    TQtCanvas canvas(nullptr, ppi, ppi);
    root->SetCanvas(&canvas);
    root->SetFontSize(punti > 0 ? punti : FormulaPoints(variant));
    std::vector<QRect> r = RiquadriDelleRadice(root.get(), box, variant);
    root->SetCanvas(nullptr);
    return r;
}

TFormulaBox::TFormulaBox(QWidget* parent, TFormulaVariant variant) : QWidget(parent), FVariant(variant)
{
    TAccessibileFormula::Installa();
    setAttribute(Qt::WA_OpaquePaintEvent);
    Accessibile();
}

void TFormulaBox::SetFormula(const std::string& formula)
{
    if (formula == FFormula)
        return;
    FFormula = formula;
    FRadice.reset();
    FPezzi.clear();
    FPezziLetti = false;
    FMisuraPpi = 0;
    FErrore.clear();
    try {
        if (!FFormula.empty())
            FRadice = TExprBuilder().ParseFormula(FFormula);
    } catch (const EIncorrectExpr& e) {
        FErrore = e.what();
    }
    FValida = FFormula.empty() || FRadice != nullptr;
    Accessibile();
    update();
}

void TFormulaBox::SetAnelli(std::vector<TAnello> anelli)
{
    FAnelli = std::move(anelli);
    update();
}

void TFormulaBox::SetVariant(TFormulaVariant v)
{
    FVariant = v;
    FMisuraPpi = 0;
    update();
}

void TFormulaBox::SetColor(const QColor& c)
{
    FColor = c;
    update();
}

void TFormulaBox::SetFontColor(const QColor& c)
{
    FFontColor = c;
    update();
}

void TFormulaBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), FColor);
    FRettangoliAnelli.clear();
    FRaggiAnelli.clear();
    if (FFormula.empty())
        return;
    if (!FRadice) {
        // The formula did not parse when it was set; the box stays clear.
        // An error cannot leave a paint handler: a formula of the program's
        // own is reported afterwards.
        FValida = false;
        if (!FIgnoraErrori && FSegnalato != FFormula) {
            FSegnalato = FFormula;
            const QString messaggio = QString::fromUtf8(FErrore.c_str());
            QTimer::singleShot(0, [messaggio] { MostraErrore(messaggio); });
        }
        return;
    }
    if (FProsa && DipingiProsa(p))
        return;
    const int ppi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    const TFormulaVariant variante = FVariant;
    TExprClass* root = FRadice.get();
    // A formula that does not fit its box is drawn at the largest size
    // that fits, down to 12 points, instead of being cut.
    const int punti = FormulaPoints(variante);
    std::vector<QRect> termini; // for the rings, from the tree as drawn
    std::vector<QRect> segni;   // where the signs were written
    {
        // One canvas for measuring and drawing: the layout made to see
        // whether the formula fits is the one that is drawn.
        TCanvasSegni tela(&p, ppi);
        root->SetCanvas(&tela);
        root->SetFontSize(punti);
        PuntiCheEntrano(*root, size(), punti, FPuntiMinimi);
        root->SetColor(DaQColor(FFontColor));
        if (variante == TFormulaVariant::ControlLeft)
            root->Draw(0, height() / 2, THorzAlign::Left, TVertAlign::MidLine);
        else
            root->Draw(width() / 2, height() / 2, THorzAlign::Center, TVertAlign::MidLine);
        if (!FAnelli.empty())
            termini = RiquadriDelleRadice(root, size(), variante);
        root->SetCanvas(nullptr);
        segni = std::move(tela.Segni);
    }
    FValida = true;
    if (!FAnelli.empty()) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setBrush(Qt::NoBrush);
        for (const TAnello& a : FAnelli) {
            if (a.termine < 0 || a.termine >= static_cast<int>(termini.size()))
                continue;
            // A rounded rectangle around the term's box: an ellipse through
            // the same corners would cut the term's corners (a leading
            // digit, an exponent, the bar of a fraction).
            const auto [g, raggio] = Anello(termini[static_cast<std::size_t>(a.termine)], segni);
            if (Contrasto(a.colore, FColor) < 2.0) {
                // A pale ring (yellow on the panels) gets a dark edge.
                p.setPen(QPen(a.colore.darker(250), 4));
                p.drawRoundedRect(QRectF(g), raggio, raggio);
            }
            p.setPen(QPen(a.colore, 2));
            p.drawRoundedRect(QRectF(g), raggio, raggio);
            FRettangoliAnelli.push_back(g);
            FRaggiAnelli.push_back(raggio);
        }
    }
}

QSize TFormulaBox::MisuraNaturale() const
{
    if (!FRadice)
        return {};
    const int ppi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    if (FMisuraPpi == ppi)
        return FMisura;
    TQtCanvas misura(nullptr, ppi, ppi);
    FRadice->SetCanvas(&misura);
    FRadice->SetFontSize(FormulaPoints(FVariant));
    FMisura = QSize(FRadice->Width(), FRadice->Height());
    FRadice->SetCanvas(nullptr);
    FMisuraPpi = ppi;
    return FMisura;
}

int TFormulaBox::PuntiUsati() const
{
    const int punti = FormulaPoints(FVariant);
    if (FFormula.empty())
        return punti;
    if (!FRadice)
        return 0;
    const int ppi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    TQtCanvas misura(nullptr, ppi, ppi);
    FRadice->SetCanvas(&misura);
    FRadice->SetFontSize(punti);
    const int r = PuntiCheEntrano(*FRadice, size(), punti, FPuntiMinimi);
    FRadice->SetCanvas(nullptr);
    return r;
}

QString ProsaItaliana(const std::string& testo) { return QString::fromStdU16String(ProsaItaliana16(testo)); }

namespace {

// How far below the midline a formula's letters stand at a size: the
// baseline of a plain text run, whose midline is the formula's.
int BaseSottoMedia(TExprCanvas& tela, int punti)
{
    PExpr campione = TExprBuilder().ParseFormula("string(x)");
    campione->SetCanvas(&tela);
    campione->SetFontSize(punti);
    campione->AssignCanvasFont();
    const int base = tela.Ascent() - campione->MidLineUp();
    campione->SetCanvas(nullptr);
    return base;
}

} // namespace

int TFormulaBox::LineaDiBase() const
{
    const int ppi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    TQtCanvas tela(nullptr, ppi, ppi);
    const int punti = PuntiUsati();
    return height() / 2 + BaseSottoMedia(tela, punti > 0 ? punti : FormulaPoints(FVariant));
}

void TFormulaBox::SetProsa(bool prosa)
{
    FProsa = prosa;
    update();
}

bool TFormulaBox::DipingiProsa(QPainter& p)
{
    const int ppi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    if (!FPezziLetti) {
        FPezziLetti = true;
        FPezziValidi = true;
        try {
            for (const TPezzoRiga& r : DividiProsa(FFormula)) {
                TPezzoProsa z;
                if (r.prosa)
                    z.testo = ProsaItaliana(r.testo);
                else
                    z.radice = TExprBuilder().ParseFormula(r.testo);
                FPezzi.push_back(std::move(z));
            }
        } catch (const EIncorrectExpr&) {
            FPezzi.clear();
            FPezziValidi = false;
        }
    }
    if (!FPezziValidi)
        return false; // drawn whole, as a formula
    std::vector<TPezzoProsa>& pezzi = FPezzi;
    TQtCanvas tela(&p, ppi, ppi);
    // The largest size, down to 12 points, at which the row fits.
    const int massimo = FormulaPoints(FVariant);
    int punti = massimo, base = 0, larghezza = 0;
    QFont carattere;
    for (; punti >= std::min(12, massimo); --punti) {
        base = BaseSottoMedia(tela, punti);
        // The program's font a little smaller than the formula's, whose
        // letters are narrower.
        const int px = std::max(1, static_cast<int>(std::lround(punti * ppi / 72.0 * 0.9)));
        carattere = QtFont(TExprFont{"Comic Sans MS", 0, -px, false, false, false, false});
        const QFontMetrics m(carattere);
        larghezza = 0;
        for (TPezzoProsa& z : pezzi) {
            if (z.radice) {
                z.radice->SetCanvas(&tela);
                z.radice->SetFontSize(punti);
                z.larghezza = z.radice->Width();
            } else {
                z.larghezza = m.horizontalAdvance(z.testo);
            }
            larghezza += z.larghezza;
        }
        if (larghezza <= width())
            break;
    }
    const int medio = height() / 2;
    int x = FVariant == TFormulaVariant::ControlLeft ? 0 : (width() - larghezza) / 2;
    FTestiProsa.clear();
    for (TPezzoProsa& z : pezzi) {
        if (z.radice) {
            z.radice->SetColor(DaQColor(FFontColor));
            z.radice->Draw(x, medio, THorzAlign::Left, TVertAlign::MidLine);
            z.radice->SetCanvas(nullptr);
        } else {
            p.setFont(carattere);
            p.setPen(FFontColor);
            p.drawText(QPoint(x, medio + base), z.testo);
            FTestiProsa << z.testo;
        }
        x += z.larghezza;
    }
    FValida = true;
    return true;
}

void PosaSullaBase(QWidget* etichetta, const TFormulaBox* formula)
{
    const int base = formula->y() + formula->LineaDiBase();
    etichetta->move(etichetta->x(), base - QFontMetrics(etichetta->font()).ascent() - etichetta->contentsMargins().top());
}

} // namespace mevario
