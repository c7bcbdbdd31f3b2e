// TLezione: one topic's lesson without widgets. It draws the next exercise
// (with the seed that draws it again), reads and judges a typed answer,
// asks for the diagnosis (the topic's rules, then the working's steps),
// keeps the answer in the pupil's record and counts it; what it returns is
// what a window shows. The exercise windows, the command-line tools and the
// tests all judge through it.
#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Esercizio.h"
#include "Giudizio.h"
#include "passaggi.h"

namespace mevario {

class TRegistro;

// What an answer judged by the lesson leaves on screen.
struct TEsitoLezione {
    TGiudizio giudizio; // the verdict, why it was not judged, the reading, the diagnosis
    // The line under the answer (UTF-8): what to do, why it cannot be read,
    // what to change, or what is wrong; empty: no line.
    std::string riga;
    // The typed terms to ring in red (a wrong typed answer).
    std::vector<int> anelli;
    // True when the worked solution is offered (a wrong answer of a topic
    // that has one).
    bool soluzioneOfferta = false;
    bool Contata() const { return giudizio.Contata(); }
    bool Giusta() const { return giudizio.esito == TEsito::Giusta; }
};

class TLezione {
public:
    // `esercizio` is the topic (null for a window that draws and judges its
    // exercise itself, and gives the verdict); `catalogo` the topic's name in
    // the record ("somma-monomi"). The topic outlives the lesson.
    TLezione(TEsercizio* esercizio, QString catalogo);

    // The record the judged answers go to (null or a guest's: nothing is kept).
    void ImpostaRegistro(TRegistro* registro) { FRegistro = registro; }
    TRegistro* Registro() const { return FRegistro; }

    const TEsercizio* Esercizio() const { return FEsercizio; }
    const QString& Catalogo() const { return FCatalogo; }

    // Draws the next exercise. A typed topic's exercise is drawn from a seed
    // of its own, taken from the program's random source (seeded runs stay
    // reproducible), so that the record can say how to draw it again; a
    // quiz's question depends on its turn as well, and has no seed.
    void Nuovo();
    // The seed of the exercise drawn last, when it can be drawn again.
    const std::optional<std::uint32_t>& Seme() const { return FSeme; }
    // The exercise is on screen: the time to its answer starts now.
    void Mostrato();
    // The worked solution of this exercise was opened.
    void SoluzioneVista() { FSoluzioneVista = true; }

    // Reads and judges an answer (program code page; "Si"/"No" on a yes/no
    // question) with the topic's check. May raise the algebra core's
    // errors: nothing is counted or kept then.
    TGiudizio Leggi(const std::string& risposta) const;
    // Ends a judged answer: a wrong one without a mistake the rules know
    // takes the last mistake named between the lines of the working
    // (`passaggi`, the exercise first; empty when the answer was typed in
    // one line); a slip of form and a counted answer are kept in the record
    // (`esercizio` and `risposta` as the record keeps them); a counted one
    // is counted. Returns what to show.
    TEsitoLezione Concludi(TGiudizio g, const QString& esercizio, const QString& risposta,
                           const std::vector<std::string>& passaggi = {});
    // Leggi, then Concludi with the exercise and the answer written as the
    // record keeps them. May raise as Leggi does.
    TEsitoLezione Rispondi(const std::string& risposta, const std::vector<std::string>& passaggi = {});

    // The exercise on screen and an answer as the record keeps them: the
    // formula text (a quiz: its question first); the answer as typed, UTF-8
    // ("Sì" for a yes).
    QString EsercizioDaRegistrare() const;
    QString RispostaDaRegistrare(const std::string& risposta) const;

    // Answers counted right and wrong since the counts were last cleared.
    int Esatte() const { return FEsatte; }
    int Errori() const { return FErrori; }
    void AzzeraConteggi() { FEsatte = FErrori = 0; }

    // The kind of mistake this visit reviews, kept with every answer, and
    // its sentence; empty: no review.
    void ImpostaRipasso(const QString& tipo, const QString& frase)
    {
        FRipassa = tipo;
        FFraseRipasso = frase;
    }
    const QString& Ripassa() const { return FRipassa; }
    const QString& FraseRipasso() const { return FFraseRipasso; }

    // The working line by line: the topic (catalogue name) that says when
    // a line is the end of it; empty: no working offered.
    void ImpostaPassaggi(const std::string& argomento) { FArgomentoPassaggi = argomento; }
    // Whether the working (the exercise first, then the lines written) has
    // reached its end; not known to be nearly finished when it cannot be told.
    GiudizioFine FinePassaggi(const std::vector<std::string>& righe) const;
    // The last mistake named between two lines of the working; empty: none.
    static std::string UltimoErrore(const std::vector<std::string>& righe);

private:
    void Registra(const TGiudizio& g, const QString& esercizio, const QString& risposta);

    TEsercizio* FEsercizio;
    QString FCatalogo;
    TRegistro* FRegistro = nullptr;
    std::optional<std::uint32_t> FSeme;
    QElapsedTimer FOrologio;
    bool FSoluzioneVista = false;
    int FEsatte = 0;
    int FErrori = 0;
    QString FRipassa;
    QString FFraseRipasso;
    std::string FArgomentoPassaggi;
};

} // namespace mevario
