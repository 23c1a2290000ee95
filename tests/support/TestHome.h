#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "Printers.h"

// A private home for one test: XDG_DATA_HOME, XDG_CONFIG_HOME and XDG_CACHE_HOME point into a fresh
// temporary folder for the object's lifetime, so stores read and write nothing of the user's.
class TestHome {
public:
    TestHome();
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    QString path() const { return m_dir.path(); }
    QString dataHome() const { return m_dir.path() + QStringLiteral("/data"); }
    QString configHome() const { return m_dir.path() + QStringLiteral("/config"); }
    // A folder inside the home, made on demand.
    QString folder(const QString& name) const;

    static void writeFile(const QString& path, const QByteArray& bytes);
    static QByteArray readFile(const QString& path);
    // Copies the files of a folder tree (such as the sample library) under `to`, keeping their places.
    static void copyTree(const QString& from, const QString& to);

private:
    QTemporaryDir m_dir;
    QByteArray m_saved[3];
    bool m_had[3] = {};
};

// Where the generated audio fixtures and the corpus of odd files are.
inline QString fixturePath(const QString& name) {
    return QStringLiteral(VELTO_FIXTURES_DIR) + QLatin1Char('/') + name;
}
inline QString corpusPath(const QString& name = {}) {
    return QStringLiteral(VELTO_CORPUS_DIR) + (name.isEmpty() ? QString() : QLatin1Char('/') + name);
}
