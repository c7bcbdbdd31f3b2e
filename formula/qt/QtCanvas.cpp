#include "QtCanvas.h"

#include <QStaticText>

#include <functional>
#include <list>
#include <optional>

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QResource>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_map>

#include "ExprMake.h"

namespace mevario {

namespace {

QString gSerif = QStringLiteral("Liberation Serif");
QString gComic = QStringLiteral("Comic Neue");
QString gTahoma = QStringLiteral("Tahoma");
QString gTahomaGrassetto = QStringLiteral("Tahoma");

// Adds a font of the program to the application's fonts; `famiglia` becomes
// the family name it registered.
void AggiungiFont(const QString& file, QString& famiglia)
{
    // An embedded font is read where it lies in the program (its resources
    // are stored uncompressed): no copy of it in memory.
    const QResource r(file);
    const int id = r.isValid() && r.compressionAlgorithm() == QResource::NoCompression
                       ? QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(
                             reinterpret_cast<const char*>(r.data()), static_cast<qsizetype>(r.size())))
                       : QFontDatabase::addApplicationFont(file);
    if (id >= 0) {
        const QStringList f = QFontDatabase::applicationFontFamilies(id);
        if (!f.isEmpty())
            famiglia = f.front();
    }
}

// The serif of the formulas and the answer fields ("Times New Roman"),
// registered when it is first asked for: the main window shows none.
void RegistraSerif()
{
    static bool fatto = false;
    if (fatto || !QGuiApplication::instance())
        return;
    fatto = true;
    for (const char* f : {"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf", "LiberationSerif-Italic.ttf",
                          "LiberationSerif-BoldItalic.ttf"})
        AggiungiFont(QStringLiteral(":/fonts/") + QLatin1String(f), gSerif);
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), gSerif);
}

QString Famiglia(const std::string& name)
{
    const QString n = QString::fromStdString(name);
    if (n.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0) {
        RegistraSerif();
        return gSerif;
    }
    if (n.compare(QLatin1String("Comic Sans MS"), Qt::CaseInsensitive) == 0)
        return gComic;
    if (n.compare(QLatin1String("Tahoma"), Qt::CaseInsensitive) == 0)
        return gTahoma;
    return n;
}

QString Unicode(const std::string& text)
{
    const std::u16string u = NarrowToUnicode(text);
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

// Pixel centres: the outline of a filled shape passes through the middle of
// its corner pixels, so a shape from (l, t) covers pixel (l, t) as on paper.
QPointF Centro(const TExprPoint& p) { return QPointF(p.x + 0.5, p.y + 0.5); }

} // namespace

void RegistraFontMevario()
{
    static bool fatto = false;
    if (fatto || !QGuiApplication::instance())
        return;
    fatto = true;
    for (const char* f : {"ComicNeue-Regular.otf", "ComicNeue-Bold.otf", "ComicNeue-Italic.otf", "ComicNeue-BoldItalic.otf"})
        AggiungiFont(QStringLiteral(":/fonts/") + QLatin1String(f), gComic);
    // The bold of Tahoma's texts: the bold Tahoma of the fonts package draws
    // no heavier stems than its regular face, only wider ones. Liberation
    // Sans Bold is truly bold and nearly as wide.
    AggiungiFont(QStringLiteral(":/fonts/LiberationSans-Bold.ttf"), gTahomaGrassetto);
    // Tahoma comes from Debian's fonts-wine, where the package puts it.
    for (const char* f : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        if (QFile::exists(QLatin1String(f)))
            AggiungiFont(QLatin1String(f), gTahoma);
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), gComic);
    if (gTahoma != QLatin1String("Tahoma") || QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        QFont::insertSubstitution(QStringLiteral("Tahoma"), gTahoma);
    else
        QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")});
}

