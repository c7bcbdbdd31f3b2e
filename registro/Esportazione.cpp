#include "Esportazione.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <cmath>
#include <cstring>

namespace mevario {

namespace {

const QString KFormato = QStringLiteral("mevario-registro");

QString Quando(const QDateTime& t)
{
    return t.toUTC().toString(Qt::ISODateWithMs);
}

QJsonObject Oggetto(const TRispostaRegistrata& r)
{
    QJsonObject o;
    o.insert(QStringLiteral("uuid"), r.uuid.toString(QUuid::WithoutBraces));
    o.insert(QStringLiteral("argomento"), r.argomento);
    o.insert(QStringLiteral("esercizio"), r.esercizio);
    if (r.seme)
        o.insert(QStringLiteral("seme"), static_cast<qint64>(*r.seme));
    o.insert(QStringLiteral("risposta"), r.risposta);
    o.insert(QStringLiteral("giusta"), r.giusta);
    o.insert(QStringLiteral("diagnosi"), r.diagnosi);
    o.insert(QStringLiteral("errore"), r.tipoErrore);
    o.insert(QStringLiteral("ripassa"), r.ripassa);
    o.insert(QStringLiteral("soluzione"), r.soluzioneVista);
    o.insert(QStringLiteral("secondi"), r.secondi);
    o.insert(QStringLiteral("quando"), Quando(r.quando));
    o.insert(QStringLiteral("giorno"), r.giorno.toString(Qt::ISODate));
    o.insert(QStringLiteral("computer"), r.computer);
    return o;
}

// Strict reading of one field; the first failure is kept in `errore`.
struct TLettore {
    QString errore;

    bool Fallisce(const QString& cosa)
    {
        if (errore.isEmpty())
            errore = cosa;
        return false;
    }
    bool Testo(const QJsonObject& o, const char* chiave, QString& out, int massimo, bool vuotoAmmesso = true)
    {
        const QJsonValue v = o.value(QLatin1String(chiave));
        if (!v.isString())
            return Fallisce(QStringLiteral("manca il campo di testo \"%1\"").arg(QLatin1String(chiave)));
        out = v.toString();
        if (out.size() > massimo || (!vuotoAmmesso && out.isEmpty()))
            return Fallisce(QStringLiteral("il campo \"%1\" non è valido").arg(QLatin1String(chiave)));
        return true;
    }
    bool Booleano(const QJsonObject& o, const char* chiave, bool& out)
    {
        const QJsonValue v = o.value(QLatin1String(chiave));
        if (!v.isBool())
            return Fallisce(QStringLiteral("manca il campo vero/falso \"%1\"").arg(QLatin1String(chiave)));
        out = v.toBool();
        return true;
    }
};

bool LeggiRisposta(TLettore& l, const QJsonValue& v, TRispostaRegistrata& r)
{
    if (!v.isObject())
        return l.Fallisce(QStringLiteral("una risposta non è un oggetto"));
    const QJsonObject o = v.toObject();
    static const QRegularExpression nomeArgomento(QStringLiteral("^[a-z0-9]+(-[a-z0-9]+)*$"));
    QString uuid, quando, giorno;
    if (!l.Testo(o, "uuid", uuid, 64) || !l.Testo(o, "argomento", r.argomento, 64, false) ||
        !l.Testo(o, "esercizio", r.esercizio, 4096) || !l.Testo(o, "risposta", r.risposta, 4096) ||
        !l.Testo(o, "diagnosi", r.diagnosi, 4096) || !l.Testo(o, "errore", r.tipoErrore, 1024) ||
        !l.Testo(o, "ripassa", r.ripassa, 1024) || !l.Testo(o, "quando", quando, 64) ||
        !l.Testo(o, "giorno", giorno, 10) || !l.Testo(o, "computer", r.computer, 256) ||
        !l.Booleano(o, "giusta", r.giusta) || !l.Booleano(o, "soluzione", r.soluzioneVista))
        return false;
    r.uuid = QUuid::fromString(uuid);
    if (r.uuid.isNull())
        return l.Fallisce(QStringLiteral("uuid non valido: %1").arg(uuid));
    if (!nomeArgomento.match(r.argomento).hasMatch())
        return l.Fallisce(QStringLiteral("argomento non valido: %1").arg(r.argomento));
    r.quando = QDateTime::fromString(quando, Qt::ISODateWithMs);
    if (!r.quando.isValid())
        return l.Fallisce(QStringLiteral("data e ora non valide: %1").arg(quando));
    r.giorno = QDate::fromString(giorno, Qt::ISODate);
    if (!r.giorno.isValid() || giorno.size() != 10)
        return l.Fallisce(QStringLiteral("giorno non valido: %1").arg(giorno));
    const QJsonValue secondi = o.value(QLatin1String("secondi"));
    if (!secondi.isDouble() || !std::isfinite(secondi.toDouble()) || secondi.toDouble() < 0 ||
        secondi.toDouble() > 1e7)
        return l.Fallisce(QStringLiteral("il campo \"secondi\" non è valido"));
    r.secondi = secondi.toDouble();
    const QJsonValue seme = o.value(QLatin1String("seme"));
    if (!seme.isUndefined()) {
        const double s = seme.toDouble(-1);
        if (!seme.isDouble() || s < 0 || s > 4294967295.0 || s != std::floor(s))
            return l.Fallisce(QStringLiteral("il campo \"seme\" non è valido"));
        r.seme = static_cast<quint32>(s);
    }
    return true;
}

// Walks a JSON text that the reader accepted, looking for what it accepts
// silently. Returns the first such fault, in Italian, or "".
class TControlloJson {
public:
    explicit TControlloJson(const QByteArray& t) : FT(t) {}
    QString Controlla()
    {
        if (!Valore(0) && FErrore.isEmpty())
            FErrore = QStringLiteral("il file è danneggiato");
        return FErrore;
    }

private:
    const QByteArray& FT;
    qsizetype FI = 0;
    QString FErrore;

