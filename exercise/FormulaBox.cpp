#include "FormulaBox.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QTimer>

#include <typeinfo>

#include "Errori.h"
#include "ExprAtoms.h"
#include "ExprDump.h"
#include "ExprMake.h"

namespace mevario {

namespace {

// Screen readers meet a formula box as a picture whose name reads the
// formula and whose description is its formula text.
QAccessibleInterface* Fabbrica(const QString& classe, QObject* o)
{
    if (classe == QLatin1String("mevario::TFormulaBox") && o && o->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(o), QAccessible::Graphic);
    return nullptr;
}

} // namespace

std::vector<QRect> RiquadriTermini(const std::string& formula, const QSize& box, TFormulaVariant variant, int ppi)
{
    std::vector<QRect> r;
    if (formula.empty())
        return r;
    PExpr root = TExprBuilder().ParseFormula(formula);
    TQtCanvas canvas(nullptr, ppi, ppi);
    root->SetCanvas(&canvas);
    root->SetFontSize(FormulaPoints(variant));
    int x = variant == TFormulaVariant::ControlLeft ? 0 : box.width() / 2 - root->Width() / 2;
    const int medio = box.height() / 2;
    auto* catena = dynamic_cast<TExprChain*>(root.get());
    int inizio = -1, alto = 0, basso = 0;
    const auto chiudi = [&](int fine) {
        if (inizio >= 0)
            r.emplace_back(QPoint(inizio, alto), QPoint(fine - 1, basso));
        inizio = -1;
    };
    for (TExprClass* n = catena ? catena->Son() : root.get(); n; n = catena ? n->Next() : nullptr) {
        const auto* segno = dynamic_cast<const TExprSign*>(n);
        const bool piu = segno && segno->Code() == u'+';
        const bool meno = segno && segno->Code() == 8722;
        // A plain text run (not a variable, which is a kind of text run).
        const bool testo = typeid(*n) == typeid(TExprSimple);
        if (piu || meno || testo)
            chiudi(x);
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
        }
        x += n->Width();
    }
    chiudi(x);
    root->SetCanvas(nullptr);
    return r;
}

TFormulaBox::TFormulaBox(QWidget* parent, TFormulaVariant variant) : QWidget(parent), FVariant(variant)
{
    static const bool installata = [] {
        QAccessible::installFactory(Fabbrica);
        return true;
    }();
    (void)installata;
    setAttribute(Qt::WA_OpaquePaintEvent);
    Accessibile();
}

void TFormulaBox::SetFormula(const std::string& formula)
{
    if (formula == FFormula)
        return;
    FFormula = formula;
    FValida = true;
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

void TFormulaBox::Accessibile()
{
    setAccessibleDescription(QString::fromStdString(NarrowToUtf8(FFormula)));
    if (FFormula.empty()) {
        setAccessibleName(QStringLiteral("Formula vuota"));
        return;
    }
    try {
        PExpr root = TExprBuilder().ParseFormula(FFormula);
        setAccessibleName(QString::fromStdString(LinearForm(root.get())));
    } catch (const EIncorrectExpr&) {
        setAccessibleName(QString::fromStdString(NarrowToUtf8(FFormula)));
    }
}

void TFormulaBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    try {
        const int ppi = logicalDpiY() > 0 ? logicalDpiY() : 96;
        DrawFormula(p, width(), height(), FFormula, FVariant, DaQColor(FColor), DaQColor(FFontColor), ppi);
        FValida = true;
        FRettangoliAnelli.clear();
        if (!FAnelli.empty()) {
            const std::vector<QRect> termini = RiquadriTermini(FFormula, size(), FVariant, ppi);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setBrush(Qt::NoBrush);
            for (const TAnello& a : FAnelli) {
                if (a.termine < 0 || a.termine >= static_cast<int>(termini.size()))
                    continue;
                const QRect g = termini[static_cast<std::size_t>(a.termine)].adjusted(-4, -3, 4, 3);
                p.setPen(QPen(a.colore, 2));
                p.drawEllipse(g);
                FRettangoliAnelli.push_back(g);
            }
        }
    } catch (const EIncorrectExpr& e) {
        // The box was cleared before parsing. An error cannot leave a paint
        // handler: a formula of the program's own is reported afterwards.
        FValida = false;
        if (!FIgnoraErrori && FSegnalato != FFormula) {
            FSegnalato = FFormula;
            const QString messaggio = QString::fromUtf8(e.what());
            QTimer::singleShot(0, [messaggio] { MostraErrore(messaggio); });
        }
    }
}

} // namespace mevario
