// Real input on the division's grid, through the window system (run by
// test-mouse-divisione.sh under Xvfb, with and without a window manager):
// a click on a cell after a click on the main window takes the keyboard to
// the cell's editor, a press dragged off a cell does not move the window, a
// drag on the background does, and the keyboard still reaches a cell after it.
#include <QApplication>
#include <QProcess>
#include <QTest>

#include <cstdio>

#include "Avvio.h"

using namespace mevario;

namespace {

void Xdo(const QStringList& a) { QProcess::execute(QStringLiteral("xdotool"), a); }
void Vai(QPoint g) { Xdo({QStringLiteral("mousemove"), QString::number(g.x()), QString::number(g.y())}); }
void Clic(QPoint g)
{
    Vai(g);
    Xdo({QStringLiteral("click"), QStringLiteral("1")});
    QTest::qWait(300);
}
void Tasto(const char* k)
{
    Xdo({QStringLiteral("key"), QString::fromLatin1(k)});
    QTest::qWait(400);
}
void Scrivi(const char* t)
{
    Xdo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), QString::fromLatin1(t)});
    QTest::qWait(400);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    auto fin = Avvia();
    TfrmMain* m = fin->frmMain();
    m->show();
    if (!QTest::qWaitForWindowExposed(m))
        return 2;
    TfrmDivisionePol* dv = fin->frmDivisionePol();
    m->Apri(dv, true);
    if (!QTest::qWaitForWindowExposed(dv))
        return 2;
    // Side by side, so that a click on one never lands on the other.
    m->move(0, 0);
    dv->move(m->frameGeometry().right() + 20, 0);
    QTest::qWait(500);
    int falliti = 0;
    const auto fuori = [&](const char* cosa) {
        std::printf("FALLITO: %s\n", cosa);
        ++falliti;
    };
    const QPoint sulPrincipale = m->frameGeometry().topLeft() + QPoint(30, 200);
    const TDivisione::Cella celle[] = {{1, 2, 4}, {1, 3, 3}, {2, 2, 3}, {1, 4, 2}, {1, 5, 1}, {2, 2, 4}};
    int i = 0;
    for (const auto& c : celle) {
        const QPoint prima = dv->pos();
        Clic(sulPrincipale);
        TCellaDivisione* x = dv->CellaDi(c);
        dv->scrGriglia->ensureWidgetVisible(x);
        QTest::qWait(100);
        const QPoint g = x->mapToGlobal(x->rect().center());
        if (i++ % 2) {
            Clic(g);
        } else { // pressed on the cell, released 25 pixels to its left
            Vai(g);
            Xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
            QTest::qWait(50);
            Vai(g - QPoint(25, 0));
            QTest::qWait(50);
            Xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
            QTest::qWait(300);
        }
        Scrivi("7x");
        if (dv->Divisione().TestoCella(c, true) != "7*x")
            fuori(qPrintable(QStringLiteral("i tasti non arrivano alla cella ") + x->accessibleName()));
        if (dv->pos() != prima)
            fuori("la pressione su una cella ha spostato la finestra");
    }
    // A drag on the background moves the window; the cells answer after it.
    const QPoint p0 = dv->pos();
    const QPoint a = dv->mapToGlobal(QPoint(dv->width() - 260, 25));
    Vai(a);
    Xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
    QTest::qWait(100);
    for (int k = 1; k <= 10; ++k) {
        Vai(a + QPoint(-10 * k, 5 * k));
        QTest::qWait(30);
    }
    Xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
    QTest::qWait(500);
    if ((dv->pos() - p0).manhattanLength() < 50)
        fuori("il trascinamento dello sfondo non sposta la finestra");
    Clic(sulPrincipale);
    TCellaDivisione* x = dv->CellaDi({1, 3, 1});
    Clic(x->mapToGlobal(x->rect().center()));
    Scrivi("5x");
    if (dv->Divisione().TestoCella({1, 3, 1}, true) != "5*x")
        fuori("dopo il trascinamento i tasti non arrivano alla cella");
    // Enter, as the pupil presses it: the term is kept, the editor goes to
    // the next cell in reading order, no counter moves.
    TCellaDivisione* q = dv->CellaDi({2, 2, 4});
    Clic(q->mapToGlobal(q->rect().center()));
    Tasto("ctrl+a");
    Scrivi("2x");
    Tasto("Return");
    if (dv->Divisione().TestoCella({2, 2, 4}, true) != "2*x")
        fuori("Invio non conferma la cella");
    if (!(dv->CellaScelta() == TDivisione::Cella{2, 2, 3}))
        fuori("Invio non porta alla cella seguente");
    Tasto("KP_Enter");
    if (!(dv->CellaScelta() == TDivisione::Cella{2, 2, 2}))
        fuori("l'Invio del tastierino non porta alla cella seguente");
    Scrivi("4");
    if (dv->Divisione().TestoCella({2, 2, 2}, true) != "4")
        fuori("dopo Invio i tasti non arrivano alla cella seguente");
    if (dv->Errori() != 0 || dv->Esatte() != 0 || dv->btnNuovo->text() != QLatin1String("Procedi"))
        fuori("Invio in una cella ha verificato la griglia");
    // Ctrl+Enter is "Procedi": the half-filled grid is wrong, every cell to
    // fix outlined, the count said; a key typed in one takes its mark away.
    Tasto("ctrl+Return");
    QTest::qWait(1500); // the counters' red flash
    const auto segnate = dv->Segnate().size();
    if (dv->Errori() != 1)
        fuori("Ctrl+Invio non verifica la griglia");
    if (segnate < 2 || !dv->lblEsito->isVisible() ||
        !dv->lblEsito->text().startsWith(QStringLiteral("Da correggere: %1 celle").arg(segnate)))
        fuori("dopo una griglia sbagliata le celle da correggere non sono segnate e contate");
    if (!dv->btnSoluzione->isVisible())
        fuori("dopo una griglia sbagliata non si offre la soluzione");
    Scrivi("1");
    if (dv->Segnate().size() != segnate - 1)
        fuori("la cella modificata resta segnata");
    if (!falliti)
        std::printf("griglia della divisione: tutto bene\n");
    return falliti ? 1 : 0;
}
