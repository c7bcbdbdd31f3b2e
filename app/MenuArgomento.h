// The owner-drawn popup menu of a topic button: entries 50 pixels high
// (separators 20), 200 pixels wide or 250 for long captions, each a rounded
// rectangle that fills with orange when highlighted.
#pragma once

#include <QAbstractButton>
#include <QFrame>
#include <QPointer>

#include <functional>
#include <vector>

namespace mevario {

class TVoceMenu : public QAbstractButton {
    Q_OBJECT
public:
    TVoceMenu(const QString& caption, bool separatore, QWidget* parent);
    bool Separatore() const { return FSeparatore; }
    // Width and height of an entry by its caption.
    static QSize Misura(const QString& caption, bool separatore);
    QSize sizeHint() const override { return Misura(text(), FSeparatore); }
    // The one highlighted entry of its menu (pointer or arrow keys).
    bool Evidenziata() const { return FEvidenziata; }
    void SetEvidenziata(bool e);

signals:
    void Entrato(TVoceMenu* voce);
    void Uscito(TVoceMenu* voce);

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    bool FSeparatore;
    bool FEvidenziata = false;
};

// A popup window of its parent (the window of its button): the window
// system places it, so it sits at its button also where a window cannot
// move itself, and it closes on a click anywhere else.
class TMenuArgomento : public QFrame {
    Q_OBJECT
public:
    explicit TMenuArgomento(QWidget* parent);
    // An entry ("-" is a separator); disabled when there is no action.
    TVoceMenu* Aggiungi(const QString& caption, std::function<void()> azione);
    const std::vector<TVoceMenu*>& Voci() const { return FVoci; }
    // Pops the menu up at its button (Posizione on the button's screen, or
    // inside the button's window where windows do not know their place).
    // From the keyboard the first entry is highlighted, from the mouse none.
    void Mostra(QWidget* bottone, bool daTastiera = false);
    // Where a menu of size `menu` opens for a button at `bottone` (screen
    // coordinates) inside the area `schermo`: below the button, 30 pixels to
    // the right; above it when it does not fit below; beside it when it fits
    // neither; never over its button while the area leaves room.
    static QPoint Posizione(const QRect& bottone, const QSize& menu, const QRect& schermo);
    // The highlighted entry, or null.
    TVoceMenu* Evidenziata() const;
    void Evidenzia(TVoceMenu* voce);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void Sposta(int passo);
    std::vector<TVoceMenu*> FVoci;
    QPointer<QWidget> FBottone;
    int FAltezza = 0;
    int FLarghezza = 200;
};

// Screen readers do not find popup windows among an application's windows:
// the open menus of every window of class `proprietario` are shown to them
// as that window's children, as a popup menu of menu items.
void EsponiMenuAccessibili(const QMetaObject& proprietario);

} // namespace mevario
