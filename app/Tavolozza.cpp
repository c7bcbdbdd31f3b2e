#include "Tavolozza.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QToolTip>

namespace mevario {

QPalette TavolozzaChiara()
{
    const QColor nero(0, 0, 0), bianco(255, 255, 255), grigio(239, 239, 239), spento(190, 190, 190);
    QPalette p;
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool attivo = g != QPalette::Disabled;
        p.setColor(g, QPalette::Window, grigio);
        p.setColor(g, QPalette::WindowText, attivo ? nero : spento);
        p.setColor(g, QPalette::Base, attivo ? bianco : grigio);
        p.setColor(g, QPalette::AlternateBase, QColor(247, 247, 247));
        p.setColor(g, QPalette::ToolTipBase, QColor(255, 255, 220));
        p.setColor(g, QPalette::ToolTipText, nero);
        p.setColor(g, QPalette::PlaceholderText, QColor(0, 0, 0, 128));
        p.setColor(g, QPalette::Text, attivo ? nero : spento);
        p.setColor(g, QPalette::Button, grigio);
        p.setColor(g, QPalette::ButtonText, attivo ? nero : spento);
        p.setColor(g, QPalette::BrightText, bianco);
        p.setColor(g, QPalette::Light, bianco);
        p.setColor(g, QPalette::Midlight, QColor(202, 202, 202));
        p.setColor(g, QPalette::Dark, QColor(128, 128, 128));
        p.setColor(g, QPalette::Mid, QColor(184, 184, 184));
        p.setColor(g, QPalette::Shadow, QColor(118, 118, 118));
        p.setColor(g, QPalette::Highlight, attivo ? QColor(48, 140, 198) : QColor(145, 145, 145));
        p.setColor(g, QPalette::HighlightedText, bianco);
        p.setColor(g, QPalette::Link, QColor(0, 0, 255));
        p.setColor(g, QPalette::LinkVisited, QColor(255, 0, 255));
        p.setColor(g, QPalette::NoRole, grigio);
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
