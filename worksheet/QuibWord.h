// TQuibWord: the word-processor documents of Mevario. A document is opened
// from a flat OpenDocument template (a new, unsaved document based on it),
// text is typed at named bookmarks and the clipboard picture pasted at one;
// when it is complete it is written to a new file in the user's documents
// folder, in "Mevario", under a name that says what and when ("Risultati
// 2026-12-08 10.42.fodt"), and opened with a program that shows it
// (Apertura.h); when none does, a message says where the file is. The
// program never waits for the word processor and never writes over a file.
#pragma once

#include <QDateTime>
#include <QDomDocument>
#include <QImage>
#include <QString>

#include <functional>

namespace mevario {

class TSchedaPol;
struct TAlunnoScheda;

class TQuibWord {
public:
    enum class TTipoMessaggio { Errore, Conferma, Attenzione, Informazione };
    // Where messages go (a message box in the program; tests record them).
    using TMostraMessaggio = std::function<void(TTipoMessaggio, const QString&)>;
    static void ImpostaMessaggi(TMostraMessaggio m);
    static void Messaggio(TTipoMessaggio tipo, const QString& testo);
    // The title of a message box of each kind: "Errore", "Conferma", ...
    static QString Titolo(TTipoMessaggio tipo);

    // How the finished document is handed on (tests replace it): the file
    // written; true when a program took it.
    using TConsegna = std::function<bool(const QString& file)>;
    static void ImpostaConsegna(TConsegna c);
    // Opens the file with the desktop's application or the full LibreOffice
    // Writer, in the background; when nothing opens it, a message (later)
    // says why and where the file is. True when the opening has started.
    static bool ConsegnaPredefinita(const QString& file);
    // Hands on a file written elsewhere (the class's spreadsheet) as a
    // finished document is: through the hook when set, else
    // ConsegnaPredefinita. True when a program took it.
    static bool ConsegnaFile(const QString& file);

    // A document opened from `file`. With `comeModello` a new untitled
    // document based on it; otherwise the file itself. A file that cannot
    // be read as an OpenDocument text shows "Impossibile aprire il documento"
    // with the path and returns false: nothing is written afterwards.
    bool ApriDocumento(const QString& file, bool comeModello, bool visibile);

    // Types `testo` at the start of the bookmark named exactly `nome` (the
    // first one in the document); "§" pastes the clipboard picture there.
    // A missing bookmark is skipped without a message.
    void ScriviInSegnalibro(const QString& nome, const QString& testo);

    // Writes the document to a new file named after `cosa` ("Risultati") and
    // the time `quando`, in the documents folder (CartellaDocumenti), and
    // hands it to the word processor. Returns the file ("" when it could not
    // be written; a message says why).
    QString Consegna(const QString& cosa, const QDateTime& quando = QDateTime::currentDateTime());

    // The user quit the word processor: later calls fail quietly (or with a
    // message when MessaggiErrore is set).
    void WordChiuso();

    bool Aperto() const { return FAperto; }
    bool MessaggiErrore = false;
    int DocumentoAttivo = -1;
    std::function<void()> OnWordQuit;

    // The document being written (tests read it).
    const QDomDocument& Documento() const { return FDoc; }
    QDomDocument& Documento() { return FDoc; }
    // The picture that "§" pastes: the clipboard's, unless one is given.
    void ImpostaImmagine(const QImage& img) { FImmagine = img; }

private:
    void IncollaImmagine(QDomElement segnalibro);

    QDomDocument FDoc;
    bool FAperto = false;
    bool FWordChiuso = false;
    bool FVisibile = true;
    QImage FImmagine;
};

// Where a template is: the current folder recorded at start-up, beside the
// program, the installed data folder. "" when none has it.
QString TrovaModello(const QString& cartellaProgramma, const QString& nome);

// The results sheet ("Risultati …"): the 24 counters of `risultati` (the
// run's record when not given) at their bookmarks of "schedaVEK.fodt", and
// the date and time at "DATA_ORA". Returns the file handed on, or "" (a
// message said why).
QString ScriviSchedaRisultati(const QString& cartellaProgramma);
QString ScriviSchedaRisultati(const QString& cartellaProgramma, const TSchedaPol& risultati,
                              const QDateTime& quando = QDateTime::currentDateTime());
// The same for a pupil: their name and class on the sheet, and beside this
// run's counts, per topic, the totals to date and the last day practised.
QString ScriviSchedaRisultati(const QString& cartellaProgramma, const TSchedaPol& risultati,
                              const TAlunnoScheda& alunno, const QDateTime& quando = QDateTime::currentDateTime());
// Writes the pupil's part into a results sheet's document.
void ScriviAlunnoInScheda(QDomDocument& doc, const TAlunnoScheda& alunno);
// The window sheet: "scheda.fodt" with the picture at "TABELLA", in a file
// named after `titolo` (the topic: "Somma di monomi …").
QString ScriviSchedaFinestra(const QString& cartellaProgramma, const QImage& finestra,
                             const QString& titolo = QStringLiteral("Scheda"));
// The same with who wrote it and when, as the results sheet has them: the
// pupil's name and class ("—" for none) and the day, written over the lines
// left for them; a guest (no name) keeps the lines for name and class.
QString ScriviSchedaFinestra(const QString& cartellaProgramma, const QImage& finestra, const QString& titolo,
                             const QString& alunno, const QString& classe, const QDateTime& quando);
// Writes who and when into a window sheet's document.
void ScriviChiEQuandoInScheda(QDomDocument& doc, const QString& alunno, const QString& classe, const QDate& giorno);

// The date and time as the results sheet writes them:
// "martedì 8 dicembre 2026 alle 10:42" (after "Scheda scritta ").
QString DataOraScheda(const QDateTime& quando);

} // namespace mevario
