#include "IvraFlatPicture.h"

#include "Face.h"
#include "IvraScreen.h"
#include "Lineup.h"
#include "shell/artwork/ArtworkCache.h"
#include "shell/look/AccentStore.h"
#include "shell/look/Theme.h"

#include <QPainter>
#include <QPointer>
#include <QQmlEngine>

IvraFlatPicture::IvraFlatPicture(QQuickItem* parent)
    : QQuickPaintedItem(parent), m_task([this](IvraModel model, const QUrl& art, QObject* context) {
          return m_renderer ? m_renderer(model, art, context) : renderWithEngine(model, art, context);
      }) {
    setAntialiasing(true);
    m_finish = Ivra::signature(m_model);
    const QSizeF size = frame(m_model, m_pointsPerMm);
    setImplicitSize(size.width(), size.height());
    connect(&m_task, &IvraScreenTask::screenChanged, this, [this] {
        emit screenChanged();
        update();
    });
    scheduleRender();
}

QSizeF IvraFlatPicture::frame(IvraModel model, double pointsPerMm) {
    const QSizeF face = Ivra::frontFace(model);
    return {face.width() * 1.08 * pointsPerMm, face.height() * 1.05 * pointsPerMm};
}

QString IvraFlatPicture::accessibleWord(IvraModel model) {
    return Lineup::lineName(model);
}

QString IvraFlatPicture::accessibleName() const {
    return accessibleWord(m_model) + QStringLiteral(", ") + m_finish.name;
}

void IvraFlatPicture::setModel(const QString& model) {
    const IvraModel m = Ivra::modelFromRaw(model).value_or(IvraModel::flash);
    if (m == m_model) return;
    m_model = m;
    const QSizeF size = frame(m_model, m_pointsPerMm);
    setImplicitSize(size.width(), size.height());
    emit modelChanged();
    emit accessibleNameChanged();
    scheduleRender();
    update();
}

void IvraFlatPicture::setFinish(const IvraFinish& finish) {
    if (finish == m_finish) return;
    m_finish = finish;
    emit finishChanged();
    emit accessibleNameChanged();
    // Only the body's colour changes: the screen is not drawn again.
    update();
}

void IvraFlatPicture::setArt(const QUrl& art) {
    if (art == m_art) return;
    m_art = art;
    emit artChanged();
    scheduleRender();
}

void IvraFlatPicture::setPointsPerMm(double scale) {
    if (scale == m_pointsPerMm || !(scale > 0)) return;
    m_pointsPerMm = scale;
    const QSizeF size = frame(m_model, m_pointsPerMm);
    setImplicitSize(size.width(), size.height());
    emit pointsPerMmChanged();
}

void IvraFlatPicture::setRenderer(IvraScreenTask::Renderer renderer) {
    m_renderer = std::move(renderer);
}

// The properties of a new picture arrive one by one while it is made: render once they all have.
void IvraFlatPicture::scheduleRender() {
    if (m_renderPending) return;
    m_renderPending = true;
    QMetaObject::invokeMethod(this, &IvraFlatPicture::renderNow, Qt::QueuedConnection);
}

void IvraFlatPicture::renderNow() {
    m_renderPending = false;
    m_task.show(m_model, m_art);
}

QFuture<QImage> IvraFlatPicture::renderWithEngine(IvraModel model, const QUrl& art, QObject* context) {
    QQmlEngine* engine = qmlEngine(this);
    ArtworkCache* cache = engine ? ArtworkCache::create(engine, nullptr) : nullptr;
    QPointer<AccentStore> accents = engine ? AccentStore::create(engine, nullptr) : nullptr;
    // The accent as it is when the screen is drawn, not the colour fading toward it.
    return IvraScreen::render(
        model, art, cache, [accents] { return accents ? accents->accent() : Accent::magenta(); }, context);
}

void IvraFlatPicture::paint(QPainter* painter) {
    const Face face(m_model);
    const QSizeF faceSize = face.size();
    const QSizeF framed = frame(m_model, 1);
    const double scale = std::min(width() / framed.width(), height() / framed.height());
    if (!(scale > 0)) return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->translate((width() - faceSize.width() * scale) / 2, (height() - faceSize.height() * scale) / 2);
    painter->scale(scale, scale);
    painter->setPen(Qt::NoPen);
    const quint32 top = m_finish.top;
    for (const Face::Part& part : face.parts()) {
        switch (part.fill) {
        case Face::Fill::metal:
            painter->setBrush(Materials::colour(top, 0));
            break;
        case Face::Fill::dark:
            painter->setBrush(Materials::colour(top, 0.3));
            break;
        case Face::Fill::paint:
            painter->setBrush(Materials::colour(top, 0.18));
            break;
        case Face::Fill::glass:
            painter->setBrush(QColor(5, 6, 8));
            break;
        case Face::Fill::plastic:
            painter->setBrush(QColor(8, 8, 8));
            break;
        case Face::Fill::chrome:
            painter->setBrush(QColor(222, 222, 224));
            break;
        case Face::Fill::display: {
            const QRectF display = part.outline.boundingRect();
            if (m_task.screen().isNull())
                painter->fillRect(display, Qt::black);
            else
                painter->drawImage(display, m_task.screen());
            continue;
        }
        case Face::Fill::print: {
            const QRectF logo = part.outline.boundingRect();
            QFont font(Theme::fontFamily());
            font.setPixelSize(std::max(1, qRound(logo.height() * scale)));
            painter->save();
            // The text is sized in device pixels, then drawn back at the face's scale.
            painter->scale(1 / scale, 1 / scale);
            painter->setFont(font);
            painter->setPen(QColor(255, 255, 255, 41));
            painter->drawText(QRectF(logo.topLeft() * scale, logo.size() * scale), Qt::AlignCenter,
                              QStringLiteral("ivra"));
            painter->restore();
            continue;
        }
        }
        painter->drawPath(part.outline);
    }
    painter->restore();
}
