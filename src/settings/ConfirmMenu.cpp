#include "ConfirmMenu.h"

#include "kit/DropMenu.h"

#include <QPointer>
#include <QQmlEngine>

ConfirmMenu::ConfirmMenu(QObject* parent) : QObject(parent) {}

void ConfirmMenu::setTitle(const QString& title) {
    if (title == m_title) return;
    m_title = title;
    emit titleChanged();
}

void ConfirmMenu::setQuestion(const QString& question) {
    if (question == m_question) return;
    m_question = question;
    emit questionChanged();
}

DropMenuPage ConfirmMenu::page(const QString& title, const QString& question, std::function<void()> run) {
    std::vector<DropMenuSection> sections(1);
    sections.front().title = question;
    sections.front().items.emplace_back(title, false, true, std::move(run));
    return DropMenuPage(std::move(sections));
}

void ConfirmMenu::open(QQuickItem* anchor) {
    if (!anchor) return;
    DropMenu* menus = DropMenu::of(qmlEngine(anchor));
    if (!menus) return;
    // The page may be gone (the user navigated away) by the time the row runs.
    QPointer<ConfirmMenu> self(this);
    menus->show(page(m_title, m_question,
                     [self] {
                         if (self) emit self->confirmed();
                     }),
                DropMenuAnchor::qmlAttachedProperties(anchor));
}
