#include "Ruoli.h"

#include <QCryptographicHash>

namespace mevario {

namespace {

QString Identificatore(QString nome)
{
    return QLatin1Char('"') + nome.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// The tables only the functions use: the open sessions (the hash of their
// writing token) and the PIN tries whose result has not been read yet.
const char* const KTabelle[] = {
    R"(CREATE TABLE IF NOT EXISTS {S}.sessioni (
         impronta TEXT PRIMARY KEY,
         alunno BIGINT NOT NULL REFERENCES {S}.alunni (id),
         aperta TIMESTAMPTZ NOT NULL DEFAULT now()))",
    R"(CREATE TABLE IF NOT EXISTS {S}.prove_pin (
         biglietto TEXT PRIMARY KEY,
         alunno BIGINT NOT NULL REFERENCES {S}.alunni (id),
         transazione XID8 NOT NULL,
         esito TEXT NOT NULL,
         secondi INTEGER NOT NULL,
         sessione TEXT,
         fatta TIMESTAMPTZ NOT NULL DEFAULT now()))",
};

// Helpers, run only inside the functions (no role may call them).
const char* const KAiuti[] = {
    // The hash of a token, in hexadecimal.
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_impronta(t TEXT) RETURNS TEXT
       LANGUAGE sql IMMUTABLE STRICT SET search_path = pg_catalog, pg_temp
       AS $f$ SELECT encode(sha256(convert_to(t, 'UTF8')), 'hex') $f$)",
    // A fresh random token (two random UUIDs: 244 random bits).
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_gettone() RETURNS TEXT
       LANGUAGE sql VOLATILE SET search_path = pg_catalog, pg_temp
       AS $f$ SELECT replace(gen_random_uuid()::text || gen_random_uuid()::text, '-', '') $f$)",
    // PBKDF2 with HMAC-SHA-256, one block of 32 bytes: the derivation the
    // program uses for a PIN's key (Pin.cpp), so keys made on a PC are
    // checked here.
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_pbkdf2(p_pin TEXT, p_sale BYTEA, p_iterazioni INTEGER) RETURNS BYTEA
       LANGUAGE plpgsql IMMUTABLE STRICT SET search_path = pg_catalog, pg_temp AS $f$
       DECLARE
         k BYTEA := convert_to(p_pin, 'UTF8');
         ki BYTEA; ko BYTEA; u BYTEA; t BIT(256); r BYTEA := decode(repeat('00', 32), 'hex');
       BEGIN
         IF length(k) > 64 THEN k := sha256(k); END IF;
         k := k || decode(repeat('00', 64 - length(k)), 'hex');
         ki := k; ko := k;
         FOR i IN 0..63 LOOP
           ki := set_byte(ki, i, get_byte(k, i) # 54);
           ko := set_byte(ko, i, get_byte(k, i) # 92);
         END LOOP;
         u := sha256(ko || sha256(ki || p_sale || '\x00000001'::bytea));
         t := ('x' || encode(u, 'hex'))::bit(256);
         FOR i IN 2..p_iterazioni LOOP
           u := sha256(ko || sha256(ki || u));
           t := t # ('x' || encode(u, 'hex'))::bit(256);
         END LOOP;
         FOR i IN 0..31 LOOP
           r := set_byte(r, i, substring(t FROM i * 8 + 1 FOR 8)::integer);
         END LOOP;
         RETURN r;
       END $f$)",
    // The pupil of a session that may still read; null for none.
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_alunno_sessione(p_sessione TEXT) RETURNS BIGINT
       LANGUAGE sql STABLE SET search_path = {S}, pg_temp AS $f$
         SELECT alunno FROM sessioni
         WHERE impronta = mevario_impronta(mevario_impronta(coalesce(p_sessione, '')))
           AND aperta > now() - interval '{ORE} hours' $f$)",
};

