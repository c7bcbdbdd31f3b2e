#include "RAHtControls.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

#include <cstring>

namespace {

struct Nome {
    const char* nome;
    QRgb rgb;
};

// The named colours a caption may ask for (after "cl").
const Nome kColori[] = {
    {"black", 0x000000},   {"maroon", 0x800000}, {"green", 0x008000},   {"olive", 0x808000},
    {"navy", 0x000080},    {"purple", 0x800080}, {"teal", 0x008080},    {"gray", 0x808080},
    {"grey", 0x808080},    {"silver", 0xC0C0C0}, {"red", 0xFF0000},     {"lime", 0x00FF00},
    {"yellow", 0xFFFF00},  {"blue", 0x0000FF},   {"fuchsia", 0xFF00FF}, {"aqua", 0x00FFFF},
    {"white", 0xFFFFFF},   {"moneygreen", 0xC0DCC0}, {"skyblue", 0xA6CAF0}, {"cream", 0xFFFBF0},
    {"medgray", 0xA0A0A4}, {"ltgray", 0xC0C0C0}, {"dkgray", 0x808080},
};

// A tag at position i of the line (right after a "<"): its length and what it does.
struct Tag {
    int length = 0;
    enum Kind { None, Bold, Italic, Underline, Color } kind = None;
    bool on = true;
    std::optional<QColor> color;
};

Tag LeggiTag(const QString& line, int i)
{
    Tag t;
    const QString resto = line.mid(i).toLower();
    struct Semplice {
        const char* testo;
        Tag::Kind kind;
        bool on;
    };
    static const Semplice kSemplici[] = {{"<b>", Tag::Bold, true},       {"</b>", Tag::Bold, false},
                                         {"<i>", Tag::Italic, true},     {"</i>", Tag::Italic, false},
                                         {"<u>", Tag::Underline, true},  {"</u>", Tag::Underline, false}};
    for (const Semplice& s : kSemplici)
        if (resto.startsWith(QLatin1String(s.testo))) {
            t.length = static_cast<int>(std::strlen(s.testo));
            t.kind = s.kind;
            t.on = s.on;
            return t;
        }
    if (resto.startsWith(QLatin1String("<c:"))) {
        const int fine = resto.indexOf(QLatin1Char('>'), 3);
        if (fine > 0) {
            t.length = fine + 1;
            t.kind = Tag::Color;
            t.color = TRAhtLabel::ColorByName(line.mid(i + 3, fine - 3));
        }
    }
    return t;
}

} // namespace

TRAhtLabel::TRAhtLabel(QWidget* parent) : QWidget(parent) { Init(); }

TRAhtLabel::TRAhtLabel(const QString& caption, QWidget* parent) : QWidget(parent)
{
    Init();
    SetCaption(caption);
}

void TRAhtLabel::Init() { setAttribute(Qt::WA_OpaquePaintEvent, false); }

void TRAhtLabel::SetCaption(const QString& c)
{
    FCaption = c;
    setAccessibleName(PlainText(c).simplified());
    AdjustSize();
    update();
}

void TRAhtLabel::SetColor(const QColor& c)
{
    FColor = c;
    update();
}

void TRAhtLabel::SetFontColor(const QColor& c)
{
    FFontColor = c;
    update();
}

void TRAhtLabel::SetAlignment(TAlignment a)
{
    FAlignment = a;
    update();
}

void TRAhtLabel::SetLayout(TTextLayout l)
{
    FLayout = l;
    update();
}

void TRAhtLabel::SetTransparent(bool t)
{
    FTransparent = t;
    update();
}

void TRAhtLabel::SetAutoSize(bool a)
{
    FAutoSize = a;
    AdjustSize();
}

QStringList TRAhtLabel::Lines(const QString& caption)
{
    if (caption.isEmpty())
        return {};
    QString c = caption;
    c.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    c.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return c.split(QLatin1Char('\n'));
}

std::optional<QColor> TRAhtLabel::ColorByName(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    if (name.startsWith(QLatin1Char('$'))) {
        bool ok = false;
        const uint v = name.mid(1).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
    }
    const QString n = name.toLower();
    for (const Nome& c : kColori)
        if (n == QLatin1String(c.nome))
            return QColor::fromRgb(c.rgb);
    return std::nullopt;
}

