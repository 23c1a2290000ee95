#include "DropMenuPage.h"

DropMenuItem::DropMenuItem(QString title, bool checked, bool destructive, std::function<DropMenuPage()> opens,
                           std::function<void()> run)
    : title(std::move(title)), checked(checked), destructive(destructive), opens(std::move(opens)),
      run(std::move(run)) {}

DropMenuItem::DropMenuItem(QString title, bool checked, bool destructive, std::function<void()> run)
    : DropMenuItem(std::move(title), checked, destructive, nullptr, std::move(run)) {}

DropMenuPage::DropMenuPage(std::vector<DropMenuSection> sections) {
    for (DropMenuSection& s : sections) {
        if (s.items.empty()) continue;
        m_items.insert(m_items.end(), s.items.begin(), s.items.end());
        m_sections.push_back(std::move(s));
    }
}

DropMenuAnchor::DropMenuAnchor(QObject* parent)
    : QObject(parent), m_view(qobject_cast<QQuickItem*>(parent)) {}

DropMenuAnchor* DropMenuAnchor::qmlAttachedProperties(QObject* object) {
    if (!object) return nullptr;
    if (auto* existing = object->findChild<DropMenuAnchor*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new DropMenuAnchor(object);
}
