// What screen readers hear of a formula box: its place and the formula
// spoken as a teacher says it (its name), its readable linear form and any
// note beside it (its description), made when a reader asks.
#include <QAccessibleWidget>

#include "ExprCanvas.h"
#include "ExprDump.h"
#include "ExprParla.h"
#include "FormulaBox.h"

namespace mevario {

namespace {

// Screen readers meet a formula box as a picture whose name reads the
// formula and whose description is its formula text.
QAccessibleInterface* Fabbrica(const QString& classe, QObject* o)
{
    if (classe == QLatin1String("mevario::TFormulaBox") && o && o->isWidgetType())
        return new TAccessibileFormula(static_cast<TFormulaBox*>(o));
    return nullptr;
}

} // namespace

void TAccessibileFormula::Installa()
{
    static const bool installata = [] {
        QAccessible::installFactory(Fabbrica);
        return true;
    }();
    (void)installata;
}

void TFormulaBox::SetNomeAccessibile(const QString& nome)
{
    FNomeFisso = nome;
    // The widget keeps the place as its own name too (for the tests and
    // messages that name a box); readers get the place and the formula.
    setAccessibleName(nome);
    Accessibile();
}

void TFormulaBox::SetNotaAccessibile(const QString& nota)
{
    if (nota == FNota)
        return;
    FNota = nota;
    Accessibile();
}

void TFormulaBox::Accessibile()
{
    // Nothing is made here: the sentences are made when a reader asks, and
    // a reader listening is told that they changed.
    FParlataPronta = FLinearePronta = false;
    if (QAccessible::isActive()) {
        QAccessibleEvent nome(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&nome);
        QAccessibleEvent descrizione(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&descrizione);
    }
}

QString TFormulaBox::NomeAccessibile() const
{
    if (FFormula.empty())
        return FNomeFisso.isEmpty() ? QStringLiteral("Formula vuota") : FNomeFisso;
    if (!FParlataPronta) {
        FParlata = FRadice ? QString::fromStdString(SpokenForm(FRadice.get())) : QStringLiteral("formula non leggibile");
        FParlataPronta = true;
    }
    return FNomeFisso.isEmpty() ? FParlata : FNomeFisso + QStringLiteral(": ") + FParlata;
}

QString TFormulaBox::DescrizioneAccessibile() const
{
    if (FFormula.empty())
        return FNomeFisso.isEmpty() ? FNota : QStringLiteral("vuota");
    if (!FLinearePronta) {
        FLineare = QString::fromStdString(FRadice ? LinearForm(FRadice.get()) : NarrowToUtf8(FFormula));
        FLinearePronta = true;
    }
    return FNota.isEmpty() ? FLineare : FLineare + QStringLiteral(". ") + FNota;
}

TAccessibileFormula::TAccessibileFormula(TFormulaBox* box, QAccessible::Role ruolo) : QAccessibleWidget(box, ruolo) {}

QString TAccessibileFormula::text(QAccessible::Text t) const
{
    const auto* box = static_cast<const TFormulaBox*>(widget());
    if (t == QAccessible::Name)
        return box->NomeAccessibile();
    if (t == QAccessible::Description)
        return box->DescrizioneAccessibile();
    return QAccessibleWidget::text(t);
}

} // namespace mevario
