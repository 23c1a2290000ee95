#include "HeroMotion.h"

#include <algorithm>
#include <cmath>

namespace {
double clamp01(double v) {
    // Not a number counts as 0.
    if (!(v > 0)) return 0;
    return std::min(v, 1.0);
}
} // namespace

HeroMotion::State HeroMotion::compute(double scrolled, double pageHeight, double pageWidth, bool reduce) {
    State s;
    if (!std::isfinite(scrolled)) scrolled = 0;
    // 0.42 of the page, halves away from zero, kept between 270 and 360.
    s.height = std::clamp(std::round(0.42 * pageHeight), 270.0, 360.0);
    // The middle of the name line: the bottom padding 26, the buttons 44, a gap 6, the facts 16, a gap 6 and
    // half the 86 of the name line, from the bottom of the hero.
    s.nameY = s.height - 141;
    // Where the name's middle meets the bar's, 28 below the top of the page.
    s.glideSpan = s.height - 169;
    s.contentWidth = std::max(pageWidth - 64, 260.0);
    // Every page can scroll by at least height − 56, more than the glide needs.
    s.minimumContent = s.height + pageHeight - 56;

    const double g = clamp01(scrolled / s.glideSpan);
    s.glide = g;
    const double t = clamp01((g - 0.66) / 0.34);
    s.progress = t * t * (3 - 2 * t);

    const double f = std::min(1.5 * g, 1.0);
    s.darkening = f * 0.5;
    s.fade = f;
    s.stretch = !reduce && scrolled < 0 ? 1 - scrolled / s.height : 1;
    s.parallax = !reduce && scrolled > 0 ? scrolled * 0.5 : 0;
    s.textRise = !reduce && scrolled > 0 ? 0.15 * scrolled : 0;

    s.nameScale = 1 - 0.6388888888888888 * g;
    s.nameX = 32 + 30 * g;
    s.nameTop = std::max(s.nameY - scrolled, 28.0) - 43;

    s.barShown = s.glideSpan < scrolled;
    s.barProgress = reduce ? (s.barShown ? 1 : 0) : s.progress;
    s.barTakesClicks = takesClicks(s.barProgress);
    return s;
}

double HeroMotion::columnWidth(double width, double songs) {
    return std::max(width - std::clamp(songs, 0.0, 1.0) * (380 + 36), 0.0);
}

double HeroMotion::songsX(double width, double shown, bool reduceMotion) {
    return width - 380 + (reduceMotion ? 0.0 : (1 - std::clamp(shown, 0.0, 1.0)) * 380);
}

double HeroMotion::revealOffset(double top, double bottom, double offset, double viewHeight) {
    if (top < offset || bottom - top > viewHeight) return top;
    if (bottom > offset + viewHeight) return bottom - viewHeight;
    return offset;
}

void HeroMotion::setScrolled(double v) {
    if (m_scrolled == v) return;
    m_scrolled = v;
    update();
}

void HeroMotion::setPageHeight(double v) {
    if (m_height == v) return;
    m_height = v;
    update();
}

void HeroMotion::setPageWidth(double v) {
    if (m_width == v) return;
    m_width = v;
    update();
}

void HeroMotion::setReduceMotion(bool v) {
    if (m_reduce == v) return;
    m_reduce = v;
    update();
}

void HeroMotion::update() {
    m_s = compute(m_scrolled, m_height, m_width, m_reduce);
    emit changed();
}