QFont CaratterePagina(const QString& famiglia, int px, bool grassetto)
{
    RegistraFontMevario();
    if (famiglia.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        RegistraSerif();
    QFont f(grassetto && famiglia == QLatin1String("Tahoma") ? gTahomaGrassetto : famiglia);
    f.setPixelSize(px);
    f.setBold(grassetto);
    return f;
}

QFont QtFont(const TExprFont& f)
{
    RegistraFontMevario();
    QFont q(Famiglia(f.Name));
    // A negative height is the character (em) height; a positive one the
    // cell height, of which the em is about nine tenths in these faces.
    const int px = f.Height < 0 ? -f.Height : std::max(1, static_cast<int>(std::lround(f.Height * 0.9)));
    q.setPixelSize(std::max(1, px));
    q.setBold(f.Bold);
    q.setItalic(f.Italic);
    q.setUnderline(f.Underline);
    q.setStrikeOut(f.StrikeOut);
    q.setKerning(false);
    q.setHintingPreference(QFont::PreferNoHinting);
    // Grey anti-aliasing everywhere: a formula's texts are kept as pictures
    // with transparency, where coloured sub-pixel edges cannot be made, and
    // a formula must look the same whichever way it was drawn.
    q.setStyleStrategy(QFont::NoSubpixelAntialias);
    return q;
}

QColor QtColor(TColor c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

TColor DaQColor(const QColor& c)
{
    return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) | (static_cast<TColor>(c.blue()) << 16);
}

// The canvas sets pen, brush and font on the painter only when they change,
// and gives the painter back as it had it.
TQtCanvas::TQtCanvas(QPainter* painter, int ppiX, int ppiY) : FPainter(painter), FPpiX(ppiX), FPpiY(ppiY)
{
    if (FPainter) {
        FPainter->save();
        FPainter->setRenderHint(QPainter::Antialiasing, true);
        FPainter->setRenderHint(QPainter::TextAntialiasing, true);
    }
}

TQtCanvas::~TQtCanvas()
{
    if (FPainter)
        FPainter->restore();
}

namespace {
// The same font, the cheap differences looked at first: a formula changes
// font at almost every node, and most fonts differ only in size or style.
bool StessoCarattere(const TExprFont& a, const TExprFont& b)
{
    return a.Height == b.Height && a.Bold == b.Bold && a.Italic == b.Italic && a.Underline == b.Underline &&
           a.StrikeOut == b.StrikeOut && a.Charset == b.Charset && a.Name == b.Name;
}
} // namespace

void TQtCanvas::SetFont(const TExprFont& font)
{
    if (FCorrente && StessoCarattere(font, FFont))
        return;
    FFont = font;
    FCorrente = nullptr;
}

// A resolved font with its metrics and the extents already measured in it.
// Fonts and measures do not change during a run, so they are kept for the
// whole program (formula trees are not: they live for one paint).
struct TQtCanvas::Risolto {
    QFont font;
    QFontMetrics fm;
    QFontMetricsF fmf;
    int ascent;
    int descent;
    std::unordered_map<std::string, int> larghezze;
    std::unordered_map<char16_t, std::pair<bool, TExprGlyphMetrics>> glifi;
    std::unordered_map<char16_t, std::pair<int, int>> sporgenze; // left and right bearings
};

namespace {
std::vector<std::pair<TExprFont, std::unique_ptr<TQtCanvas::Risolto>>>& FontRisolti()
{
    static std::vector<std::pair<TExprFont, std::unique_ptr<TQtCanvas::Risolto>>> risolti;
    return risolti;
}
} // namespace

TQtCanvas::Risolto& TQtCanvas::Corrente()
{
    if (!FCorrente) {
        auto& risolti = FontRisolti();
        for (const auto& [font, risolto] : risolti)
            if (StessoCarattere(font, FFont)) {
                FCorrente = risolto.get();
                return *FCorrente;
            }
        const QFont q = QtFont(FFont);
        const QFontMetrics fm(q);
        risolti.emplace_back(FFont, std::unique_ptr<Risolto>(new Risolto{q, fm, QFontMetricsF(q), fm.ascent(), fm.descent(), {}, {}, {}}));
        FCorrente = risolti.back().second.get();
    }
    return *FCorrente;
}

TExprSize TQtCanvas::TextExtent(const std::string& text)
{
    Risolto& r = Corrente();
    auto it = r.larghezze.find(text);
    if (it == r.larghezze.end()) {
        if (r.larghezze.size() > 4096)
            r.larghezze.clear(); // pupils type many different texts; keep it small
        it = r.larghezze.emplace(text, r.fm.horizontalAdvance(Unicode(text))).first;
    }
    return {it->second, r.ascent + r.descent};
}

TExprSize TQtCanvas::TextExtentW(char16_t code)
{
    Risolto& r = Corrente();
    const std::string chiave = "\x01" + std::to_string(code);
    auto it = r.larghezze.find(chiave);
    if (it == r.larghezze.end())
        it = r.larghezze.emplace(chiave, r.fm.horizontalAdvance(QChar(code))).first;
    return {it->second, r.ascent + r.descent};
}

bool TQtCanvas::CharOverhangs(char16_t code, int& a, int& c)
{
    Risolto& r = Corrente();
    auto it = r.sporgenze.find(code);
    if (it == r.sporgenze.end())
        it = r.sporgenze
                 .emplace(code, std::pair(static_cast<int>(std::lround(r.fmf.leftBearing(QChar(code)))),
                                          static_cast<int>(std::lround(r.fmf.rightBearing(QChar(code))))))
                 .first;
    a = it->second.first;
    c = it->second.second;
    return true;
}

bool TQtCanvas::GlyphMetrics(char16_t code, TExprGlyphMetrics& m)
{
    Risolto& r = Corrente();
    auto it = r.glifi.find(code);
    if (it == r.glifi.end()) {
        TExprGlyphMetrics g;
        bool ok = r.fm.inFontUcs4(code);
        if (ok) {
            // The ink box in whole pixels, rounded outwards as a rasteriser covers it.
            const QRectF ink = r.fmf.boundingRect(QChar(code));
            ok = !ink.isEmpty();
            const int left = static_cast<int>(std::floor(ink.left()));
            const int top = static_cast<int>(std::floor(ink.top()));
            g.BlackBoxX = static_cast<int>(std::ceil(ink.right())) - left;
            g.BlackBoxY = static_cast<int>(std::ceil(ink.bottom())) - top;
            g.OriginX = left;
            g.OriginY = -top;
            g.CellIncX = r.fm.horizontalAdvance(QChar(code));
        }
        it = r.glifi.emplace(code, std::make_pair(ok, g)).first;
    }
    m = it->second.second;
    return it->second.first;
}

int TQtCanvas::Ascent() { return Corrente().ascent; }
int TQtCanvas::Descent() { return Corrente().descent; }

void TQtCanvas::SetPen(TColor color, int width)
{
    FPen = color;
    FPenWidth = std::max(1, width);
}

void TQtCanvas::SetBrush(TColor color) { FBrush = color; }

void TQtCanvas::Penna(TColor colore, int spessore)
{
    if (FPennaDipinta && FPennaDipinta->first == colore && FPennaDipinta->second == spessore)
        return;
    FPainter->setPen(QPen(QtColor(colore), spessore));
    FPennaDipinta.emplace(colore, spessore);
}

void TQtCanvas::Pennello(std::optional<TColor> colore)
{
    if (FPennelloNoto && FPennelloDipinto == colore)
        return;
    if (colore)
        FPainter->setBrush(QtColor(*colore));
    else
        FPainter->setBrush(Qt::NoBrush);
    FPennelloDipinto = colore;
    FPennelloNoto = true;
}

void TQtCanvas::FillRect(int left, int top, int right, int bottom)
{
    if (!FPainter || right <= left || bottom <= top)
        return;
    FPainter->fillRect(QRect(left, top, right - left, bottom - top), QtColor(FBrush));
}

void TQtCanvas::Polygon(const std::vector<TExprPoint>& points)
{
    if (!FPainter || points.empty())
        return;
    QPolygonF poly;
    for (const auto& p : points)
        poly << Centro(p);
    Penna(FPen, FPenWidth);
    Pennello(FBrush);
    FPainter->drawPolygon(poly);
}

void TQtCanvas::Ellipse(int left, int top, int right, int bottom)
{
    if (!FPainter)
        return;
    Penna(FPen, FPenWidth);
    Pennello(FBrush);
    FPainter->drawEllipse(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
}

void TQtCanvas::FrameEllipse(int left, int top, int right, int bottom)
{
    if (!FPainter)
        return;
    Penna(FPen, FPenWidth);
    Pennello(std::nullopt);
    FPainter->drawEllipse(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
}

void TQtCanvas::Line(int x1, int y1, int x2, int y2)
{
    if (!FPainter)
        return;
    Penna(FPen, FPenWidth);
    FPainter->drawLine(Centro({x1, y1}), Centro({x2, y2}));
}

namespace {

// The outline through the points (a start point, then three per curve),
// moved by (-dx, -dy).
QPainterPath Contorno(const std::vector<TExprPoint>& points, int dx, int dy)
{
    QPainterPath path;
    const auto c = [dx, dy](const TExprPoint& p) { return Centro({p.x - dx, p.y - dy}); };
    path.moveTo(c(points[0]));
    for (std::size_t i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(c(points[i]), c(points[i + 1]), c(points[i + 2]));
    path.closeSubpath();
    return path;
}

// True when the painter puts whole pixels on a raster device: a picture of
// the shape drawn there looks exactly like the shape. Printers and PDF files
// (and scaled painters) get the vector outline.
bool PixelInteri(const QPainter& p)
{
    const QPaintDevice* d = p.device();
    if (!d || (d->devType() != QInternal::Image && d->devType() != QInternal::Pixmap &&
               d->devType() != QInternal::Widget))
        return false;
    const QTransform& t = p.transform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy()) &&
           d->devicePixelRatio() == 1 && p.compositionMode() == QPainter::CompositionMode_SourceOver;
}

// Brackets and braces drawn once as pictures and then copied: the same few
// shapes come back in every formula, and filling a curved outline costs
// many times a copy. Bounded: emptied when it holds too many.
class TContorniPreparati {
public:
    static constexpr std::size_t Massimo = 512;

    const QImage& Immagine(const std::vector<TExprPoint>& punti, int minX, int minY, int margine, QRgb penna,
                           QRgb pennello, int spessore, QPainter::RenderHints suggerimenti)
    {
        std::string chiave;
        chiave.reserve(punti.size() * 8 + 16);
        const auto aggiungi = [&chiave](auto v) { chiave.append(reinterpret_cast<const char*>(&v), sizeof v); };
        for (const TExprPoint& p : punti) {
            aggiungi(p.x - minX);
            aggiungi(p.y - minY);
        }
        aggiungi(penna);
        aggiungi(pennello);
        aggiungi(spessore);
        aggiungi(static_cast<int>(suggerimenti));
        if (const auto it = FImmagini.find(chiave); it != FImmagini.end())
            return it->second;
        if (FImmagini.size() >= Massimo)
            FImmagini.clear();
        int maxX = minX, maxY = minY;
        for (const TExprPoint& p : punti) {
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
        QImage img(maxX - minX + 1 + 2 * margine, maxY - minY + 1 + 2 * margine, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHints(suggerimenti);
        p.setPen(QPen(QColor::fromRgba(penna), spessore));
        p.setBrush(QColor::fromRgba(pennello));
        p.drawPath(Contorno(punti, minX - margine, minY - margine));
        p.end();
        return FImmagini.emplace(std::move(chiave), std::move(img)).first->second;
    }

private:
    std::unordered_map<std::string, QImage> FImmagini;
};

} // namespace

void TQtCanvas::BezierPath(const std::vector<TExprPoint>& points)
{
    if (!FPainter || points.empty())
        return;
    int minX = points[0].x, minY = points[0].y;
    for (const TExprPoint& p : points) {
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
    }
    if (PixelInteri(*FPainter)) {
        static TContorniPreparati preparati;
        const int margine = FPenWidth / 2 + 2;
        const QImage& img = preparati.Immagine(points, minX, minY, margine, QtColor(FPen).rgba(),
                                               QtColor(FBrush).rgba(), FPenWidth, FPainter->renderHints());
        FPainter->drawImage(QPoint(minX - margine, minY - margine), img);
        return;
    }
    Penna(FPen, FPenWidth);
    Pennello(FBrush);
    FPainter->drawPath(Contorno(points, 0, 0));
}

namespace {

// The most recently used things made from a key, the oldest going when their
// costs add up to more than the most that is kept.
template <class T>
class TUsatiDiRecente {
public:
    explicit TUsatiDiRecente(std::size_t massimo) : FMassimo(massimo) {}

    // What `crea` made for `chiave`; `costo` tells what a thing weighs.
    template <class Crea, class Costo>
    const T& Trova(const std::string& chiave, Crea&& crea, Costo&& costo)
    {
        const auto it = FIndice.find(chiave);
        if (it != FIndice.end()) {
            FUso.splice(FUso.begin(), FUso, it->second); // most recently used first
            return it->second->valore;
        }
        Voce v{chiave, crea(), 0};
        v.costo = costo(v.valore);
        FCosto += v.costo;
        FUso.push_front(std::move(v));
        FIndice.emplace(FUso.front().chiave, FUso.begin());
        while (FCosto > FMassimo && FUso.size() > 1) {
            FCosto -= FUso.back().costo;
            FIndice.erase(FUso.back().chiave);
            FUso.pop_back();
        }
        return FUso.front().valore;
    }
    std::size_t Numero() const { return FUso.size(); }

private:
    struct Voce {
        std::string chiave;
        T valore;
        std::size_t costo;
    };
    std::size_t FMassimo;
    std::size_t FCosto = 0;
    std::list<Voce> FUso;
    // Keys point into the list's entries, which never move.
    std::unordered_map<std::string_view, typename std::list<Voce>::iterator> FIndice;
};

// Texts shaped once and drawn again as they are, for painters that are not
// on whole pixels (printers, PDF files, turned text): for each resolved font
// and text its laid-out glyphs, at most two thousand (about 1.5 MB when full).
constexpr std::size_t MassimoCaratteriPreparati = 256;

TUsatiDiRecente<QStaticText>& TestiPreparati()
{
    static TUsatiDiRecente<QStaticText> t(2048);
    return t;
}

// On whole pixels of a raster device each text is drawn once into a picture
// of its ink and copied from then on: blending every glyph of every paint
// anew cost more than all the rest of a formula. The picture holds exactly
// the pixels the glyphs would have put there, since the text starts on a
// whole pixel both times.
struct TTestoDipinto {
    QImage immagine;      // null for a text without ink
    QPoint scarto;        // the picture's corner from the start of the baseline
    bool comeGlifi = false; // too big to keep: drawn as glyphs every time
};

constexpr long long MassimoPixelTestoDipinto = 1200 * 200;

constexpr std::size_t MassimoByteTestiDipinti = 512 * 1024;

TUsatiDiRecente<TTestoDipinto>& TestiDipinti()
{
    static TUsatiDiRecente<TTestoDipinto> t(MassimoByteTestiDipinti);
    return t;
}

QStaticText Preparato(const QString& s, const QFont& font)
{
    QStaticText t(s);
    t.setTextFormat(Qt::PlainText);
    t.setPerformanceHint(QStaticText::AggressiveCaching);
    t.prepare(QTransform(), font);
    return t;
}

TTestoDipinto Dipingi(const TQtCanvas::Risolto& r, const QString& s, const QColor& colore,
                      QPainter::RenderHints suggerimenti)
{
    // Room for every pixel the glyphs cover and for the text's line box,
    // where underline and strike-out lie; the picture is cut to its ink below.
    const QRectF ink = r.fmf.boundingRect(s) | QRectF(0, -r.fmf.ascent(), r.fmf.horizontalAdvance(s), r.fmf.height());
    // Two pixels of margin: anti-aliasing reaches past the outline's box.
    const int l = static_cast<int>(std::floor(ink.left())) - 2;
    const int t = static_cast<int>(std::floor(ink.top())) - 2;
    const int w = static_cast<int>(std::ceil(ink.right())) + 2 - l;
    const int h = static_cast<int>(std::ceil(ink.bottom())) + 2 - t;
    // A text far longer or taller than a formula line is drawn as glyphs each
    // time, not kept: its picture would weigh megabytes.
    if (static_cast<long long>(w) * h > MassimoPixelTestoDipinto)
        return {QImage(), QPoint(), true};
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHints(suggerimenti);
    p.setFont(r.font);
    p.setPen(colore);
    p.drawStaticText(QPointF(-l, -t - r.fmf.ascent()), Preparato(s, r.font));
    p.end();
    // Only the pixels that were touched are kept: every copy blends the
    // whole picture.
    int x0 = w, x1 = -1, y0 = h, y1 = -1;
    for (int y = 0; y < h; ++y) {
        const auto* riga = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(riga[x]) != 0) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    }
    if (x1 < 0)
        return {};
    return {img.copy(x0, y0, x1 - x0 + 1, y1 - y0 + 1), QPoint(l + x0, t + y0)};
}

} // namespace

std::size_t TestiPreparatiInMemoria() { return TestiPreparati().Numero() + TestiDipinti().Numero(); }

void TQtCanvas::Scrivi(int x, int y, std::string chiave, const std::function<QString()>& unicode)
{
    if (!FPainter)
        return;
    Risolto& r = Corrente();
    const Risolto* font = &r;
    chiave.append(reinterpret_cast<const char*>(&font), sizeof font);
    if (PixelInteri(*FPainter)) {
        const QRgb colore = QtColor(FFontColor).rgba();
        const QPainter::RenderHints suggerimenti = FPainter->renderHints();
        const int bitSuggerimenti = static_cast<int>(suggerimenti);
        chiave.append(reinterpret_cast<const char*>(&colore), sizeof colore);
        chiave.append(reinterpret_cast<const char*>(&bitSuggerimenti), sizeof bitSuggerimenti);
        const TTestoDipinto& t = TestiDipinti().Trova(
            chiave, [&] { return Dipingi(r, unicode(), QColor::fromRgba(colore), suggerimenti); },
            [](const TTestoDipinto& d) { return static_cast<std::size_t>(d.immagine.sizeInBytes()) + 256; });
        if (!t.comeGlifi) {
            if (!t.immagine.isNull())
                FPainter->drawImage(QPoint(x + t.scarto.x(), y + r.ascent + t.scarto.y()), t.immagine);
            return;
        }
    }
    // Font and pen go to the painter only when they change.
    if (FFontDipinto != &r) {
        FPainter->setFont(r.font);
        FFontDipinto = &r;
    }
    Penna(FFontColor, 1);
    if (chiave.size() > MassimoCaratteriPreparati) {
        // Not kept: a pupil typing into a very long text would fill memory
        // with its shapes, one for every key.
        FPainter->drawText(QPointF(x, y + r.ascent), unicode());
        return;
    }
    const QStaticText& t = TestiPreparati().Trova(
        chiave, [&] { return Preparato(unicode(), r.font); }, [](const QStaticText&) { return std::size_t{1}; });
    FPainter->drawStaticText(QPointF(x, y + r.ascent - r.fmf.ascent()), t);
}

void TQtCanvas::Testo(int x, int y, const QString& s)
{
    const QByteArray u = s.toUtf8();
    Scrivi(x, y, std::string("W") + std::string(u.constData(), static_cast<std::size_t>(u.size())), [&s] { return s; });
}

void TQtCanvas::TextOut(int x, int y, const std::string& text)
{
    Scrivi(x, y, "N" + text, [&text] { return Unicode(text); });
}

void TQtCanvas::TextOutW(int x, int y, char16_t code)
{
    Scrivi(x, y, std::string("C") + static_cast<char>(code & 0xFF) + static_cast<char>(code >> 8),
           [code] { return QString(QChar(code)); });
}

void TQtCanvas::TextOutRotated180(int x, int y, char16_t code)
{
    if (!FPainter)
        return;
    FPainter->save();
    FPainter->translate(x, y);
    FPainter->rotate(180);
    Testo(0, 0, QString(QChar(code)));
    FPainter->restore();
    // The painter's font and pen are back to what they were before the turn,
    // which is not what was last set on it.
    FFontDipinto = nullptr;
    FPennaDipinta.reset();
}

int FormulaPoints(TFormulaVariant v)
{
    switch (v) {
    case TFormulaVariant::PaintBoxCentered: return 20;
    case TFormulaVariant::ControlCentered: return 16;
    case TFormulaVariant::ControlLeft: return 18;
    }
    return 20;
}

void DrawExprTree(QPainter& painter, int w, int h, TExprClass* root, TFormulaVariant variant, TColor background,
                  TColor color, int ppi, int points)
{
    painter.fillRect(QRect(0, 0, w, h), QtColor(background));
    if (!root)
        return;
    TQtCanvas canvas(&painter, ppi, ppi);
    root->SetCanvas(&canvas);
    root->SetFontSize(points > 0 ? points : FormulaPoints(variant));
    root->SetColor(color);
    if (variant == TFormulaVariant::ControlLeft)
        root->Draw(0, h / 2, THorzAlign::Left, TVertAlign::MidLine);
    else
        root->Draw(w / 2, h / 2, THorzAlign::Center, TVertAlign::MidLine);
    // The canvas lives only for this drawing.
    root->SetCanvas(nullptr);
}

} // namespace mevario

namespace mevario {

void DrawFormula(QPainter& painter, int w, int h, const std::string& formula, TFormulaVariant variant,
                 TColor background, TColor color, int ppi)
{
    PExpr root;
    if (!formula.empty()) {
        try {
            root = TExprBuilder().ParseFormula(formula);
        } catch (...) {
            painter.fillRect(QRect(0, 0, w, h), QtColor(background));
            throw;
        }
    }
    DrawExprTree(painter, w, h, root.get(), variant, background, color, ppi);
}

} // namespace mevario
