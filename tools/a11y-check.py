#!/usr/bin/python3
"""What a screen reader sees of Mevario: starts the program, walks its
AT-SPI tree, opens the sum of monomials on the exercise page through the
accessible actions (the topic menu, a popup window, must be read as a child
of the main window) and checks the names of the controls and formula boxes:
the exercise's formula is said in Italian words (its linear form is the
description), and so is the preview of an answer typed into the field
(typed with xdotool where it is installed).

    xvfb-run -a dbus-run-session -- /usr/bin/python3 tools/a11y-check.py build/app/mevario

Needs Debian's at-spi2-core and python3-pyatspi; ctest runs it through
tools/test-a11y.sh. Prints the tree and exits
with 1 when something a pupil needs has no accessible name.
"""
import os
import re
import shutil
import subprocess
import sys
import time

import pyatspi


def trova_app(nome, secondi=20):
    fine = time.time() + secondi
    while time.time() < fine:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name and nome in app.name.lower():
                return app
        time.sleep(0.3)
    return None


def cammina(nodo, profondita=0, righe=None):
    if righe is None:
        righe = []
    try:
        ruolo = nodo.getRoleName()
        righe.append((profondita, ruolo, nodo.name or "", nodo.description or "", nodo))
        for figlio in nodo:
            if figlio is not None:
                cammina(figlio, profondita + 1, righe)
    except Exception:  # a node that went away while walking
        pass
    return righe


def visibile(nodo):
    try:
        return nodo.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def premi(righe, nome):
    for _, ruolo, n, _, nodo in righe:
        if n == nome and ruolo in ("push button", "button", "menu item") and visibile(nodo):
            azioni = nodo.queryAction()
            for i in range(azioni.nActions):
                if azioni.getName(i) in ("Press", "press", "click"):
                    azioni.doAction(i)
                    return True
    return False


# What must never reach a screen reader's voice: the formula language.
LINGUAGGIO = re.compile(r"[\^*/&(){}]")


def detta(nome):
    """A formula said in words: letters, spaces and punctuation only."""
    return bool(nome) and not LINGUAGGIO.search(nome) and not re.search(r"[0-9=+]", nome)


def caselle(righe):
    """The visible formula boxes of the exercise page, in tree order."""
    return [r for r in righe if r[1] == "image" and visibile(r[4])]


def scrivi(righe, testo):
    """Types into the answer field as a pupil does: a click, then the keys."""
    if not shutil.which("xdotool"):
        print("manca xdotool: l'anteprima non si prova")
        return False
    for _, ruolo, nome, _, nodo in righe:
        if nome == "Risposta" and ruolo in ("text", "entry") and visibile(nodo):
            e = nodo.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            x, y = e.x + e.width // 2, e.y + e.height // 2
            subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=False)
            time.sleep(0.5)
            subprocess.run(["xdotool", "type", "--delay", "60", "--", testo], check=False)
            time.sleep(1)
            return True
    return False


def main():
    programma = sys.argv[1] if len(sys.argv) > 1 else "build/app/mevario"
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    # As a named pupil, so that "Chi sei?" does not ask first.
    proc = subprocess.Popen([programma, "--alunno", "Prova"], env=env)
    problemi = []
    try:
        app = trova_app("mevario")
        if app is None:
            print("Mevario non compare nell'albero AT-SPI")
            return 1
        time.sleep(1)
        righe = cammina(app)
        if not premi(righe, "Somma e differenza di monomi"):
            problemi.append("il pulsante 'Somma e differenza di monomi' non si può premere")
        time.sleep(1)
        righe = cammina(app)
        # The open menu (a popup window) is read as a child of the main window.
        menu = [r for r in righe if r[1] == "popup menu" and visibile(r[4])]
        if not menu:
            problemi.append("il menu aperto non compare nell'albero")
        else:
            voci = [figlio.name for figlio in menu[0][4] if figlio is not None]
            print("popup menu:", voci)
            if voci != ["Concetto", "Esercizi"]:
                problemi.append(f"voci del menu: {voci}")
            if menu[0][4].parent.name != "Mevario":
                problemi.append("il menu non è figlio della finestra principale")
        if not premi(righe, "Esercizi"):
            problemi.append("la voce 'Esercizi' del menu non si può premere")
        time.sleep(2)
        righe = cammina(app)
        for p, ruolo, nome, descr, nodo in righe:
            if not visibile(nodo):
                continue
            print("  " * p + f"{ruolo}: {nome!r}" + (f"  [{descr}]" if descr else ""))
            if ruolo in ("push button", "button", "text", "entry") and not nome:
                problemi.append(f"{ruolo} senza nome")
        nomi = [r[2] for r in righe if visibile(r[4])]
        for atteso in ("Risposta", "Risposte esatte: 0", "Errori: 0", "Procedi", "Esci", "Concetto"):
            if atteso not in nomi:
                problemi.append(f"manca '{atteso}'")
        formule = [r for r in righe if r[3] and visibile(r[4])]
        if not formule:
            problemi.append("nessuna casella di formula espone la sua formula")
        # The exercise's box says its formula in words; the preview is empty.
        immagini = caselle(righe)
        if len(immagini) < 2:
            problemi.append("mancano la casella dell'esercizio e l'anteprima")
        else:
            esercizio, anteprima = immagini[0], immagini[1]
            print("esercizio:", repr(esercizio[2]), "| descrizione:", repr(esercizio[3]))
            if not detta(esercizio[2]):
                problemi.append(f"l'esercizio non è detto a parole: {esercizio[2]!r}")
            if not esercizio[3] or esercizio[3] == esercizio[2]:
                problemi.append("l'esercizio non ha la sua forma lineare nella descrizione")
            if anteprima[2] != "Formula vuota":
                problemi.append(f"anteprima prima di scrivere: {anteprima[2]!r}")
            # A typed answer: the preview says it as a teacher would.
            if scrivi(righe, "-2/5xy"):
                # The preview follows the keys: wait for it a little.
                anteprima = None
                fine = time.time() + 8
                while time.time() < fine:
                    immagini = caselle(cammina(app))
                    anteprima = immagini[1] if len(immagini) > 1 else None
                    if anteprima and anteprima[2] == "meno due quinti ics ipsilon":
                        break
                    time.sleep(0.5)
                print("anteprima:", anteprima and repr(anteprima[2]), "| descrizione:", anteprima and repr(anteprima[3]))
                if not anteprima or anteprima[2] != "meno due quinti ics ipsilon":
                    problemi.append(f"anteprima di -2/5xy: {anteprima and anteprima[2]!r}")
                elif anteprima[3] != "−(2/5)xy":
                    problemi.append(f"descrizione dell'anteprima: {anteprima[3]!r}")
    finally:
        proc.terminate()
        proc.wait(timeout=10)
    for p in problemi:
        print("PROBLEMA:", p)
    return 1 if problemi else 0


if __name__ == "__main__":
    sys.exit(main())
