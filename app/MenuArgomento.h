// The owner-drawn popup menu of a topic button: entries 50 pixels high
// (separators 20), 200 pixels wide or 250 for long captions, each a rounded
// rectangle that fills with orange when highlighted.
#pragma once

#include <QAbstractButton>
#include <QFrame>

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

class TMenuArgomento : public QFrame {
    Q_OBJECT
public:
    explicit TMenuArgomento(QWidget* parent = nullptr);
    // An entry ("-" is a separator); disabled when there is no action.
    TVoceMenu* Aggiungi(const QString& caption, std::function<void()> azione);
    const std::vector<TVoceMenu*>& Voci() const { return FVoci; }
    // Pops the menu up with its top-left corner at a screen point, moved to
    // stay on the screen. From the keyboard the first entry is highlighted,
    // from the mouse none.
    void Mostra(const QPoint& globale, bool daTastiera = false);
    // The highlighted entry, or null.
    TVoceMenu* Evidenziata() const;
    void Evidenzia(TVoceMenu* voce);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Sposta(int passo);
    std::vector<TVoceMenu*> FVoci;
    int FAltezza = 0;
    int FLarghezza = 200;
};

} // namespace mevario
