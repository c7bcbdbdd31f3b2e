// Italian wherever the user looks: Qt's own texts once the Italian catalogue
// is loaded (the answer field's context menu, the buttons of a message box),
// the error box without English details, the decimal comma, and what the
// program says about its command line and a missing screen.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <map>

#include "Errori.h"
#include "ExprAtoms.h"
#include "ExprMake.h"
#include "ExprTree.h"
#include "Italiano.h"
#include "RigaComando.h"
#include "errori.h"

using namespace mevario;

namespace {

// The texts of a menu's entries without their "&" marks.
QStringList Voci(QMenu* m)
{
    QStringList r;
    for (QAction* a : m->actions())
        if (!a->isSeparator())
            r << a->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    return r;
}

TAmbiente Ambiente(std::map<std::string, std::string> v)
{
    return [v](const char* nome) -> std::optional<std::string> {
        const auto it = v.find(nome);
        if (it == v.end())
            return std::nullopt;
        return it->second;
    };
}

// What LeggiArgomenti prints and returns for some arguments.
struct TEsito {
    std::optional<int> stato;
    std::string out, err;
};
TEsito Leggi(const std::vector<std::string>& argomenti)
{
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    TEsito e;
    e.stato = LeggiArgomenti(argomenti, "9.9", out, err);
    const auto testo = [](std::FILE* f) {
        std::string s;
        std::rewind(f);
        for (int c; (c = std::fgetc(f)) != EOF;)
            s += static_cast<char>(c);
        std::fclose(f);
        return s;
    };
    e.out = testo(out);
    e.err = testo(err);
    return e;
}

} // namespace

class TestItaliano : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void contextMenuOfTheAnswerField();
    void messageBoxButtons();
    void errorBoxWithoutEnglishDetails();
    void decimalComma();
    void commandLine();
    void screen();
    void optionsAreReadOnceWithTheirCheck();
};

void TestItaliano::initTestCase()
{
    const QString catalogo = ImpostaItaliano();
    QVERIFY2(catalogo.contains(QLatin1String("qtbase_it")), qPrintable(catalogo));
    // Made again (the windows of a second start-up): one catalogue still.
    QCOMPARE(ImpostaItaliano(), catalogo);
    QCOMPARE(QCoreApplication::instance()->findChildren<QTranslator*>().size(), 1);
}

void TestItaliano::contextMenuOfTheAnswerField()
{
    QLineEdit campo;
    campo.setText(QStringLiteral("3x^2"));
    QMenu* menu = campo.createStandardContextMenu();
    const QStringList voci = Voci(menu);
    delete menu;
    QVERIFY2(voci.contains(QStringLiteral("Annulla")), qPrintable(voci.join(u',')));
    QVERIFY(voci.contains(QStringLiteral("Taglia")));
    QVERIFY(voci.contains(QStringLiteral("Copia")));
    QVERIFY(voci.contains(QStringLiteral("Incolla")));
    QVERIFY(voci.contains(QStringLiteral("Seleziona tutto")));
    for (const char* inglese : {"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"})
        QVERIFY2(!voci.contains(QLatin1String(inglese)), inglese);
}

void TestItaliano::messageBoxButtons()
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Mevario"), QStringLiteral("prova"),
                    QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    box.setDetailedText(QStringLiteral("dettagli"));
    box.show();
    QStringList testi;
    for (QAbstractButton* b : box.findChildren<QAbstractButton*>())
        testi << b->text().remove(QLatin1Char('&'));
    box.hide();
    QVERIFY2(testi.contains(QStringLiteral("Annulla")), qPrintable(testi.join(u',')));
    QVERIFY(testi.contains(QStringLiteral("Sì")));
    QVERIFY(testi.contains(QStringLiteral("Mostra dettagli...")) || testi.contains(QStringLiteral("Mostra dettagli…")));
    for (const QString& t : testi)
        QVERIFY2(!t.contains(QLatin1String("Show")) && t != QLatin1String("Cancel") && t != QLatin1String("Yes"),
                 qPrintable(t));
}

void TestItaliano::errorBoxWithoutEnglishDetails()
{
    // The box the pupil meets after an unreadable answer: Italian only.
    QString testo, dettagli = QStringLiteral("non letto");
    QMessageBox::Icon icona = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        testo = box->text();
        dettagli = box->detailedText();
        icona = box->icon();
        box->accept();
    });
    MostraErrore(ErroreConversione("2-3"));
    QCOMPARE(testo, QStringLiteral("Non riesco a leggere il coefficiente «2-3»: scrivi un numero intero o una frazione "
                                   "come 3/4."));
    QVERIFY(dettagli.isEmpty());
    // Every error box has the same icon.
    QCOMPARE(icona, QMessageBox::Warning);
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        icona = box->icon();
        box->accept();
    });
    MostraErrore(QStringLiteral("si aspetta \")\""));
    QCOMPARE(icona, QMessageBox::Warning);
}

void TestItaliano::decimalComma()
{
    QCOMPARE(DecimalSeparator(), ',');
    // The monomial concept page's 0.8 is shown as 0,8.
    const PExpr radice = TExprBuilder().ParseFormula("0.8*x^4");
    const auto* numero = dynamic_cast<const TExprNumber*>(static_cast<TExprChain*>(radice.get())->Son());
    QVERIFY(numero);
    QCOMPARE(numero->Mantissa(), std::string("0,8"));
}

