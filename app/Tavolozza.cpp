#include "Tavolozza.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QToolTip>

namespace mevario {

QPalette TavolozzaChiara()
{
    // The light palette Qt gives where no desktop theme speaks (the one the
    // program was drawn with), every role then marked as set.
    const QColor sfondo(239, 239, 239), testo(Qt::black), spento(190, 190, 190);
    const QColor chiaro = sfondo.lighter(150), medio = sfondo.darker(130), scuro = sfondo.darker(150);
    const QColor ombra = scuro.darker(135);
    QPalette p(testo, sfondo, chiaro, scuro, medio, testo, Qt::white);
    p.setColor(QPalette::Midlight, medio.lighter(110));
    p.setColor(QPalette::Button, sfondo);
    p.setColor(QPalette::Shadow, ombra);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    p.setColor(QPalette::ToolTipText, testo);
    p.setColor(QPalette::Link, QColor(0, 0, 255));
    p.setColor(QPalette::LinkVisited, QColor(255, 0, 255));
    p.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    p.setColor(QPalette::NoRole, sfondo);
    p.setColor(QPalette::Disabled, QPalette::Text, spento);
    p.setColor(QPalette::Disabled, QPalette::WindowText, spento);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, spento);
    p.setColor(QPalette::Disabled, QPalette::Base, sfondo);
    p.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    p.setColor(QPalette::Disabled, QPalette::Shadow, ombra.lighter(150));
    p.setColor(QPalette::Active, QPalette::Highlight, QColor(48, 140, 198));
    p.setColor(QPalette::Inactive, QPalette::Highlight, QColor(145, 141, 126));
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 141, 126));
    for (int g = 0; g < QPalette::NColorGroups; ++g)
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto gruppo = QPalette::ColorGroup(g);
            const auto ruolo = QPalette::ColorRole(r);
            p.setBrush(gruppo, ruolo, p.brush(gruppo, ruolo));
        }
    return p;
}

void ImpostaAspettoChiaro()
{
    // Fusion is already the style where no desktop picks one: kept as it is.
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QPalette p = TavolozzaChiara();
    QApplication::setPalette(p);
    // The classes a platform theme may give palettes of their own, which
    // would win over the application's.
    for (const char* classe : {"QAbstractButton", "QToolButton", "QCheckBox", "QRadioButton", "QHeaderView",
                               "QAbstractItemView", "QMessageBoxLabel", "QTabBar", "QLabel", "QGroupBox", "QMenu",
                               "QMenuBar", "QTextEdit", "QTextControl", "QLineEdit", "QComboBox", "QPlainTextEdit"})
        QApplication::setPalette(p, classe);
    QToolTip::setPalette(p);
}

} // namespace mevario
