#include "FormulaBox.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QTimer>

#include "Errori.h"
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
        DrawFormula(p, width(), height(), FFormula, FVariant, DaQColor(FColor), DaQColor(FFontColor),
                    logicalDpiY() > 0 ? logicalDpiY() : 96);
        FValida = true;
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