// What the lab PCs' role may call.
const char* const KFunzioni[] = {
    // The classes, each once, as first written.
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_classi() RETURNS TABLE (classe TEXT, classe_chiave TEXT)
       LANGUAGE sql STABLE SECURITY DEFINER SET search_path = {S}, pg_temp AS $f$
         SELECT DISTINCT ON (a.classe_chiave) a.classe, a.classe_chiave FROM alunni a
         ORDER BY a.classe_chiave, a.id $f$)",
    // The pupils of a class (its comparison key, ChiaveConfronto): name,
    // class, whether they have a PIN. Never the PIN's salt, key or tries.
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_alunni(p_classe_chiave TEXT)
       RETURNS TABLE (id BIGINT, nome TEXT, classe TEXT, con_pin BOOLEAN, nome_chiave TEXT)
       LANGUAGE sql STABLE SECURITY DEFINER SET search_path = {S}, pg_temp AS $f$
         SELECT a.id, a.nome, a.classe, a.pin_chiave IS NOT NULL, a.nome_chiave FROM alunni a
         WHERE a.classe_chiave = p_classe_chiave ORDER BY a.nome $f$)",
    // Makes a pupil, or finds the one of that name in that class (their
    // comparison keys, as the program makes them); the pupil may come with
    // the key of a PIN chosen on the PC: a new pupil takes it, and so does
    // one already there without a PIN (the first PIN to reach the server
    // wins: anyone may already open such a pupil's session and set a PIN);
    // a pupil with a PIN keeps their own. stessa_chiave says whether the
    // pupil's key is now the one given. With a new pupil, or a PIN taken
    // by this call, the writing token of a session of that pupil: who made
    // the pupil, or gave them their PIN, sends the answers given there.
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_crea_alunno(p_nome TEXT, p_classe TEXT, p_nome_chiave TEXT,
         p_classe_chiave TEXT, p_sale TEXT DEFAULT NULL, p_chiave TEXT DEFAULT NULL, p_iterazioni INTEGER DEFAULT NULL)
       RETURNS TABLE (id BIGINT, nome TEXT, classe TEXT, con_pin BOOLEAN, scrittura TEXT, stessa_chiave BOOLEAN)
       LANGUAGE plpgsql VOLATILE SECURITY DEFINER SET search_path = {S}, pg_temp AS $f$
       DECLARE
         n TEXT := btrim(coalesce(p_nome, ''));
         c TEXT := btrim(coalesce(p_classe, ''));
         nuovo BIGINT; w TEXT;
       BEGIN
         IF length(n) < 1 OR length(n) > 60 OR n ~ '[[:cntrl:]]' OR length(c) > 60 OR c ~ '[[:cntrl:]]'
            OR coalesce(p_nome_chiave, '') = '' OR length(p_nome_chiave) > 240 OR p_classe_chiave IS NULL
            OR length(p_classe_chiave) > 240 THEN
           RETURN;
         END IF;
         IF p_chiave IS NOT NULL AND (p_sale IS NULL OR length(decode(p_sale, 'base64')) <> 16
             OR length(decode(p_chiave, 'base64')) <> 32 OR p_iterazioni IS NULL
             OR p_iterazioni < 1 OR p_iterazioni > 1000000) THEN
           RETURN;
         END IF;
         INSERT INTO alunni (nome, classe, nome_chiave, classe_chiave, pin_sale, pin_chiave, pin_iterazioni, creato)
         VALUES (n, c, p_nome_chiave, p_classe_chiave, CASE WHEN p_chiave IS NULL THEN NULL ELSE p_sale END, p_chiave,
                 CASE WHEN p_chiave IS NULL THEN NULL ELSE p_iterazioni END,
                 (extract(epoch FROM clock_timestamp()) * 1000)::bigint)
         ON CONFLICT DO NOTHING RETURNING alunni.id INTO nuovo;
         IF nuovo IS NULL AND p_chiave IS NOT NULL THEN
           UPDATE alunni SET pin_sale = p_sale, pin_chiave = p_chiave, pin_iterazioni = p_iterazioni,
                  pin_sbagliati = 0, pin_attesa_fino = 0
           WHERE alunni.classe_chiave = p_classe_chiave AND alunni.nome_chiave = p_nome_chiave
             AND alunni.pin_chiave IS NULL
           RETURNING alunni.id INTO nuovo;
         END IF;
         IF nuovo IS NOT NULL THEN
           w := mevario_impronta(mevario_gettone());
           INSERT INTO sessioni (impronta, alunno) VALUES (mevario_impronta(w), nuovo);
         END IF;
         RETURN QUERY SELECT a.id, a.nome, a.classe, a.pin_chiave IS NOT NULL, w,
                             a.pin_chiave IS NOT DISTINCT FROM p_chiave FROM alunni a
                      WHERE a.classe_chiave = p_classe_chiave AND a.nome_chiave = p_nome_chiave;
       END $f$)",
    // A PIN try: checked here, counted here (three wrong tries in a row,
    // then 30 seconds in which no try is checked), whatever PC makes it.
    // Returns a ticket; the result is told by mevario_esito_pin, in a later
    // transaction.
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_prova_pin(p_alunno BIGINT, p_pin TEXT) RETURNS TEXT
       LANGUAGE plpgsql VOLATILE SECURITY DEFINER SET search_path = {S}, pg_temp AS $f$
       DECLARE
         a RECORD;
         adesso BIGINT := (extract(epoch FROM clock_timestamp()) * 1000)::bigint;
         esito TEXT; secondi INTEGER := 0; s TEXT; b TEXT := mevario_gettone();
       BEGIN
         IF EXISTS (SELECT 1 FROM prove_pin p WHERE p.transazione = pg_current_xact_id()) THEN
           RAISE EXCEPTION 'un solo tentativo di PIN per transazione' USING ERRCODE = '25000';
         END IF;
         SELECT * INTO a FROM alunni WHERE alunni.id = p_alunno FOR UPDATE;
         IF NOT FOUND THEN RETURN NULL; END IF;
         DELETE FROM prove_pin p WHERE p.fatta < now() - interval '10 minutes';
         IF a.pin_attesa_fino > adesso THEN
           esito := 'attendi';
           secondi := least(30, ceil((a.pin_attesa_fino - adesso) / 1000.0))::integer;
         ELSIF a.pin_chiave IS NULL THEN
           esito := 'giusto';
         ELSIF coalesce(p_pin, '') ~ '^[0-9]{4}$' AND a.pin_iterazioni BETWEEN 1 AND 1000000
               AND mevario_pbkdf2(p_pin, decode(a.pin_sale, 'base64'), a.pin_iterazioni)
                   = decode(a.pin_chiave, 'base64') THEN
           esito := 'giusto';
           UPDATE alunni SET pin_sbagliati = 0 WHERE alunni.id = p_alunno;
         ELSE
           esito := 'sbagliato';
           IF a.pin_sbagliati + 1 >= 3 THEN
             UPDATE alunni SET pin_sbagliati = 0, pin_attesa_fino = adesso + 30000 WHERE alunni.id = p_alunno;
             secondi := 30;
           ELSE
             UPDATE alunni SET pin_sbagliati = a.pin_sbagliati + 1 WHERE alunni.id = p_alunno;
           END IF;
         END IF;
         IF esito = 'giusto' THEN
           s := mevario_gettone();
           INSERT INTO sessioni (impronta, alunno) VALUES (mevario_impronta(mevario_impronta(s)), p_alunno);
         END IF;
         DELETE FROM sessioni WHERE aperta < now() - interval '{GIORNI} days';
         INSERT INTO prove_pin (biglietto, alunno, transazione, esito, secondi, sessione)
         VALUES (b, p_alunno, pg_current_xact_id(), esito, secondi, s);
         RETURN b;
       END $f$)",
    // The result of a try, told once, never in the transaction of the try:
    // "giusto" with the session, "sbagliato", or "attendi" with the seconds.
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_esito_pin(p_biglietto TEXT)
       RETURNS TABLE (esito TEXT, secondi INTEGER, sessione TEXT)
       LANGUAGE plpgsql VOLATILE SECURITY DEFINER SET search_path = {S}, pg_temp AS $f$
       DECLARE p RECORD;
       BEGIN
         SELECT * INTO p FROM prove_pin WHERE biglietto = p_biglietto;
         IF NOT FOUND OR p.transazione = pg_current_xact_id_if_assigned() THEN RETURN; END IF;
         DELETE FROM prove_pin WHERE biglietto = p_biglietto;
         RETURN QUERY SELECT p.esito, p.secondi, p.sessione;
       END $f$)",
    // The pupil of the session sets (or removes, with a null key) their PIN.
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_imposta_pin(p_sessione TEXT, p_sale TEXT, p_chiave TEXT, p_iterazioni INTEGER)
       RETURNS BOOLEAN
       LANGUAGE plpgsql VOLATILE SECURITY DEFINER SET search_path = {S}, pg_temp AS $f$
       DECLARE a BIGINT := mevario_alunno_sessione(p_sessione);
       BEGIN
         IF a IS NULL THEN RETURN false; END IF;
         IF p_chiave IS NOT NULL AND (p_sale IS NULL OR length(decode(p_sale, 'base64')) <> 16
             OR length(decode(p_chiave, 'base64')) <> 32 OR p_iterazioni IS NULL
             OR p_iterazioni < 1 OR p_iterazioni > 1000000) THEN
           RETURN false;
         END IF;
         UPDATE alunni SET pin_sale = CASE WHEN p_chiave IS NULL THEN NULL ELSE p_sale END, pin_chiave = p_chiave,
                pin_iterazioni = CASE WHEN p_chiave IS NULL THEN NULL ELSE p_iterazioni END
         WHERE id = a;
         RETURN true;
       END $f$)",
    // Records an answer of the pupil whose writing token is given: once per
    // uuid (an answer already there, of any pupil, is left as it is), with
    // the pupil's figures and review schedule moved by it as the program
    // moves them (RegistroSql.cpp, Ripasso.cpp). False for a token that
    // is not (or no longer) a session's.
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_registra(p_scrittura TEXT, p_uuid UUID, p_argomento TEXT, p_esercizio TEXT,
         p_seme BIGINT, p_risposta TEXT, p_giusta INTEGER, p_diagnosi TEXT, p_tipo_errore TEXT, p_ripassa TEXT,
         p_soluzione_vista INTEGER, p_secondi DOUBLE PRECISION, p_quando BIGINT, p_giorno TEXT, p_computer TEXT)
       RETURNS BOOLEAN
       LANGUAGE plpgsql VOLATILE SECURITY DEFINER SET search_path = {S}, pg_temp AS $f$
       DECLARE
         a BIGINT; n INTEGER; g DATE; v_giusta INTEGER := CASE WHEN p_giusta <> 0 THEN 1 ELSE 0 END;
         arg TEXT := left(coalesce(p_argomento, ''), 4096);
         v_tipo TEXT; v RECORD; giorni INTEGER[] := ARRAY[1, 1, 3, 7, 21];
       BEGIN
         SELECT s.alunno INTO a FROM sessioni s
         WHERE s.impronta = mevario_impronta(coalesce(p_scrittura, ''))
           AND s.aperta > now() - interval '{GIORNI} days';
         IF a IS NULL OR arg = '' OR p_uuid IS NULL OR coalesce(p_giorno, '') !~ '^[0-9]{4}-[0-9]{2}-[0-9]{2}$' THEN
           RETURN false;
         END IF;
         g := p_giorno::date;
         PERFORM 1 FROM alunni WHERE id = a FOR UPDATE;
         INSERT INTO risposte (uuid, alunno, argomento, esercizio, seme, risposta, giusta, diagnosi, tipo_errore,
                               ripassa, soluzione_vista, secondi, quando, giorno, computer)
         VALUES (p_uuid, a, arg, left(coalesce(p_esercizio, ''), 4096), p_seme, left(coalesce(p_risposta, ''), 4096),
                 v_giusta, left(coalesce(p_diagnosi, ''), 4096), left(coalesce(p_tipo_errore, ''), 1024),
                 left(coalesce(p_ripassa, ''), 1024), CASE WHEN p_soluzione_vista <> 0 THEN 1 ELSE 0 END,
                 CASE WHEN p_secondi >= 0 AND p_secondi < 'Infinity' THEN p_secondi ELSE 0 END,
                 coalesce(p_quando, 0), p_giorno, left(coalesce(p_computer, ''), 256))
         ON CONFLICT (uuid) DO NOTHING;
         GET DIAGNOSTICS n = ROW_COUNT;
         IF n = 0 THEN RETURN true; END IF;
         -- A slip of form is kept with the answers and counted nowhere.
         IF v_giusta = 0 AND left(coalesce(p_tipo_errore, ''), 1024) = 'forma' THEN RETURN true; END IF;
         INSERT INTO esiti_giorno (alunno, argomento, giorno, giuste, sbagliate)
         VALUES (a, arg, p_giorno, v_giusta, 1 - v_giusta)
         ON CONFLICT (alunno, argomento, giorno) DO UPDATE SET giuste = esiti_giorno.giuste + excluded.giuste,
           sbagliate = esiti_giorno.sbagliate + excluded.sbagliate;
         INSERT INTO esiti_argomento (alunno, argomento, ultime) VALUES (a, arg, v_giusta::text)
         ON CONFLICT (alunno, argomento) DO UPDATE SET ultime = right(esiti_argomento.ultime || excluded.ultime, 20);
         IF v_giusta = 0 THEN
           v_tipo := CASE WHEN left(coalesce(p_tipo_errore, ''), 1024) = '' THEN 'errore non diagnosticato'
                        ELSE left(p_tipo_errore, 1024) END;
           INSERT INTO ripasso (alunno, argomento, tipo, scatola, scadenza) VALUES (a, arg, v_tipo, 1, (g + 1)::text)
           ON CONFLICT (alunno, argomento, tipo) DO UPDATE SET scatola = 1, scadenza = excluded.scadenza;
           IF coalesce(p_ripassa, '') <> '' AND left(p_ripassa, 1024) <> v_tipo THEN
             INSERT INTO ripasso (alunno, argomento, tipo, scatola, scadenza)
             VALUES (a, arg, left(p_ripassa, 1024), 1, (g + 1)::text)
             ON CONFLICT (alunno, argomento, tipo) DO UPDATE SET scatola = 1, scadenza = excluded.scadenza;
           END IF;
           RETURN true;
         END IF;
         IF coalesce(p_ripassa, '') <> '' THEN
           SELECT r.tipo, r.scatola, r.scadenza INTO v FROM ripasso r
           WHERE r.alunno = a AND r.argomento = arg AND r.tipo = left(p_ripassa, 1024);
         ELSE
           SELECT r.tipo, r.scatola, r.scadenza INTO v FROM ripasso r
           WHERE r.alunno = a AND r.argomento = arg AND r.scadenza <= p_giorno
           ORDER BY r.scadenza, r.tipo COLLATE "C" LIMIT 1;
         END IF;
         IF NOT FOUND OR v.scadenza > p_giorno THEN RETURN true; END IF;
         IF v.scatola >= 5 THEN
           DELETE FROM ripasso r WHERE r.alunno = a AND r.argomento = arg AND r.tipo = v.tipo;
         ELSE
           UPDATE ripasso r SET scatola = v.scatola + 1, scadenza = (g + giorni[v.scatola + 1])::text
           WHERE r.alunno = a AND r.argomento = arg AND r.tipo = v.tipo;
         END IF;
         RETURN true;
       END $f$)",
    // The session's pupil's own figures, review schedule and answers.
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_esiti_giorno(p_sessione TEXT) RETURNS SETOF esiti_giorno
       LANGUAGE sql STABLE SECURITY DEFINER SET search_path = {S}, pg_temp AS $f$
         SELECT * FROM esiti_giorno WHERE alunno = mevario_alunno_sessione(p_sessione) $f$)",
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_esiti_argomento(p_sessione TEXT) RETURNS SETOF esiti_argomento
       LANGUAGE sql STABLE SECURITY DEFINER SET search_path = {S}, pg_temp AS $f$
         SELECT * FROM esiti_argomento WHERE alunno = mevario_alunno_sessione(p_sessione) $f$)",
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_ripasso(p_sessione TEXT) RETURNS SETOF ripasso
       LANGUAGE sql STABLE SECURITY DEFINER SET search_path = {S}, pg_temp AS $f$
         SELECT * FROM ripasso WHERE alunno = mevario_alunno_sessione(p_sessione) $f$)",
    R"(CREATE OR REPLACE FUNCTION {S}.mevario_risposte(p_sessione TEXT) RETURNS SETOF risposte
       LANGUAGE sql STABLE SECURITY DEFINER SET search_path = {S}, pg_temp AS $f$
         SELECT * FROM risposte WHERE alunno = mevario_alunno_sessione(p_sessione) $f$)",
};

