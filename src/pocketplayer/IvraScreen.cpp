#include "IvraScreen.h"

#include "shell/artwork/ArtworkCache.h"
#include "shell/look/Symbols.h"
#include "shell/look/Theme.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRadialGradient>

namespace IvraScreen {

namespace {

bool isHd(IvraModel model) {
    return model == IvraModel::hd;
}

// The text of the screen in the interface font: sizes in points, since the painter works in points.
QFont screenFont(double size, QFont::Weight weight) {
    QFont font(Theme::fontFamily());
    font.setPointSizeF(size);
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void drawBackground(QPainter& p, IvraModel model, const QSizeF& size, const QImage& picture,
                    const Accent& accent) {
    const double opacity = backgroundOpacity(model);
    const QRectF bounds(QPointF(0, 0), size);
    if (!picture.isNull()) {
        // The cover fills the screen (aspect kept, overflow cut), darkened by black at 35 % and shown at
        // the model's opacity. Over the solid black beneath that is the cover at 0.65 × the opacity.
        const double scale = std::max(size.width() / picture.width(), size.height() / picture.height());
        const QSizeF drawn(picture.width() * scale, picture.height() * scale);
        const QRectF target(QPointF((size.width() - drawn.width()) / 2, (size.height() - drawn.height()) / 2),
                            drawn);
        p.save();
        p.setClipRect(bounds);
        p.setOpacity(opacity * 0.65);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, picture);
        p.restore();
        return;
    }
    const double h = size.height();
    QRadialGradient glow(QPointF(0.7 * size.width(), 0.75 * h), 0.9 * h);
    QColor to = accent.to, from = accent.from;
    to.setAlphaF(0.7 * to.alphaF());
    from.setAlphaF(0.45 * from.alphaF());
    glow.setColorAt(0, to);
    glow.setColorAt(0.5, from);
    glow.setColorAt(1, QColor(26, 6, 16));
    p.save();
    p.setOpacity(opacity);
    p.fillRect(bounds, glow);
    p.restore();
}

void drawMenu(QPainter& p, IvraModel model) {
    const double fs = menuFontSize(model);
    QFont font = screenFont(fs, QFont::Light);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -0.02 * fs);
    p.setFont(font);
    p.setPen(Qt::white);
    const QFontMetricsF metrics(font, p.device());
    const QPointF origin = menuOrigin(model);
    const double step = metrics.ascent() + metrics.descent() - menuOverlap(model) * fs;
    double baseline = origin.y() + metrics.ascent();
    // Each word on its own line at its natural width: what passes the screen's edge is cut by the clip.
    for (const QString& word : menu(model)) {
        p.drawText(QPointF(origin.x(), baseline), word);
        baseline += step;
    }
}

void drawStatus(QPainter& p, IvraModel model, const QSizeF& size) {
    const double w = size.width(), h = size.height();
    QColor white(255, 255, 255);
    white.setAlphaF(0.85);
    if (!isHd(model)) {
        // The battery alone, standing on end in the lower right corner.
        const double symbol = 0.05 * h;
        const double side = 1.7 * symbol;
        p.save();
        p.translate(0.92 * w, 0.92 * h);
        p.rotate(-90);
        Symbols::paint(p, QStringLiteral("battery.75percent"), QRectF(-side / 2, -side / 2, side, side),
                       white);
        p.restore();
        return;
    }
    // A bar along the top: the clock, then the battery at the right end.
    const double size2 = 0.026 * h;
    const QFont font = screenFont(size2, QFont::Normal);
    const QFontMetricsF metrics(font, p.device());
    const double barHeight = metrics.ascent() + metrics.descent();
    const double centreY = 0.012 * h + barHeight / 2;
    const double side = 1.7 * size2;
    const double right = w - 0.04 * w;
    Symbols::paint(p, QStringLiteral("battery.75percent"),
                   QRectF(right - side, centreY - side / 2, side, side), white);
    const QString clock = QStringLiteral("3:28");
    const double textRight = right - side - 0.008 * h;
    p.setFont(font);
    p.setPen(white);
    p.drawText(
        QPointF(textRight - metrics.horizontalAdvance(clock), centreY - barHeight / 2 + metrics.ascent()),
        clock);
}

} // namespace

QSize pointSize(IvraModel model) {
    return isHd(model) ? QSize(272, 480) : QSize(240, 320);
}

QSize pixelSize(IvraModel model) {
    return pointSize(model) * pixelsPerPoint;
}

QStringList menu(IvraModel model) {
    if (isHd(model))
        return {QStringLiteral("music"),    QStringLiteral("videos"),      QStringLiteral("pictures"),
                QStringLiteral("radio"),    QStringLiteral("marketplace"), QStringLiteral("social"),
                QStringLiteral("podcasts"), QStringLiteral("apps"),        QStringLiteral("internet"),
                QStringLiteral("settings")};
    return {QStringLiteral("music"),       QStringLiteral("videos"),  QStringLiteral("pictures"),
            QStringLiteral("social"),      QStringLiteral("radio"),   QStringLiteral("podcasts"),
            QStringLiteral("marketplace"), QStringLiteral("settings")};
}

double menuFontSize(IvraModel model) {
    return (isHd(model) ? 0.084 : 0.118) * pointSize(model).height();
}

double menuOverlap(IvraModel model) {
    return isHd(model) ? 0.18 : 0.12;
}

QPointF menuOrigin(IvraModel model) {
    const QSize s = pointSize(model);
    return isHd(model) ? QPointF(0.08 * s.width(), 0.07 * s.height())
                       : QPointF(0.06 * s.width(), 0.06 * s.height());
}

double backgroundOpacity(IvraModel model) {
    return isHd(model) ? 0.35 : 1.0;
}

QImage draw(IvraModel model, const QImage& picture, const Accent& accent) {
    QImage image(pixelSize(model), QImage::Format_ARGB32_Premultiplied);
    // 72 dots per inch: a font's point size is then its size in the painter's units, which are points.
    const int dotsPerMeter = qRound(72 / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::black);
    const QSizeF size = pointSize(model);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(pixelsPerPoint, pixelsPerPoint);
    p.setClipRect(QRectF(QPointF(0, 0), size));
    drawBackground(p, model, size, picture, accent);
    drawMenu(p, model);
    drawStatus(p, model, size);
    p.end();
    return image;
}

QFuture<QImage> render(IvraModel model, const QUrl& art, ArtworkCache* cache,
                       const std::function<Accent()>& accent, QObject* context) {
    if (art.isEmpty() || !art.isLocalFile() || !cache)
        return QtFuture::makeReadyFuture(draw(model, QImage(), accent ? accent() : Accent::magenta()));
    return cache->image(FileUrl::fromPath(art.toLocalFile()))
        .then(context, [model, accent](const QImage& picture) {
            return draw(model, picture, accent ? accent() : Accent::magenta());
        });
}

} // namespace IvraScreen
