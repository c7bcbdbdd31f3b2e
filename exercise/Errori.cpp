#include "Errori.h"

#include "errori.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>

#include "Finestra.h"

namespace mevario {

namespace {
TGestoreErrori& Gestore()
{
    static TGestoreErrori g;
    return g;
}
} // namespace

void MostraErrore(const QString& messaggio)
{
    if (Gestore()) {
        Gestore()(messaggio);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Mevario"), messaggio, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void MostraMessaggio(const QString& titolo, const QString& messaggio, bool avviso)
{
    if (Gestore()) {
        Gestore()(messaggio);
        return;
    }
    QMessageBox box(avviso ? QMessageBox::Warning : QMessageBox::Information, titolo, messaggio, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void MostraAvviso(const QString& testo)
{
    static QPointer<QLabel> avviso;
    QWidget* finestra = QApplication::activeWindow();
    if (testo.isEmpty() || !finestra) {
        delete avviso;
        return;
    }
    if (!avviso || avviso->parentWidget() != finestra) {
        delete avviso;
        avviso = new QLabel(finestra);
        avviso->setObjectName(QStringLiteral("avviso"));
        avviso->setFont(Carattere("Tahoma", 13));
        avviso->setStyleSheet(QStringLiteral("QLabel { background: rgb(255, 253, 210); color: black; "
                                             "border: 1px solid rgb(160, 160, 160); border-radius: 6px; "
                                             "padding: 2px 12px; }"));
    }
    avviso->setText(testo);
    avviso->setAccessibleName(testo);
    avviso->adjustSize();
    avviso->move((finestra->width() - avviso->width()) / 2, finestra->height() - avviso->height() - 4);
    avviso->raise();
    avviso->show();
}

QString TestoPerAlunno(const std::exception& e) { return QString::fromStdString(SpiegazioneErrore(e)); }

void MostraErrore(const std::exception& e)
{
    // The pupil reads what to fix, in Italian only; a handler set by the
    // tests gets the error's own message.
    MostraErrore(Gestore() ? QString::fromUtf8(e.what()) : TestoPerAlunno(e));
}

TGestoreErrori ImpostaGestoreErrori(TGestoreErrori g)
{
    TGestoreErrori vecchio = std::move(Gestore());
    Gestore() = std::move(g);
    return vecchio;
}

bool Protetto(const std::function<void()>& f)
{
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        MostraErrore(e);
    } catch (...) {
        MostraErrore(QStringLiteral("Errore imprevisto"));
    }
    return false;
}

} // namespace mevario
