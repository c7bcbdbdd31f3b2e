#include "RipassoGuidato.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "ArgomentiRegistro.h"
#include "Protocollo.h"

namespace mevario {

TRipassoGuidato::TRipassoGuidato(TFinestre finestre, QObject* parent)
    : QObject(parent), FFinestre(std::move(finestre))
{
}

void TRipassoGuidato::Inizia(const QList<TVoceRipasso>& voci)
{
    if (FInCorso)
        return;
    FVoci = voci;
    FInCorso = true;
    Prossima();
}

void TRipassoGuidato::Ferma()
{
    FVoci.clear();
    if (FCorrente) {
        FCorrente->removeEventFilter(this);
        FCorrente->ImpostaRipasso(QString(), QString());
    }
    FCorrente = nullptr;
    FInCorso = false;
}

void TRipassoGuidato::Prossima()
{
    // The main window closed (the program ends): nothing more opens, nothing is said.
    if (const auto* w = qobject_cast<const QWidget*>(parent()); w && !w->isVisible()) {
        Ferma();
        return;
    }
    while (!FVoci.isEmpty()) {
        const TVoceRipasso v = FVoci.takeFirst();
        const QString classe = ClasseFinestraArgomento(v.argomento);
        TFinestraEsercizi* f = classe.isEmpty() ? nullptr : FFinestre(classe);
        if (!f)
            continue;
        FCorrente = f;
        f->ImpostaRipasso(v.tipo, FraseRipasso(v.argomento, v.tipo));
        f->installEventFilter(this);
        f->Apri(true);
        return;
    }
    FCorrente = nullptr;
    FInCorso = false;
    emit Finito();
}

bool TRipassoGuidato::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::Hide && !e->spontaneous() && o == FCorrente && !static_cast<QWidget*>(o)->isVisible()) {
        // Its review line went when it closed.
        FCorrente->removeEventFilter(this);
        FCorrente = nullptr;
        // After the window has finished closing.
        QTimer::singleShot(0, this, [this] { Prossima(); });
    }
    return QObject::eventFilter(o, e);
}

} // namespace mevario
