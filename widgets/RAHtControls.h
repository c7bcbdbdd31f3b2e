// TRAhtLabel: a label whose caption may switch bold, italic, underline and
// the text colour in the middle of a line with a small tag markup:
// <b> </b> <i> </i> <u> </u> <c:Name> <c:$BBGGRR>. Every line starts again
// with the label's own style and colour.
#pragma once

#include <QColor>
#include <QWidget>

#include <optional>
#include <vector>

class TRAhtLabel : public QWidget {
    Q_OBJECT
public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    enum TTextLayout { tlTop, tlCenter, tlBottom };

    explicit TRAhtLabel(QWidget* parent = nullptr);
    TRAhtLabel(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& c);
    QColor Color() const { return FColor; }
    void SetColor(const QColor& c);
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& c);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout l);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool t);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool a);

    // One drawn piece of a line: its text, style, colour and left column.
    struct Segment {
        QString text;
        bool bold = false, italic = false, underline = false;
        QColor color;
        int x = 0;
    };
    // The caption cut into lines, as drawn.
    static QStringList Lines(const QString& caption);
    // The segments of one line laid out from x = 2 in the label's font.
    std::vector<Segment> Segments(const QString& line) const;
    int LineWidth(const QString& line) const;
    int LineHeight() const;
    // Where line i of n is drawn in the label's client area.
    int LineTop(int i, int n) const;
    int LineLeft(const QString& line) const;
    // The caption without its tags (what a screen reader says).
    static QString PlainText(const QString& caption);
    // A colour name after "<c:": a named colour or "$" and a hexadecimal
    // 0xBBGGRR value; nothing when unknown.
    static std::optional<QColor> ColorByName(const QString& name);

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    void Init();
    void AdjustSize();

    QString FCaption;
    QColor FColor{255, 255, 255};
    QColor FFontColor{0, 0, 0};
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FTransparent = false;
    bool FAutoSize = false;
};