const char* const KNomiFunzioni[] = {
    "mevario_classi()",
    "mevario_alunni(TEXT)",
    "mevario_crea_alunno(TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, INTEGER)",
    "mevario_prova_pin(BIGINT, TEXT)",
    "mevario_esito_pin(TEXT)",
    "mevario_imposta_pin(TEXT, TEXT, TEXT, INTEGER)",
    "mevario_registra(TEXT, UUID, TEXT, TEXT, BIGINT, TEXT, INTEGER, TEXT, TEXT, TEXT, INTEGER, DOUBLE PRECISION, "
    "BIGINT, TEXT, TEXT)",
    "mevario_esiti_giorno(TEXT)",
    "mevario_esiti_argomento(TEXT)",
    "mevario_ripasso(TEXT)",
    "mevario_risposte(TEXT)",
};

} // namespace

QStringList IstruzioniRuoli(const QString& schema, bool laboratorio, bool docenti)
{
    const QString s = Identificatore(schema);
    const auto testo = [&](const char* t) {
        return QString::fromUtf8(t)
            .replace(QLatin1String("{S}"), s)
            .replace(QLatin1String("{ORE}"), QString::number(KOreSessione))
            .replace(QLatin1String("{GIORNI}"), QString::number(KGiorniScrittura));
    };
    QStringList istruzioni;
    // The functions of an earlier version go first: one whose result
    // changed could not be replaced, one no longer made must not stay.
    QString letterale = schema;
    letterale.replace(QLatin1Char('\''), QLatin1String("''"));
    istruzioni << QStringLiteral("DO $d$ DECLARE f REGPROCEDURE; BEGIN "
                                 "FOR f IN SELECT p.oid::regprocedure FROM pg_proc p JOIN pg_namespace n "
                                 "ON n.oid = p.pronamespace WHERE n.nspname = '%1' AND p.proname LIKE 'mevario\\_%' "
                                 "LOOP EXECUTE 'DROP FUNCTION ' || f::text; END LOOP; END $d$")
                      .arg(letterale);
    for (const char* t : KTabelle)
        istruzioni << testo(t);
    for (const char* t : KAiuti)
        istruzioni << testo(t);
    for (const char* t : KFunzioni)
        istruzioni << testo(t);
    // Every right given before is taken back, then given again: running
    // prepara again sets exactly these rights. A new function may be run by
    // anyone unless revoked: so every function of the schema is revoked
    // from PUBLIC.
    istruzioni << QStringLiteral("REVOKE ALL ON ALL TABLES IN SCHEMA %1 FROM PUBLIC").arg(s)
               << QStringLiteral("REVOKE ALL ON ALL SEQUENCES IN SCHEMA %1 FROM PUBLIC").arg(s)
               << QStringLiteral("REVOKE ALL ON ALL FUNCTIONS IN SCHEMA %1 FROM PUBLIC").arg(s);
    for (const auto& [esiste, ruolo] : {std::pair{laboratorio, KRuoloLaboratorio}, std::pair{docenti, KRuoloDocenti}}) {
        if (!esiste)
            continue;
        const QString r = Identificatore(ruolo);
        istruzioni << QStringLiteral("REVOKE ALL ON ALL TABLES IN SCHEMA %1 FROM %2").arg(s, r)
                   << QStringLiteral("REVOKE ALL ON ALL SEQUENCES IN SCHEMA %1 FROM %2").arg(s, r)
                   << QStringLiteral("REVOKE ALL ON ALL FUNCTIONS IN SCHEMA %1 FROM %2").arg(s, r);
        istruzioni << QStringLiteral("GRANT USAGE ON SCHEMA %1 TO %2").arg(s, r)
                   << QStringLiteral("GRANT SELECT ON %1.versione_schema TO %2").arg(s, r);
    }
    if (laboratorio)
        for (const char* f : KNomiFunzioni)
            istruzioni << QStringLiteral("GRANT EXECUTE ON FUNCTION %1.%2 TO %3")
                              .arg(s, QString::fromLatin1(f), Identificatore(KRuoloLaboratorio));
    if (docenti) {
        // The whole school, read; the pupils, managed; never a PIN's salt
        // or key read, never an answer written.
        const QString r = Identificatore(KRuoloDocenti);
        istruzioni << QStringLiteral("GRANT SELECT ON %1.risposte, %1.esiti_giorno, %1.esiti_argomento, %1.ripasso TO %2")
                          .arg(s, r)
                   << QStringLiteral("GRANT SELECT (id, nome, classe, nome_chiave, classe_chiave, pin_iterazioni, creato, "
                                     "pin_sbagliati, pin_attesa_fino, pin_altrove) ON %1.alunni TO %2")
                          .arg(s, r)
                   << QStringLiteral("GRANT INSERT (nome, classe, nome_chiave, classe_chiave, pin_sale, pin_chiave, "
                                     "pin_iterazioni, creato), UPDATE (nome, classe, nome_chiave, classe_chiave, pin_sale, "
                                     "pin_chiave, pin_iterazioni, pin_sbagliati, pin_attesa_fino) ON %1.alunni TO %2")
                          .arg(s, r)
                   << QStringLiteral("GRANT USAGE ON ALL SEQUENCES IN SCHEMA %1 TO %2").arg(s, r);
    }
    return istruzioni;
}

QString ImprontaSessione(const QString& sessione)
{
    return QString::fromLatin1(QCryptographicHash::hash(sessione.toUtf8(), QCryptographicHash::Sha256).toHex());
}

} // namespace mevario
