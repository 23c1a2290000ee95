#pragma once

#include "IvraModel.h"
#include "IvraScreenTask.h"

#include <QQuickPaintedItem>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

// The pocket player seen from the front, drawn flat from the outlines of its face in the finish's colours,
// with its screen image in the display. It stands in for the lit 3-D picture where that cannot be drawn
// (the software scene graph, offscreen tests). `IvraDevice` is what the pages place.
class IvraFlatPicture : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    // "flash" or "hd"; any other text draws a flash.
    Q_PROPERTY(QString model READ modelText WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(IvraFinish finish READ finish WRITE setFinish NOTIFY finishChanged)
    // The song or picture whose cover the screen shows; empty for the accent glow.
    Q_PROPERTY(QUrl art READ art WRITE setArt NOTIFY artChanged)
    // Points per millimetre of the real player: the implicit size is the face with a margin at this scale.
    Q_PROPERTY(double pointsPerMm READ pointsPerMm WRITE setPointsPerMm NOTIFY pointsPerMmChanged)
    // "ivra hd, platinum": what a screen reader says of the whole picture.
    Q_PROPERTY(QString accessibleName READ accessibleName NOTIFY accessibleNameChanged)
    Q_PROPERTY(bool screenShown READ screenShown NOTIFY screenChanged)

public:
    explicit IvraFlatPicture(QQuickItem* parent = nullptr);

    QString modelText() const { return Ivra::rawValue(m_model); }
    IvraModel model() const { return m_model; }
    void setModel(const QString& model);
    IvraFinish finish() const { return m_finish; }
    void setFinish(const IvraFinish& finish);
    QUrl art() const { return m_art; }
    void setArt(const QUrl& art);
    double pointsPerMm() const { return m_pointsPerMm; }
    void setPointsPerMm(double scale);
    QString accessibleName() const;
    bool screenShown() const { return !m_task.screen().isNull(); }
    const QImage& screen() const { return m_task.screen(); }

    // The picture's frame: the front face with 8 % more width and 5 % more height, at `pointsPerMm`.
    static QSizeF frame(IvraModel model, double pointsPerMm);
    // What a screen reader calls a model: "ivra 4 · 8 · 16", "ivra hd".
    static QString accessibleWord(IvraModel model);

    // Tests hand in their own renderer before the first render.
    void setRenderer(IvraScreenTask::Renderer renderer);

    void paint(QPainter* painter) override;

signals:
    void modelChanged();
    void finishChanged();
    void artChanged();
    void pointsPerMmChanged();
    void accessibleNameChanged();
    void screenChanged();

private:
    void scheduleRender();
    void renderNow();
    QFuture<QImage> renderWithEngine(IvraModel model, const QUrl& art, QObject* context);

    IvraModel m_model = IvraModel::flash;
    IvraFinish m_finish;
    QUrl m_art;
    double m_pointsPerMm = 1;
    bool m_renderPending = false;
    IvraScreenTask::Renderer m_renderer;
    IvraScreenTask m_task;
};
