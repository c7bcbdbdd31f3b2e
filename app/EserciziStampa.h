// "Esercizi da stampare": the small dialog of the main window that writes a
// sheet of fresh exercises of the chosen topics (with or without the answer
// key) to a new PDF file in the user's documents folder and opens it with
// the desktop's PDF viewer.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QSpinBox>

#include <functional>
#include <vector>

#include "SchedaEsercizi.h"

class QPushButton;

namespace mevario {

class TdlgEserciziStampa : public QDialog {
    Q_OBJECT
public:
    explicit TdlgEserciziStampa(QWidget* parent = nullptr);

    // One check box a topic, in the order of ArgomentiScheda().
    std::vector<QCheckBox*> Argomenti;
    QSpinBox* spQuanti;
    QCheckBox* cbSoluzioni;
    QPushButton* btScrivi;
    QPushButton* btAnnulla;

    // The request the dialog's choices make (with a fresh seed).
    TRichiestaScheda Richiesta() const;
    // Writes the sheet to a new file in the documents folder and opens it;
    // the file's name, or empty when it could not be written (the message
    // box said why).
    QString Scrivi();

    // How a written sheet is opened; by default the desktop's viewer.
    // Returns false when nothing could open it. Tests replace it.
    using TApri = std::function<bool(const QString&)>;
    static void ImpostaApertura(TApri apri);

private:
    void AggiornaScrivi();
};

// A new file name in the folder for a sheet written now ("Mevario esercizi
// 2026-12-08 10.15.30.pdf", with " (2)" and so on when that exists).
QString NomeSchedaNuova(const QString& cartella);

} // namespace mevario
