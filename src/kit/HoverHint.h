#pragma once

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QQuickItem;

// The hint bubble of a control, set on the control as attached properties:
//
//     HoverHint.text: "Shuffle off"
//     HoverHint.hovering: hovered
//
// After the pointer has rested on the control for 0.3 s the bubble appears above it (or below it), and it
// goes as soon as the pointer leaves; every new entry waits the whole 0.3 s again. The bubble is drawn in
// the window's menu layer, mapped from the control, so that the clipping of a list and the order of
// siblings never hide it; it takes no input and is hidden from accessibility.
class HoverHint : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("HoverHint is set through its attached properties")
    QML_ATTACHED(HoverHint)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(Edge edge READ edge WRITE setEdge NOTIFY edgeChanged)
    Q_PROPERTY(bool hovering READ hovering WRITE setHovering NOTIFY hoveringChanged)
    Q_PROPERTY(bool shown READ shown NOTIFY shownChanged)
    // The drawn bubble while there is one (for tests and the layer).
    Q_PROPERTY(QQuickItem* bubble READ bubble NOTIFY bubbleChanged)
public:
    enum Edge { Top, Bottom };
    Q_ENUM(Edge)

    explicit HoverHint(QObject* target = nullptr);
    ~HoverHint() override;
    static HoverHint* qmlAttachedProperties(QObject* object);

    QString text() const { return m_text; }
    void setText(const QString& text);
    Edge edge() const { return m_edge; }
    void setEdge(Edge edge);
    bool hovering() const { return m_hovering; }
    void setHovering(bool hovering);
    bool shown() const { return m_shown; }
    QQuickItem* bubble() const { return m_bubble; }

    // Where the bubble of a control at `control` lies: centred on it, its top 26 px above the control's
    // top, or its bottom 26 px below the control's bottom.
    static QRectF bubbleFrame(const QRectF& control, double bubbleWidth, Edge edge);

signals:
    void textChanged();
    void edgeChanged();
    void hoveringChanged();
    void shownChanged();
    void bubbleChanged();

private:
    void setShown(bool shown);
    void place();
    QQuickItem* makeBubble();

    QQuickItem* m_target = nullptr;
    QString m_text;
    Edge m_edge = Top;
    bool m_hovering = false;
    bool m_shown = false;
    // Each entry or exit starts a new generation; a wait that finishes in an older one does nothing.
    quint64 m_generation = 0;
    QPointer<QQuickItem> m_bubble;
};
