#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

// How the artist page moves with its scroll: the hero's height and the positions that follow from it, the
// name's glide from the hero into the bar, the bar's fade, and the hero's darkening, fade, stretch and
// parallax. A pure function of the scroll offset, the page's size and the reduce-motion setting; the view
// only binds to it.
class HeroMotion : public QObject {
    Q_OBJECT
    QML_ELEMENT
    // Inputs. `scrolled` is the page's offset: 0 at the top, growing as the page scrolls up, negative while
    // it is pulled down past its top.
    Q_PROPERTY(double scrolled READ scrolled WRITE setScrolled NOTIFY changed)
    Q_PROPERTY(double pageHeight READ pageHeight WRITE setPageHeight NOTIFY changed)
    Q_PROPERTY(double pageWidth READ pageWidth WRITE setPageWidth NOTIFY changed)
    Q_PROPERTY(bool reduceMotion READ reduceMotion WRITE setReduceMotion NOTIFY changed)

    Q_PROPERTY(double height READ height NOTIFY changed)
    Q_PROPERTY(double nameY READ nameY NOTIFY changed)
    Q_PROPERTY(double glideSpan READ glideSpan NOTIFY changed)
    Q_PROPERTY(double contentWidth READ contentWidth NOTIFY changed)
    Q_PROPERTY(double minimumContent READ minimumContent NOTIFY changed)
    Q_PROPERTY(double glide READ glide NOTIFY changed)
    Q_PROPERTY(double progress READ progress NOTIFY changed)
    Q_PROPERTY(double darkening READ darkening NOTIFY changed)
    Q_PROPERTY(double fade READ fade NOTIFY changed)
    Q_PROPERTY(double stretch READ stretch NOTIFY changed)
    Q_PROPERTY(double parallax READ parallax NOTIFY changed)
    Q_PROPERTY(double textRise READ textRise NOTIFY changed)
    Q_PROPERTY(double nameScale READ nameScale NOTIFY changed)
    Q_PROPERTY(double nameX READ nameX NOTIFY changed)
    Q_PROPERTY(double nameTop READ nameTop NOTIFY changed)
    Q_PROPERTY(bool barShown READ barShown NOTIFY changed)
    Q_PROPERTY(double barProgress READ barProgress NOTIFY changed)
    Q_PROPERTY(bool barTakesClicks READ barTakesClicks NOTIFY changed)

public:
    struct State {
        double height = 0;
        double nameY = 0;
        double glideSpan = 0;
        double contentWidth = 0;
        double minimumContent = 0;
        // g: how far the name has glided, 0 … 1.
        double glide = 0;
        // p: the bar's progress (a smoothstep over the last third of the glide), 0 … 1.
        double progress = 0;
        double darkening = 0;
        // How far the facts and buttons have faded, 0 … 1.
        double fade = 0;
        // The picture's scale about its bottom edge while the page is pulled down.
        double stretch = 1;
        // How far the picture moves down (half the scroll).
        double parallax = 0;
        // How far the facts and buttons move up.
        double textRise = 0;
        double nameScale = 1;
        double nameX = 32;
        // The gliding name's label top, from the top of the page.
        double nameTop = 0;
        // With reduce motion, the bar switches at glideSpan instead of fading along the glide.
        bool barShown = false;
        double barProgress = 0;
        bool barTakesClicks = false;
    };
    static State compute(double scrolled, double pageHeight, double pageWidth, bool reduceMotion);
    // The bar takes clicks and is read by screen readers only once it has nearly arrived.
    Q_INVOKABLE static bool takesClicks(double progress) { return progress > 0.9; }
    // The scrolling column's width in a page `width` wide: all of it, or what the open album's songs (380
    // and 36 between) leave; `songs` is how far the songs' column has come in (0 to 1), so the page column
    // narrows and widens with its arrival and departure.
    Q_INVOKABLE static double columnWidth(double width, double songs);
    // Where the songs' column stands in a page `width` wide when it has come in as far as `shown` (0 to 1):
    // it slides in from the trailing edge, or without reduce motion only fades there.
    Q_INVOKABLE static double songsX(double width, double shown, bool reduceMotion);
    // Where the page's offset goes to bring a cell (from `top` to `bottom` in the page's content) into a
    // view `viewHeight` high now at `offset`: nowhere when it shows whole, else just far enough, and to its
    // top when it is higher than the view.
    Q_INVOKABLE static double revealOffset(double top, double bottom, double offset, double viewHeight);

    explicit HeroMotion(QObject* parent = nullptr) : QObject(parent) { update(); }

    double scrolled() const { return m_scrolled; }
    void setScrolled(double v);
    double pageHeight() const { return m_height; }
    void setPageHeight(double v);
    double pageWidth() const { return m_width; }
    void setPageWidth(double v);
    bool reduceMotion() const { return m_reduce; }
    void setReduceMotion(bool v);

    double height() const { return m_s.height; }
    double nameY() const { return m_s.nameY; }
    double glideSpan() const { return m_s.glideSpan; }
    double contentWidth() const { return m_s.contentWidth; }
    double minimumContent() const { return m_s.minimumContent; }
    double glide() const { return m_s.glide; }
    double progress() const { return m_s.progress; }
    double darkening() const { return m_s.darkening; }
    double fade() const { return m_s.fade; }
    double stretch() const { return m_s.stretch; }
    double parallax() const { return m_s.parallax; }
    double textRise() const { return m_s.textRise; }
    double nameScale() const { return m_s.nameScale; }
    double nameX() const { return m_s.nameX; }
    double nameTop() const { return m_s.nameTop; }
    bool barShown() const { return m_s.barShown; }
    double barProgress() const { return m_s.barProgress; }
    bool barTakesClicks() const { return m_s.barTakesClicks; }

signals:
    void changed();

private:
    void update();

    double m_scrolled = 0;
    double m_height = 800;
    double m_width = 1000;
    bool m_reduce = false;
    State m_s;
};
