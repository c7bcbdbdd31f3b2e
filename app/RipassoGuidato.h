// "Ripasso": the due review items, one after another, each in its topic's
// window on the exercise page with fresh exercises and a line above the
// exercise saying what is being reviewed. When the pupil closes that window
// the next item's window opens; after the last one the review ends.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

#include "Protocollo.h"
#include "Registro.h"

namespace mevario {


class TRipassoGuidato : public QObject {
    Q_OBJECT
public:
    // How to get a topic window by its class name ("TfrmSommaMon").
    using TFinestre = std::function<TFinestraEsercizi*(const QString& classe)>;
    explicit TRipassoGuidato(TFinestre finestre, QObject* parent = nullptr);

    // Opens the first item's window; items of topics without a window are
    // passed over. Ends at once (Finito) when there is nothing to open.
    void Inizia(const QList<TVoceRipasso>& voci);
    // Ends the review without a word (another pupil was chosen): the open
    // window stays, as a normal visit.
    void Ferma();
    bool InCorso() const { return FInCorso; }
    // The window of the item under review, or null.
    TFinestraEsercizi* Corrente() const { return FCorrente; }
    // Items still to open after the current one.
    int Restanti() const { return static_cast<int>(FVoci.size()); }

signals:
    // The last item's window was closed (or there was nothing to open);
    // not when the review was stopped or the main window closed.
    void Finito();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void Prossima();

    TFinestre FFinestre;
    QList<TVoceRipasso> FVoci;
    QPointer<TFinestraEsercizi> FCorrente;
    bool FInCorso = false;
};

} // namespace mevario