std::vector<TRAhtLabel::Segment> TRAhtLabel::Segments(const QString& line) const
{
    std::vector<Segment> segs;
    Segment cur;
    cur.bold = font().bold();
    cur.italic = font().italic();
    cur.underline = font().underline();
    cur.color = FFontColor;
    int x = 2;
    auto chiudi = [&]() {
        if (cur.text.isEmpty())
            return;
        QFont f = font();
        f.setBold(cur.bold);
        f.setItalic(cur.italic);
        f.setUnderline(cur.underline);
        cur.x = x;
        x += QFontMetrics(f).horizontalAdvance(cur.text);
        segs.push_back(cur);
        cur.text.clear();
    };
    for (int i = 0; i < line.size();) {
        if (line[i] == QLatin1Char('<')) {
            const Tag t = LeggiTag(line, i);
            if (t.length > 0) {
                chiudi();
                switch (t.kind) {
                case Tag::Bold: cur.bold = t.on; break;
                case Tag::Italic: cur.italic = t.on; break;
                case Tag::Underline: cur.underline = t.on; break;
                case Tag::Color:
                    if (t.color)
                        cur.color = *t.color;
                    break;
                case Tag::None: break;
                }
                i += t.length;
                continue;
            }
        }
        cur.text += line[i++];
    }
    chiudi();
    return segs;
}

int TRAhtLabel::LineWidth(const QString& line) const
{
    const auto segs = Segments(line);
    if (segs.empty())
        return 4;
    QFont f = font();
    f.setBold(segs.back().bold);
    f.setItalic(segs.back().italic);
    f.setUnderline(segs.back().underline);
    return segs.back().x + QFontMetrics(f).horizontalAdvance(segs.back().text) + 2;
}

int TRAhtLabel::LineHeight() const { return QFontMetrics(font()).height(); }

QString TRAhtLabel::PlainText(const QString& caption)
{
    QStringList righe;
    for (const QString& l : Lines(caption)) {
        QString t;
        for (int i = 0; i < l.size();) {
            if (l[i] == QLatin1Char('<')) {
                const Tag tag = LeggiTag(l, i);
                if (tag.length > 0) {
                    i += tag.length;
                    continue;
                }
            }
            t += l[i++];
        }
        righe << t;
    }
    return righe.join(QLatin1Char('\n'));
}

void TRAhtLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!FTransparent)
        p.fillRect(rect(), FColor);
    const QStringList righe = Lines(FCaption);
    const int n = static_cast<int>(righe.size());
    for (int i = 0; i < n; ++i) {
        const int top = LineTop(i, n);
        const int left = LineLeft(righe[i]);
        for (const Segment& s : Segments(righe[i])) {
            QFont f = font();
            f.setBold(s.bold);
            f.setItalic(s.italic);
            f.setUnderline(s.underline);
            p.setFont(f);
            p.setPen(s.color);
            p.drawText(QPoint(left + s.x, top + QFontMetrics(f).ascent()), s.text);
        }
    }
}

int TRAhtLabel::LineTop(int i, int n) const
{
    const int h = LineHeight();
    if (FLayout == tlCenter)
        return (height() - n * h) / 2 + i * h;
    if (FLayout == tlBottom)
        return height() - (n - i) * h;
    return i * h;
}

int TRAhtLabel::LineLeft(const QString& line) const
{
    if (FAlignment == taRightJustify)
        return width() - LineWidth(line);
    if (FAlignment == taCenter)
        return (width() - LineWidth(line)) / 2;
    return 0;
}

void TRAhtLabel::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange)
        AdjustSize();
    QWidget::changeEvent(e);
}

void TRAhtLabel::AdjustSize()
{
    if (!FAutoSize)
        return;
    const QStringList righe = Lines(FCaption);
    int w = 0;
    for (const QString& l : righe)
        w = std::max(w, LineWidth(l));
    const int h = LineHeight() * static_cast<int>(righe.size());
    const int destra = x() + width();
    resize(w, h);
    if (FAlignment == taRightJustify)
        move(destra - w, y());
}