    void Spazi()
    {
        while (FI < FT.size() && (FT[FI] == ' ' || FT[FI] == '\t' || FT[FI] == '\n' || FT[FI] == '\r'))
            ++FI;
    }
    bool Fallisce(const QString& perche)
    {
        if (FErrore.isEmpty())
            FErrore = perche;
        return false;
    }
    static QString MezzoCarattere(int u)
    {
        return QStringLiteral("un testo contiene metà di un carattere (\\u%1 da solo)").arg(u, 4, 16, QLatin1Char('0'));
    }
    int Esadecimale(qsizetype i) const
    {
        if (i + 4 > FT.size())
            return -1;
        bool ok = false;
        const int v = QByteArray(FT.constData() + i, 4).toInt(&ok, 16);
        return ok ? v : -1;
    }
    // A string at FI (its opening quote), decoded into `out`.
    bool Stringa(QString& out)
    {
        ++FI;
        QByteArray crudo;
        while (FI < FT.size() && FT[FI] != '"') {
            if (FT[FI] != '\\') {
                crudo += FT[FI++];
                continue;
            }
            if (FI + 1 >= FT.size())
                return false;
            const char c = FT[FI + 1];
            if (c != 'u') {
                static const char da[] = "\"\\/bfnrt", a[] = "\"\\/\b\f\n\r\t";
                const char* p = std::strchr(da, c);
                if (!p || !*p)
                    return false;
                crudo += a[p - da];
                FI += 2;
                continue;
            }
            const int u = Esadecimale(FI + 2);
            if (u < 0)
                return false;
            FI += 6;
            char32_t punto = static_cast<char32_t>(u);
            if (u >= 0xDC00 && u <= 0xDFFF)
                return Fallisce(MezzoCarattere(u));
            if (u >= 0xD800 && u <= 0xDBFF) {
                const int basso = FI + 1 < FT.size() && FT[FI] == '\\' && FT[FI + 1] == 'u' ? Esadecimale(FI + 2) : -1;
                if (basso < 0xDC00 || basso > 0xDFFF)
                    return Fallisce(MezzoCarattere(u));
                FI += 6;
                punto = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (static_cast<char32_t>(basso) - 0xDC00);
            }
            crudo += QString::fromUcs4(&punto, 1).toUtf8();
        }
        if (FI >= FT.size())
            return false;
        ++FI;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        out = utf8(crudo);
        if (utf8.hasError())
            return Fallisce(QStringLiteral("un testo non è UTF-8 valido"));
        return true;
    }
    bool Valore(int profondita)
    {
        if (profondita > 1100)
            return false;
        Spazi();
        if (FI >= FT.size())
            return false;
        const char c = FT[FI];
        if (c == '"') {
            QString s;
            return Stringa(s);
        }
        if (c == '[' || c == '{') {
            const bool oggetto = c == '{';
            const char chiusa = oggetto ? '}' : ']';
            ++FI;
            Spazi();
            if (FI < FT.size() && FT[FI] == chiusa) {
                ++FI;
                return true;
            }
            QSet<QString> chiavi;
            for (;;) {
                Spazi();
                if (oggetto) {
                    QString chiave;
                    if (FI >= FT.size() || FT[FI] != '"' || !Stringa(chiave))
                        return false;
                    if (chiavi.contains(chiave))
                        return Fallisce(QStringLiteral("la chiave \"%1\" compare due volte nello stesso oggetto")
                                            .arg(chiave.left(40)));
                    chiavi.insert(chiave);
                    Spazi();
                    if (FI >= FT.size() || FT[FI] != ':')
                        return false;
                    ++FI;
                }
                if (!Valore(profondita + 1))
                    return false;
                Spazi();
                if (FI < FT.size() && FT[FI] == ',') {
                    ++FI;
                    continue;
                }
                if (FI < FT.size() && FT[FI] == chiusa) {
                    ++FI;
                    return true;
                }
                return false;
            }
        }
        // A number, true, false or null: the reader checked them.
        while (FI < FT.size() && std::strchr(",]} \t\r\n", FT[FI]) == nullptr)
            ++FI;
        return true;
    }
};

} // namespace

QString ControllaTestoJson(const QByteArray& testo)
{
    return TControlloJson(testo).Controlla();
}

QByteArray ScriviEsportazione(const TEsportazione& e)
{
    QJsonObject alunno;
    alunno.insert(QStringLiteral("nome"), e.nome);
    alunno.insert(QStringLiteral("classe"), e.classe);
    if (!e.pin.Vuota()) {
        QJsonObject pin;
        pin.insert(QStringLiteral("sale"), QString::fromLatin1(e.pin.sale.toBase64()));
        pin.insert(QStringLiteral("chiave"), QString::fromLatin1(e.pin.chiave.toBase64()));
        pin.insert(QStringLiteral("iterazioni"), e.pin.iterazioni);
        alunno.insert(QStringLiteral("pin"), pin);
    }
    QJsonArray risposte;
    for (const auto& r : e.risposte)
        risposte.append(Oggetto(r));
    QJsonObject radice;
    radice.insert(QStringLiteral("formato"), KFormato);
    radice.insert(QStringLiteral("versione"), KVersioneEsportazione);
    radice.insert(QStringLiteral("alunno"), alunno);
    radice.insert(QStringLiteral("risposte"), risposte);
    return QJsonDocument(radice).toJson(QJsonDocument::Indented);
}

TLetturaEsportazione LeggiEsportazione(const QByteArray& testo)
{
    TLetturaEsportazione esito;
    if (testo.size() > KMassimoEsportazione) {
        esito.errore = QStringLiteral("il file è troppo grande");
        return esito;
    }
    QJsonParseError errore{};
    const QJsonDocument doc = QJsonDocument::fromJson(testo, &errore);
    if (errore.error != QJsonParseError::NoError || !doc.isObject()) {
        esito.errore = QStringLiteral("non è un file esportato da Mevario, o è danneggiato");
        return esito;
    }
    // What the JSON reader lets through without a word: a key twice in one
    // object (one of the two would be dropped), half a UTF-16 pair or bytes
    // that are not UTF-8 (each read as another character).
    esito.errore = ControllaTestoJson(testo);
    if (!esito.errore.isEmpty())
        return esito;
    const QJsonObject radice = doc.object();
    if (radice.value(QLatin1String("formato")).toString() != KFormato) {
        esito.errore = QStringLiteral("non è un file esportato da Mevario");
        return esito;
    }
    const QJsonValue versione = radice.value(QLatin1String("versione"));
    if (!versione.isDouble() || versione.toDouble() != KVersioneEsportazione) {
        esito.errore = versione.isDouble() && versione.toDouble() > KVersioneEsportazione
                           ? QStringLiteral("il file è di una versione più recente di Mevario")
                           : QStringLiteral("la versione del file non è valida");
        return esito;
    }
    TLettore l;
    TEsportazione e;
    const QJsonValue alunno = radice.value(QLatin1String("alunno"));
    if (!alunno.isObject()) {
        esito.errore = QStringLiteral("manca l'alunno");
        return esito;
    }
    const QJsonObject a = alunno.toObject();
    if (!l.Testo(a, "nome", e.nome, 60, false) || !l.Testo(a, "classe", e.classe, 60)) {
        esito.errore = l.errore;
        return esito;
    }
    if (!NomeAlunnoValido(e.nome)) {
        esito.errore = QStringLiteral("il nome dell'alunno non è valido");
        return esito;
    }
    const QJsonValue pin = a.value(QLatin1String("pin"));
    if (!pin.isUndefined()) {
        const QJsonObject p = pin.toObject();
        QString sale, chiave;
        const double iterazioni = p.value(QLatin1String("iterazioni")).toDouble(-1);
        if (!pin.isObject() || !l.Testo(p, "sale", sale, 128, false) || !l.Testo(p, "chiave", chiave, 128, false) ||
            iterazioni != std::floor(iterazioni)) {
            esito.errore = QStringLiteral("il PIN dell'alunno non è valido");
            return esito;
        }
        if (iterazioni < KIterazioniPinMinime || iterazioni > KIterazioniPinMassime) {
            esito.errore = QStringLiteral("il PIN dell'alunno non è valido (iterazioni fuori dai limiti, da %1 a %2)")
                               .arg(KIterazioniPinMinime)
                               .arg(KIterazioniPinMassime);
            return esito;
        }
        const auto s = QByteArray::fromBase64Encoding(sale.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        const auto c = QByteArray::fromBase64Encoding(chiave.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!s || !c || s.decoded.isEmpty() || c.decoded.size() != 32) {
            esito.errore = QStringLiteral("il PIN dell'alunno non è valido");
            return esito;
        }
        e.pin = {s.decoded, c.decoded, static_cast<int>(iterazioni)};
    }
    const QJsonValue risposte = radice.value(QLatin1String("risposte"));
    if (!risposte.isArray()) {
        esito.errore = QStringLiteral("mancano le risposte");
        return esito;
    }
    const QJsonArray lista = risposte.toArray();
    e.risposte.reserve(lista.size());
    for (const QJsonValue& v : lista) {
        TRispostaRegistrata r;
        if (!LeggiRisposta(l, v, r)) {
            esito.errore = QStringLiteral("risposta %1: %2").arg(e.risposte.size() + 1).arg(l.errore);
            return esito;
        }
        e.risposte.append(std::move(r));
    }
    esito.dati = std::move(e);
    return esito;
}

} // namespace mevario
