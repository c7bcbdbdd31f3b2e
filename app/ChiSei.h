// "Chi sei?": the small window that asks who is at the computer. With no
// pupil in the record yet it asks for a new one (name, class, an optional
// PIN typed twice) or a guest; later it lists the pupils with the last one
// chosen already selected, so that Enter goes on. On a school's server
// (a lab of shared computers) it asks the class first, the last class
// chosen on this computer preselected, then lists that class's pupils with
// none selected. Enter with no pupil selected does nothing. A pupil with a
// PIN is asked for it. The pupil chosen (and the class) is remembered for
// the next start.
#pragma once

#include <QDialog>
#include <QTimer>

#include <optional>

#include "Registro.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QStackedWidget;
class TDsFancyButton;

namespace mevario {

class TdlgChiSei : public QDialog {
    Q_OBJECT
public:
    TdlgChiSei(TRegistro* registro, QWidget* parent = nullptr);

    // Prepares the window for a new choice: the list of pupils (the last
    // one chosen selected), or the new pupil's page when there is none.
    void Prepara();
    // Asks only the PIN of `alunno` (started with --alunno); "Ospite"
    // instead of going back to the list.
    void PreparaSoloPin(const TAlunno& alunno);

    // The pupil chosen when the window was accepted; nothing for a guest.
    const std::optional<TAlunno>& Scelto() const { return FScelto; }

    // The last pupil chosen on this computer (the name, the class), as remembered.
    static QString UltimoAlunno();
    static QString UltimaClasse();
    static void RicordaUltimoAlunno(const QString& nome, const QString& classe = {});

    // The pages.
    QStackedWidget* Pagine;
    QWidget* PaginaElenco;
    QWidget* PaginaNuovo;
    QWidget* PaginaPin;
    // The list of pupils (on a server: of the class chosen above it) and its buttons.
    QLabel* lbElenco;
    QLabel* etClasseElenco;
    QComboBox* cbClasse;
    QListWidget* lsAlunni;
    TDsFancyButton* btAvanti;
    TDsFancyButton* btNuovo;
    TDsFancyButton* btOspite;
    // A new pupil.
    QLineEdit* edNome;
    QLineEdit* edClasse;
    QLineEdit* edNuovoPin;
    QLineEdit* edNuovoPin2; // the PIN again
    QLabel* lbNuovoErrore;
    TDsFancyButton* btCrea;
    TDsFancyButton* btIndietroNuovo;
    TDsFancyButton* btOspiteNuovo;
    // The PIN.
    QLabel* lbSaluto;
    QLabel* lbPinAltrove; // this computer's PIN came second (TAlunno::pinAltrove)
    QLineEdit* edPin;
    QLabel* lbPinErrore;
    TDsFancyButton* btEntra;
    TDsFancyButton* btIndietroPin;

    // The buttons' actions (the tests press them as the mouse would).
    void btAvantiClick();
    void btNuovoClick();
    void btOspiteClick();
    void btCreaClick();
    void btEntraClick();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void MostraElenco();
    // Lists the pupils of the class chosen (a server) or all of them.
    void RiempiAlunni();
    void MostraNuovo();
    void MostraPin(const TAlunno& alunno);
    void Scegli(const std::optional<TAlunno>& alunno);
    void AggiornaAttesa();
    // The button Enter presses on the page shown.
    TDsFancyButton* BottonePredefinito() const;

    TRegistro* FRegistro;
    std::optional<TAlunno> FScelto;
    std::optional<TAlunno> FPerPin; // the pupil whose PIN is asked
    bool FSoloPin = false;
    bool FPerClasse = false; // a school's server: the class first
    QTimer FAttesa; // counts the wait after three wrong PINs down, once a second
};

} // namespace mevario
