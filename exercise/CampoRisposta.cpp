// The answer field: a line edit that tells its key releases, clicks and
// loss of focus, and marks with a wavy line where its text cannot be read.
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "Colori.h"
#include "ucomune.h"

namespace mevario {

TEditRisp::TEditRisp(QWidget* parent) : QLineEdit(parent)
{
    setAccessibleName(QStringLiteral("Risposta"));
    // Black on white, whatever the desktop's theme.
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
}

void TEditRisp::mousePressEvent(QMouseEvent* e)
{
    QLineEdit::mousePressEvent(e);
    emit Cliccato();
}

void TEditRisp::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    emit FocusPerso();
}

void TEditRisp::keyReleaseEvent(QKeyEvent* e)
{
    QLineEdit::keyReleaseEvent(e);
    emit TastoRilasciato();
}

void TEditRisp::SegnaErrore(int posizione)
{
    if (posizione == FSegno)
        return;
    FSegno = posizione;
    update();
}

int TEditRisp::XCarattere(int i)
{
    // From the cursor, which the line edit places (scrolled as it is), by
    // the widths of the text between the cursor and the character.
    const QFontMetrics fm(font());
    const QString t = text();
    return cursorRect().center().x() + fm.horizontalAdvance(t.left(i)) - fm.horizontalAdvance(t.left(cursorPosition()));
}

void TEditRisp::paintEvent(QPaintEvent* e)
{
    QLineEdit::paintEvent(e);
    if (FSegno < 0 || FSegno > text().size())
        return;
    const int x0 = XCarattere(FSegno);
    int x1 = FSegno < text().size() ? XCarattere(FSegno + 1) : x0 + fontMetrics().horizontalAdvance(QLatin1Char('0'));
    if (x1 - x0 < 6)
        x1 = x0 + fontMetrics().horizontalAdvance(QLatin1Char('0'));
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kRosso, 2));
    const int y = height() - 5;
    // A wavy line, as a spelling checker marks a word.
    QPainterPath onda;
    onda.moveTo(x0, y);
    for (int x = x0; x < x1; x += 4)
        onda.quadTo(x + 1, (x - x0) % 8 == 0 ? y - 3 : y + 3, std::min(x + 4, x1), y);
    p.drawPath(onda);
}

} // namespace mevario
