#include "kit/DropMenu.h"
#include "kit/MenuSources.h"
#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QtQuickTest>
#include <memory>

// Pages are made in C++; the tests describe them in JavaScript and show them through the engine's real
// `DropMenu`. A description is a list of sections {title, items: [{title, checked, destructive, sub}]};
// a row without `sub` records its title in `ran` when it runs.
class MenuProbe : public QObject {
    Q_OBJECT
    Q_PROPERTY(QStringList ran READ ran NOTIFY ranChanged)
public:
    explicit MenuProbe(QQmlEngine& engine) : QObject(&engine), m_engine(engine) {}

    QStringList ran() const { return m_ran; }
    Q_INVOKABLE void clear() {
        m_ran.clear();
        emit ranChanged();
    }
    Q_INVOKABLE void show(const QVariantList& sections, QQuickItem* anchor) {
        DropMenu::of(&m_engine)->show(page(sections), DropMenuAnchor::qmlAttachedProperties(anchor));
    }
    Q_INVOKABLE void showAt(const QVariantList& sections, QPointF point, QQuickItem* inWindow) {
        DropMenu::of(&m_engine)->show(page(sections), point, inWindow->window());
    }

signals:
    void ranChanged();

private:
    DropMenuPage page(const QVariantList& description) {
        std::vector<DropMenuSection> sections;
        for (const QVariant& s : description) {
            const QVariantMap section = s.toMap();
            DropMenuSection out;
            if (section.contains("title")) out.title = section.value("title").toString();
            for (const QVariant& i : section.value("items").toList()) {
                const QVariantMap item = i.toMap();
                const QString title = item.value("title").toString();
                std::function<DropMenuPage()> opens;
                if (item.contains("sub")) {
                    const QVariantList sub = item.value("sub").toList();
                    opens = [this, sub] { return page(sub); };
                }
                out.items.emplace_back(title, item.value("checked").toBool(),
                                       item.value("destructive").toBool(), opens, [this, title] {
                                           m_ran.append(title);
                                           emit ranChanged();
                                       });
            }
            sections.push_back(std::move(out));
        }
        return DropMenuPage(std::move(sections));
    }

    QQmlEngine& m_engine;
    QStringList m_ran;
};

// A right-click page of plain rows that needs nothing of the stores; a chosen row is recorded in `ran`.
class FixedMenu : public MenuSource {
    Q_OBJECT
    Q_PROPERTY(QStringList titles MEMBER m_titles NOTIFY changed)
    Q_PROPERTY(QStringList ran READ ran NOTIFY changed)
    Q_PROPERTY(int built MEMBER m_built NOTIFY changed)
public:
    using MenuSource::MenuSource;
    QStringList ran() const { return m_ran; }
    DropMenuPage page(const MenuContext&) const override {
        auto* self = const_cast<FixedMenu*>(this);
        ++self->m_built;
        emit self->changed();
        DropMenuSection section;
        for (const QString& title : m_titles)
            section.items.emplace_back(title, false, false, [self, title] {
                self->m_ran.append(title);
                emit self->changed();
            });
        return DropMenuPage({std::move(section)});
    }

signals:
    void changed();

private:
    QStringList m_titles;
    QStringList m_ran;
    int m_built = 0;
};

// Each test engine gets the application's stores, as the program's own engine does.
class Setup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        if (!m_app) {
            usePrivateBus();
            m_home = std::make_unique<TestHome>();
            m_app = std::make_unique<TamskApp>();
        }
        engine->addImportPath(QStringLiteral("qrc:/"));
        qmlRegisterType<FixedMenu>("VeltoTest", 1, 0, "FixedMenu");
        m_app->exposeTo(*engine);
        engine->rootContext()->setContextProperty(QStringLiteral("menuProbe"), new MenuProbe(*engine));
        // Tests save pictures of what they draw here, for anyone to look at.
        engine->rootContext()->setContextProperty(QStringLiteral("buildDir"),
                                                  QStringLiteral(VELTO_BUILD_DIR));
    }

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TamskApp> m_app;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_menus, Setup)

#include "MenuTestMain.moc"