void TestItaliano::commandLine()
{
    TEsito e = Leggi({});
    QVERIFY(!e.stato);
    e = Leggi({"--version"});
    QCOMPARE(e.stato, std::optional<int>(0));
    QCOMPARE(e.out, std::string("mevario 9.9\n"));
    e = Leggi({"--help"});
    QCOMPARE(e.stato, std::optional<int>(0));
    QVERIFY(e.out.find("mostra questo aiuto") != std::string::npos);
    // Qt's own options, with their values, and the benchmark's.
    QVERIFY(!Leggi({"-platform", "offscreen", "--style=fusion", "-reverse", "--esci-subito"}).stato);
    QVERIFY(!Leggi({"--platform", "offscreen", "-stylesheet", "a.qss"}).stato);
    // Anything else: an Italian message and status 1.
    e = Leggi({"--bah"});
    QCOMPARE(e.stato, std::optional<int>(1));
    QCOMPARE(e.err, std::string("mevario: opzione sconosciuta: --bah\n(mevario --help spiega l'uso)\n"));
    e = Leggi({"compito.txt"});
    QCOMPARE(e.stato, std::optional<int>(1));
    QVERIFY(e.err.find("argomento non previsto: compito.txt") != std::string::npos);
    e = Leggi({"-platform"});
    QCOMPARE(e.stato, std::optional<int>(1));
    QVERIFY(e.err.find("manca il valore dell'opzione -platform") != std::string::npos);
    QCOMPARE(Leggi({"-reverse=1"}).stato, std::optional<int>(1));
}

void TestItaliano::screen()
{
    // A desktop session: X11 or Wayland.
    QVERIFY(MancaSchermo({}, Ambiente({{"DISPLAY", ":0"}})).empty());
    QVERIFY(MancaSchermo({}, Ambiente({{"WAYLAND_DISPLAY", "wayland-0"}})).empty());
    // No screen at all, or empty variables.
    const std::string nessuno = MancaSchermo({}, Ambiente({}));
    QVERIFY(nessuno.find("non c'\xC3\xA8 uno schermo") != std::string::npos);
    QVERIFY(nessuno.find("xvfb-run -a mevario") != std::string::npos);
    QVERIFY(!MancaSchermo({}, Ambiente({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}})).empty());
    // A platform that needs no display, by variable or by option.
    QVERIFY(MancaSchermo({}, Ambiente({{"QT_QPA_PLATFORM", "offscreen"}})).empty());
    QVERIFY(MancaSchermo({"-platform", "minimal"}, Ambiente({})).empty());
    QVERIFY(MancaSchermo({"--platform=offscreen"}, Ambiente({{"QT_QPA_PLATFORM", "xcb"}})).empty());
    // A platform whose display is missing; a list where one works.
    QVERIFY(!MancaSchermo({}, Ambiente({{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "w"}})).empty());
    QVERIFY(!MancaSchermo({"-platform", "wayland"}, Ambiente({{"DISPLAY", ":0"}})).empty());
    QVERIFY(MancaSchermo({}, Ambiente({{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":0"}})).empty());
    QVERIFY(MancaSchermo({}, Ambiente({{"QT_QPA_PLATFORM", "xcb:nograb"}, {"DISPLAY", ":0"}})).empty());
}

void TestItaliano::optionsAreReadOnceWithTheirCheck()
{
    // The reader that checks the arguments also gives the options, with
    // Qt's own options among them and the last of a repeated one winning.
    TOpzioniProgramma o;
    const std::vector<std::string> a = {"-platform", "offscreen", "--db", "/a b.sqlite", "--alunno=Zo\xC3\xAB",
                                        "--esci-dopo-avvio", "--db=/c.sqlite"};
    QCOMPARE(LeggiArgomenti(a, "9.9", nullptr, nullptr, &o), std::optional<int>());
    QCOMPARE(o.db, QStringLiteral("/c.sqlite"));
    QCOMPARE(o.alunno, QStringLiteral("Zo\u00EB"));
    QVERIFY(o.esciDopoAvvio && !o.esciSubito);
    // Arguments that end the program give no options, and without streams
    // nothing is printed.
    TOpzioniProgramma intatte;
    intatte.db = QStringLiteral("prima");
    QCOMPARE(LeggiArgomenti({"--db", "x", "--sconosciuta"}, "9.9", nullptr, nullptr, &intatte), std::optional<int>(1));
    QCOMPARE(LeggiArgomenti({"--help"}, "9.9", nullptr, nullptr, &intatte), std::optional<int>(0));
    QCOMPARE(intatte.db, QStringLiteral("prima"));
    // Nothing given: nothing asked for.
    TOpzioniProgramma vuote;
    vuote.alunno = QStringLiteral("x");
    QCOMPARE(LeggiArgomenti({}, "9.9", nullptr, nullptr, &vuote), std::optional<int>());
    QVERIFY(vuote.db.isEmpty() && vuote.alunno.isEmpty() && !vuote.esciSubito);
}

QTEST_MAIN(TestItaliano)
#include "test_italiano.moc"
