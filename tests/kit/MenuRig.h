#pragma once

#include "kit/DropMenu.h"
#include "kit/MenuController.h"

#include <QObject>
#include <map>
#include <vector>

// Time stepped by hand: actions run when `advance` passes their time.
class FakeMenuClock : public MenuClock {
public:
    void after(double seconds, QObject* context, std::function<void()> action) override {
        m_waiting.push_back({m_now + seconds, context, std::move(action)});
    }
    void advance(double seconds) {
        const double until = m_now + seconds;
        for (;;) {
            auto next = m_waiting.end();
            for (auto it = m_waiting.begin(); it != m_waiting.end(); ++it)
                if (it->due <= until + 1e-9 && (next == m_waiting.end() || it->due < next->due)) next = it;
            if (next == m_waiting.end()) break;
            Waiting w = std::move(*next);
            m_waiting.erase(next);
            m_now = w.due;
            if (w.context) w.action();
        }
        m_now = until;
    }

private:
    struct Waiting {
        double due;
        QPointer<QObject> context;
        std::function<void()> action;
    };
    double m_now = 0;
    std::vector<Waiting> m_waiting;
};

// A window's menu layer without a window: a content area and the levels it was asked to draw.
class FakeMenuHost : public QObject, public MenuHost {
public:
    explicit FakeMenuHost(QRectF visible = {0, 0, 1280, 800}) : m_visible(visible) {}
    QObject* hostObject() override { return this; }
    QRectF visibleArea() const override { return m_visible; }
    bool reduceMotion() const override { return reduce; }
    void attach(MenuController*) override {}
    void present(MenuLevel* level) override { presented.push_back(level); }
    void dismiss(MenuLevel* level) override {
        dismissed.push_back(level->depth());
        level->deleteLater();
    }

    bool reduce = false;
    std::vector<MenuLevel*> presented;
    std::vector<int> dismissed;

private:
    QRectF m_visible;
};

inline DropMenuItem plain(const QString& title, std::function<void()> run = {}) {
    return DropMenuItem(title, false, false, std::move(run));
}
inline DropMenuItem leading(const QString& title, std::function<DropMenuPage()> opens) {
    return DropMenuItem(title, false, false, std::move(opens), {});
}
// A page of plain rows in sections of the given sizes, titled when `titled`.
inline DropMenuPage pageOf(std::vector<int> sizes, bool titled = false) {
    std::vector<DropMenuSection> sections;
    int n = 0;
    for (int size : sizes) {
        DropMenuSection s;
        if (titled) s.title = QStringLiteral("section %1").arg(sections.size());
        for (int i = 0; i < size; ++i)
            s.items.push_back(plain(QStringLiteral("row %1").arg(n++)));
        sections.push_back(std::move(s));
    }
    return DropMenuPage(std::move(sections));
}
