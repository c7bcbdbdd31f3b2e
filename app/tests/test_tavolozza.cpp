// A dark desktop theme changes nothing in Mevario's windows: the palette a
// dark theme gives the application and its widget classes is in force
// before start-up, and every text, field and list still shows our colours.
#include <QApplication>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>

#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

#include "Avvio.h"
#include "ChiSei.h"
#include "RegistroSql.h"
#include "Tavolozza.h"

using namespace mevario;

namespace {

QPalette Scura()
{
    QPalette p(QColor(53, 53, 53), QColor(40, 40, 40));
    for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        p.setColor(r, QColor(240, 240, 240));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    p.setColor(QPalette::Light, QColor(20, 20, 20));
    p.setColor(QPalette::ToolTipBase, QColor(20, 20, 20));
    return p;
}

template <class T>
T* Finestra()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w))
            return t;
    return nullptr;
}

bool Chiaro(const QColor& c) { return c.lightness() >= 200; }
bool Scuro(const QColor& c) { return c.lightness() <= 60; }

// Pixels of the text: dark ones in the part of the widget right of `da`.
int PixelScuri(QWidget* w, int da)
{
    const QImage img = w->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = da; x < img.width(); ++x)
            n += Scuro(img.pixelColor(x, y));
    return n;
}

} // namespace

class TestTavolozza : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { FFinestre.reset(); }
    void lightPaletteIsComplete();
    void mainWindowAndMenus();
    void exerciseTextsAndFields();
    void blackboardAndDivision();
    void pupilChooser();

private:
    std::unique_ptr<TFinestre> FFinestre;
};

void TestTavolozza::initTestCase()
{
    // What a dark platform theme does: an application palette and palettes
    // of its own for some widget classes.
    const QPalette scura = Scura();
    QApplication::setPalette(scura);
    for (const char* c : {"QLabel", "QLineEdit", "QAbstractButton", "QCheckBox", "QRadioButton", "QAbstractItemView",
                          "QTextEdit", "QComboBox"})
        QApplication::setPalette(scura, c);
    QToolTip::setPalette(scura);
    FFinestre = Avvia();
    FFinestre->frmMain()->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFinestre->frmMain()));
}

void TestTavolozza::lightPaletteIsComplete()
{
    const QPalette p = TavolozzaChiara();
    for (int g = 0; g < QPalette::NColorGroups; ++g)
        for (int r = 0; r < QPalette::NColorRoles; ++r)
            QVERIFY2(p.isBrushSet(QPalette::ColorGroup(g), QPalette::ColorRole(r)), qPrintable(QString::number(r)));
    QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
    QVERIFY(Chiaro(QApplication::palette().color(QPalette::Base)));
    QVERIFY(Scuro(QApplication::palette().color(QPalette::Text)));
    QVERIFY(Chiaro(QToolTip::palette().color(QPalette::ToolTipBase)));
    QVERIFY(Scuro(QToolTip::palette().color(QPalette::ToolTipText)));
}

void TestTavolozza::mainWindowAndMenus()
{
    TfrmMain* m = FFinestre->frmMain();
    QCOMPARE(m->palette().color(QPalette::Window), QColor(255, 230, 204));
    QCOMPARE(m->Label2->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    // Menu entries: dark captions on the light menu background.
    for (TVoceMenu* v : m->pmmcd->Voci()) {
        if (v->Separatore())
            continue;
        QVERIFY(Chiaro(v->palette().color(QPalette::Window)));
        QVERIFY(Scuro(v->palette().color(QPalette::WindowText)));
    }
    // The capsule buttons' lowered captions keep their white light.
    QCOMPARE(m->btSomma->palette().color(QPalette::Light), QColor(255, 255, 255));
}

void TestTavolozza::exerciseTextsAndFields()
{
    TfrmMain* m = FFinestre->frmMain();
    m->pmDefinizione->Voci()[1]->click(); // the monomial quiz, exercise page
    auto* c = Finestra<TfrmConcetto>();
    QVERIFY(c);
    QVERIFY(QTest::qWaitForWindowExposed(c));
    // "Si" and "No" in black: their text is drawn with dark pixels.
    for (QRadioButton* rb : {c->rbSi, c->rbNo}) {
        QVERIFY(Scuro(rb->palette().color(QPalette::WindowText)));
        QVERIFY2(PixelScuri(rb, rb->width() / 3) > 20, qPrintable(rb->text()));
    }
    QVERIFY(Chiaro(c->EditRisp->palette().color(QPalette::Base)));
    QVERIFY(Scuro(c->EditRisp->palette().color(QPalette::Text)));
    c->close();
}

void TestTavolozza::blackboardAndDivision()
{
    TfrmMain* m = FFinestre->frmMain();
    m->pmDivisione->Voci()[1]->click();
    auto* d = Finestra<TfrmDivisionePol>();
    QVERIFY(d);
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QVERIFY(Scuro(d->meEsercizi->palette().color(QPalette::Text)));
    QVERIFY(PixelScuri(d->meEsercizi->viewport(), 0) > 50);
    QVERIFY(Chiaro(d->EditRisp->palette().color(QPalette::Base)));
    QVERIFY(Scuro(d->EditRisp->palette().color(QPalette::Text)));
    d->btnLavagna->click();
    auto* l = Finestra<TfrmLavagna>();
    QVERIFY(l && l->isVisible());
    QVERIFY(Scuro(l->cbGomma->palette().color(QPalette::WindowText)));
    QVERIFY(PixelScuri(l->cbGomma, 20) > 20);
    // The drawn lists: light entries, the chosen one highlighted.
    QVERIFY(Chiaro(l->cmbPennaColore->palette().color(QPalette::Base)));
    QVERIFY(Chiaro(l->cmbPennaColore->view()->palette().color(QPalette::Base)));
    l->close();
    d->close();
}

void TestTavolozza::pupilChooser()
{
    QTemporaryDir d;
    auto r = TRegistroSql::ApriSqlite(d.filePath(QStringLiteral("r.sqlite")), TOpzioniRegistro{}, true).registro;
    QVERIFY(r);
    r->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B"));
    TdlgChiSei chi(r.get());
    chi.Prepara();
    chi.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chi));
    QCOMPARE(chi.palette().color(QPalette::Window), QColor(255, 230, 204));
    for (QLabel* l : chi.findChildren<QLabel*>())
        QVERIFY2(!Chiaro(l->palette().color(QPalette::WindowText)), qPrintable(l->text()));
    QVERIFY(Chiaro(chi.lsAlunni->palette().color(QPalette::Base)));
    QVERIFY(Scuro(chi.lsAlunni->palette().color(QPalette::Text)));
    for (QLineEdit* e : {chi.edNome, chi.edClasse, chi.edPin}) {
        QVERIFY(Chiaro(e->palette().color(QPalette::Base)));
        QVERIFY(Scuro(e->palette().color(QPalette::Text)));
    }
    chi.reject();
}

QTEST_MAIN(TestTavolozza)
#include "test_tavolozza.moc"
