// A box showing one formula of the formula language, drawn through
// DrawFormula at every paint. Screen readers get the formula as an Italian
// teacher says it (accessible name) and as a readable linear form
// (description), both made only when a reader asks for them.
#pragma once

#include <QAccessibleWidget>
#include <QColor>
#include <QStringList>
#include <QWidget>

#include <string>
#include <vector>

#include "ExprTree.h"
#include "ExprProsa.h"
#include "QtCanvas.h"

namespace mevario {

// The boxes of the terms of a formula that is a row of terms joined by "+"
// and "-" signs (a polynomial), as laid out in a box of the given size: a
// term's box takes its minus sign but not its plus sign; a trailing plain
// text ("&string(  =)") is no term. Raises EIncorrectExpr.
std::vector<QRect> RiquadriTermini(const std::string& formula, const QSize& box, TFormulaVariant variant, int ppi,
                                   int punti = 0);

// The text pieces of a formula (numbers, letters, signs, plain text) in the
// order they are drawn, each with its cell in a box of the given size.
struct TPezzoTesto {
    std::u16string testo;
    QRect cella;
};
std::vector<TPezzoTesto> PezziDiTesto(const std::string& formula, const QSize& box, TFormulaVariant variant, int ppi,
                                      int punti = 0);
// Width and height of a formula as drawn in a variant (at `punti` points
// instead of the variant's size when given).
QSize MisuraFormula(const std::string& formula, TFormulaVariant variant, int ppi, int punti = 0);

// Plain text of a formula (code page of formulas) as an Italian reads it
// (ProsaItaliana16: "e'" is "è", the answer "Si" alone is "Sì").
QString ProsaItaliana(const std::string& testo);

class TFormulaBox : public QWidget {
    Q_OBJECT
public:
    explicit TFormulaBox(QWidget* parent = nullptr, TFormulaVariant variant = TFormulaVariant::PaintBoxCentered);

    const std::string& Formula() const { return FFormula; }
    // Sets the formula text (program code page) and repaints.
    void SetFormula(const std::string& formula);
    TFormulaVariant Variant() const { return FVariant; }
    void SetVariant(TFormulaVariant v);
    QColor Color() const { return FColor; }
    void SetColor(const QColor& c);
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& c);
    // The live preview of a typed answer ignores texts that do not parse
    // (the box stays clear); other boxes report them in the error box.
    bool IgnoraErrori() const { return FIgnoraErrori; }
    void SetIgnoraErrori(bool i) { FIgnoraErrori = i; }
    // The smallest size a formula too wide for the box is drawn at before
    // it is cut (12 points unless set).
    void SetPuntiMinimi(int punti) { FPuntiMinimi = punti; }
    // The size a paint uses: the variant's, or smaller (down to 12 points)
    // when the formula would not fit the box.
    int PuntiUsati() const;
    // The formula's width and height at the variant's full size (empty when
    // there is no formula or it does not parse); measured once per text,
    // variant and resolution, so that a grid of boxes laid out again after
    // one box changed measures that box only.
    QSize MisuraNaturale() const;

    // The row of the baseline of the formula's main line (where its letters
    // and digits stand), in the box: a label that introduces the formula
    // stands on it.
    int LineaDiBase() const;

    // Whether the current text parsed the last time it was drawn.
    bool Valida() const { return FValida; }

    // Unfilled rings (rounded rectangles, pen 2 pixels) around terms of the formula, to show
    // which terms belong together; placed from the laid-out formula at
    // every paint, so they enclose their terms at any size.
    struct TAnello {
        int termine; // 0 is the first term
        QColor colore;
    };
    void SetAnelli(std::vector<TAnello> anelli);
    // A fixed accessible name (a grid cell named by its place, a line of a
    // solution): the name is then that place, a colon and the spoken
    // formula. Empty: the name is the spoken formula alone.
    void SetNomeAccessibile(const QString& nome);
    // A line said with the formula (why a typed answer does not read), after
    // the linear form in the description; empty for none.
    void SetNotaAccessibile(const QString& nota);
    // What a screen reader hears: the name (the spoken formula) and the
    // description (its linear form). Made at the first request after the
    // formula changed.
    QString NomeAccessibile() const;
    QString DescrizioneAccessibile() const;

    // Where the rings are drawn (after a paint).
    const std::vector<QRect>& Anelli() const { return FRettangoliAnelli; }
    // The corner radius of each of them.
    const std::vector<double>& RaggiAnelli() const { return FRaggiAnelli; }

    // Plain text in the program's own font (Comic) on the formula's
    // baseline, not in the formula's serif: for sentences that explain.
    void SetProsa(bool prosa);
    bool Prosa() const { return FProsa; }
    // The plain text as drawn in prose (after a paint).
    const QStringList& TestiProsa() const { return FTestiProsa; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void Accessibile();
    // False (nothing drawn) when a piece does not read on its own.
    bool DipingiProsa(QPainter& p);

    std::string FFormula;
    TFormulaVariant FVariant;
    QColor FColor{255, 255, 255};
    QColor FFontColor{0, 0, 0};
    bool FIgnoraErrori = false;
    int FPuntiMinimi = 12;
    bool FValida = true;
    // The formula read once when it is set, drawn at every paint; null when
    // it does not parse (FErrore says why).
    PExpr FRadice;
    std::string FErrore;
    std::string FSegnalato; // the text whose error was last reported
    std::vector<TAnello> FAnelli;
    QString FNomeFisso;
    QString FNota;
    mutable QString FParlata;   // the spoken formula, once asked for
    mutable QString FLineare;   // the linear form, once asked for
    mutable bool FParlataPronta = false;
    mutable bool FLinearePronta = false;
    mutable QSize FMisura;      // MisuraNaturale, once measured
    mutable int FMisuraPpi = 0; // at this resolution (0: not measured)
    std::vector<QRect> FRettangoliAnelli;
    bool FProsa = false;
    QStringList FTestiProsa;
    // The pieces of a prose formula, read once per text at its first paint
    // in prose; FPezziValidi false when a piece does not read on its own.
    struct TPezzoProsa {
        QString testo; // prose
        PExpr radice;  // formula
        int larghezza = 0;
    };
    std::vector<TPezzoProsa> FPezzi;
    bool FPezziLetti = false;
    bool FPezziValidi = false;
    std::vector<double> FRaggiAnelli;
};

// How screen readers meet a formula box: a picture (or the given role)
// whose name and description are the box's, made when they are read.
class TAccessibileFormula : public QAccessibleWidget {
public:
    explicit TAccessibileFormula(TFormulaBox* box, QAccessible::Role ruolo = QAccessible::Graphic);
    QString text(QAccessible::Text t) const override;
    // Makes screen readers meet every formula box through this class (once a run).
    static void Installa();
};

// Moves a label (its text at its top) up or down so that its text stands on
// the baseline of the formula it introduces, a box of the same parent.
void PosaSullaBase(QWidget* etichetta, const TFormulaBox* formula);

} // namespace mevario
