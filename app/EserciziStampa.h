// "Esercizi da stampare": the small dialog of the main window that writes a
// sheet of fresh exercises of the chosen topics (with or without the answer
// key) to a new PDF file in the user's documents folder, opens it with the
// desktop's PDF viewer and says where it wrote it and with which seed. It
// remembers the topics, the count and the key chosen last.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>

#include <functional>
#include <optional>
#include <vector>

#include "SchedaEsercizi.h"

class QLabel;
class TDsFancyButton;

namespace mevario {

class TdlgEserciziStampa : public QDialog {
    Q_OBJECT
public:
    explicit TdlgEserciziStampa(QWidget* parent = nullptr);

    // One check box a topic, in the order of ArgomentiScheda().
    std::vector<QCheckBox*> Argomenti;
    QSpinBox* spQuanti;
    QCheckBox* cbSoluzioni;
    // The seed of the sheet; empty for fresh exercises.
    QLineEdit* edSeme;
    // Where the last sheet was written and its seed.
    QLabel* lbEsito;
    TDsFancyButton* btScrivi;
    TDsFancyButton* btAnnulla;

    // The request the dialog's choices make: the seed typed, or a fresh one
    // when the field is empty; nothing when the typed seed is not a number
    // from 0 to 4294967295.
    std::optional<TRichiestaScheda> Richiesta() const;
    // Writes the sheet to a new file in the documents folder and opens it;
    // the file's name, or empty when it could not be written (the message
    // box said why). The dialog stays open and tells where the file is.
    QString Scrivi();

    // How a written sheet is opened; by default the desktop's viewer.
    // Returns false when nothing could open it. Tests replace it.
    using TApri = std::function<bool(const QString&)>;
    static void ImpostaApertura(TApri apri);

private:
    void AggiornaScrivi();
    void Ricorda() const;
};

} // namespace mevario
